// The colour button: its parts, opening and closing the palette, picking a
// colour there, the colour dialog, and its properties reaching the palette.

#include "widgets/TZvColorButton.h"

#include "platform/ScriptedDesktop.h"
#include "widgets/TZvColorArrowButton.h"
#include "widgets/TZvColorDragBar.h"
#include "widgets/TZvColorForm.h"
#include "widgets/TZvColorMainButton.h"
#include "widgets/TZvColorNames.h"
#include "widgets/TZvColorPaletteButton.h"
#include "widgets/TZvColorPanel.h"

#include <QApplication>
#include <QCursor>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class TZvColorButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(200, 100);
        button.setParent(&window);
        button.setGeometry(10, 10, 36, 22);
        window.show();
        button.OnColorChange = [this](QObject* sender) {
            log << QStringLiteral("change %1").arg(sender == &button);
        };
        button.OnColorButtonClick = [this](QObject* sender) {
            log << QStringLiteral("button ") + sender->objectName();
        };
        button.OnDropDown = [this](QObject*) { log << QStringLiteral("dropdown"); };
        button.OnArrowClick = [this](QObject*) { log << QStringLiteral("arrow"); };
    }

    TZvColorPanel* panel() const { return button.colorForm()->panel(); }
    void clickArrow() { QTest::mouseClick(button.arrowButton(), Qt::LeftButton); }
    void openPalette()
    {
        clickArrow();
        ASSERT_TRUE(button.colorForm()->isVisible());
        log.clear();
    }
    static void click(QWidget* widget, const char* name)
    {
        widget->setObjectName(QString::fromLatin1(name));
        QTest::mouseClick(widget, Qt::LeftButton);
    }

    ScriptedDesktop desktop;
    QWidget window;
    TZvColorButton button{desktop};
    QStringList log;
};

} // namespace

TEST_F(TZvColorButtonTest, SplitsIntoAMainPartAndAnArrowPart)
{
    EXPECT_EQ(button.mainButton()->geometry(), QRect(0, 0, 23, 22));
    EXPECT_EQ(button.arrowButton()->geometry(), QRect(23, 0, 13, 22));
    EXPECT_EQ(button.mainButton()->colorBarRect(), QRect(2, 15, 17, 4));
    button.Properties().setArrowWidth(5);
    EXPECT_EQ(button.Properties().ArrowWidth(), 13);
}

TEST_F(TZvColorButtonTest, AFlatButtonShowsAFrameOnlyUnderThePointer)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto cornerOfMainPart = [this] { return button.mainButton()->grab().toImage().pixelColor(0, 0); };
    const QColor face = SysColor(clBtnFace);
    EXPECT_TRUE(button.Flat());
    EXPECT_EQ(cornerOfMainPart(), face);
    button.setFlat(false);
    EXPECT_NE(cornerOfMainPart(), face) << "a raised frame";
    EXPECT_FALSE(button.arrowButton()->isFlat());
}

TEST_F(TZvColorButtonTest, WritingSelectedColorFiresOnColorChangeOnlyForANewColour)
{
    button.setSelectedColor(clBlack); // the initial colour
    button.setSelectedColor(clRed);
    button.setSelectedColor(clRed);
    EXPECT_EQ(log, QStringList({"change 1"}));
    EXPECT_EQ(button.mainButton()->Color(), clRed);
    EXPECT_TRUE(panel()->cell(16)->isChecked());
}

TEST_F(TZvColorButtonTest, TheArrowOpensThePaletteUnderTheButtonAndClosesIt)
{
    clickArrow();
    EXPECT_TRUE(button.colorForm()->isVisible());
    EXPECT_TRUE(button.isOpen());
    EXPECT_TRUE(button.arrowButton()->isChecked());
    EXPECT_EQ(button.colorForm()->pos(), button.mapToGlobal(QPoint(0, 22)));
    clickArrow();
    EXPECT_FALSE(button.colorForm()->isVisible());
    EXPECT_FALSE(button.isOpen());
    EXPECT_FALSE(button.arrowButton()->isChecked());
    EXPECT_EQ(log, QStringList({"dropdown", "arrow", "arrow"}));
}

TEST_F(TZvColorButtonTest, TheMainPartNeitherOpensThePaletteNorChangesTheColour)
{
    int clicks = 0;
    button.OnClick = [&](QObject*) { ++clicks; };
    QTest::mouseClick(button.mainButton(), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button.colorForm()->isVisible());
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(TZvColorButtonTest, EscapeClosesThePalette)
{
    openPalette();
    QTest::keyClick(button.colorForm(), Qt::Key_Escape);
    EXPECT_FALSE(button.colorForm()->isVisible());
    EXPECT_FALSE(button.isOpen());
    EXPECT_FALSE(button.arrowButton()->isChecked());
}

TEST_F(TZvColorButtonTest, ACellClickClosesThePaletteAndChangesTheColourOnce)
{
    openPalette();
    click(panel()->cell(16), "red");
    EXPECT_EQ(log, QStringList({"button red", "change 1"}));
    EXPECT_EQ(button.SelectedColor(), clRed);
    EXPECT_FALSE(button.colorForm()->isVisible());
    EXPECT_FALSE(button.isOpen());

    openPalette();
    click(panel()->cell(16), "red");
    EXPECT_EQ(log, QStringList({"button red"})) << "the same colour again changes nothing";
}

TEST_F(TZvColorButtonTest, TheAutomaticButtonPicksClDefault)
{
    openPalette();
    click(panel()->autoButton(), "auto");
    EXPECT_EQ(button.SelectedColor(), clDefault);
    EXPECT_EQ(log, QStringList({"button auto", "change 1"}));
    EXPECT_TRUE(panel()->autoButton()->isChecked());
}

TEST_F(TZvColorButtonTest, ACancelledColourDialogChangesNothing)
{
    desktop.queueColorDialogCancel();
    openPalette();
    click(panel()->otherButton(), "other");
    EXPECT_EQ(log, QStringList({"button other"}));
    EXPECT_EQ(button.SelectedColor(), clBlack);
    EXPECT_EQ(panel()->otherButton()->Color(), clDefault);
    EXPECT_FALSE(button.colorForm()->isVisible());
    EXPECT_EQ(desktop.callsOf(ScriptedDesktop::CallKind::ColorDialog).size(), 1u);
}

TEST_F(TZvColorButtonTest, AColourFromTheDialogBecomesCurrentAndTheOtherButtonsColour)
{
    const TColor custom = RGB(0x12, 0x34, 0x56);
    button.setSelectedColor(clRed);
    log.clear();
    desktop.queueColorDialogAnswer(custom);
    openPalette();
    click(panel()->otherButton(), "other");
    const auto calls = desktop.callsOf(ScriptedDesktop::CallKind::ColorDialog);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].color.color, clRed) << "the dialog starts at the current colour";
    EXPECT_EQ(log, QStringList({"button other", "change 1"}));
    EXPECT_EQ(button.SelectedColor(), custom);
    EXPECT_EQ(panel()->otherButton()->Color(), custom);
    EXPECT_EQ(panel()->otherButton()->toolTip(), QStringLiteral("$00563412"));
    EXPECT_FALSE(panel()->cell(16)->isChecked()) << "a custom colour shows no pressed cell";
}

TEST_F(TZvColorButtonTest, AFloatingPaletteStaysOpenAfterAPick)
{
    openPalette();
    TZvColorForm* form = button.colorForm();
    form->setFloating(true);
    click(panel()->cell(0), "black");
    click(panel()->cell(39), "white");
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(button.SelectedColor(), clWhite);
    QTest::keyClick(form, Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->isFloating()) << "hiding returns the palette to drop-down mode";
}

TEST_F(TZvColorButtonTest, LosingTheFocusClosesThePaletteUnlessThePointerIsOverTheArrow)
{
    openPalette();
    QCursor::setPos(button.mapToGlobal(button.arrowPartRect().center()));
    window.activateWindow();
    QApplication::processEvents();
    EXPECT_TRUE(button.colorForm()->isVisible()) << "a click on the arrow is left to the arrow";

    button.colorForm()->activateWindow();
    QApplication::processEvents();
    QCursor::setPos(button.mapToGlobal(QPoint(0, 100)));
    window.activateWindow();
    QApplication::processEvents();
    EXPECT_FALSE(button.colorForm()->isVisible());
    EXPECT_FALSE(button.isOpen());
}

TEST_F(TZvColorButtonTest, DraggingTheDragBarTearsThePaletteOff)
{
    openPalette();
    TZvColorForm* form = button.colorForm();
    const int droppedDownHeight = form->height();
    QTest::mousePress(form->dragBar(), Qt::LeftButton, {}, QPoint(5, 3));
    QTest::mouseMove(form->dragBar(), QPoint(40, 3));
    EXPECT_TRUE(form->isFloating());
    EXPECT_FALSE(form->dragBar()->isVisible());
    EXPECT_EQ(form->height(), droppedDownHeight - 13) << "the panel moves up into the bar's place";
    QTest::mouseRelease(form, Qt::LeftButton);
}

TEST_F(TZvColorButtonTest, PropertiesOfTheButtonReachThePalette)
{
    const QSize initial = button.colorForm()->size();
    button.Properties().setAutoCaption(QString());
    EXPECT_FALSE(panel()->autoButton()->isVisibleTo(panel()));
    EXPECT_EQ(panel()->size(), QSize(158, 126));
    EXPECT_EQ(button.colorForm()->height(), initial.height() - 22);
    button.Properties().setShowDragBar(false);
    EXPECT_EQ(panel()->y(), TZvColorForm::FrameWidth + 1);
    button.Properties().setDragBarHint(QStringLiteral("Táhni"));
    EXPECT_EQ(button.colorForm()->dragBar()->toolTip(), QStringLiteral("Táhni"));
}

struct DropDownCase
{
    const char* name;
    QRect button;
    QPoint expected;
};

class TZvColorFormPlacementTest : public ::testing::TestWithParam<DropDownCase>
{
};

TEST_P(TZvColorFormPlacementTest, DropsDownInsideTheScreen)
{
    const QRect screen(0, 0, 1024, 768);
    EXPECT_EQ(TZvColorForm::dropDownPosition(GetParam().button, QSize(164, 168), screen),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, TZvColorFormPlacementTest,
                         ::testing::Values(DropDownCase{"Below", {605, 50, 36, 22}, {605, 72}},
                                           DropDownCase{"NearTheRightEdge", {1000, 50, 36, 22}, {860, 72}},
                                           DropDownCase{"NearTheBottom", {605, 700, 36, 22}, {605, 532}}),
                         [](const auto& info) { return std::string(info.param.name); });
