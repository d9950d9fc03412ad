// The character formatting commands of the main window and the tool bar that
// shows the selection's attributes.

#include "tests/app/MainformFixture.h"

#include "editcontrol/RichEditControl.h"
#include "format/TextFormatProperties.h"
#include "platform/TTimer.h"
#include "widgets/TIntSpinEdit.h"
#include "widgets/TZvColorButton.h"
#include "widgets/TZvColorNames.h"
#include "widgets/TZvFontComboBox.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>
#include <QWindow>

namespace {

class MainformFormattingTest : public MainformFixture
{
protected:
    void SetUp() override
    {
        MainformFixture::SetUp();
        window = &createForm();
        window->show();
        QApplication::setActiveWindow(window);
        QApplication::processEvents();
        window->editor->setText(QStringLiteral("alpha beta gamma delta"));
        attributes = &window->editor->SelectionAttributes();
    }

    void select(int from, int to) { window->editor->SelectRange(from, to, false); }

    // Every character's format record, to tell that a command changed nothing.
    QList<QTextCharFormat> formats()
    {
        QList<QTextCharFormat> all;
        QTextCursor cursor(window->editor->control()->document());
        while (!cursor.atEnd()) {
            cursor.movePosition(QTextCursor::NextCharacter);
            all.append(cursor.charFormat());
        }
        return all;
    }

    // Clicks into the text just after the character at position.
    void clickAt(int position)
    {
        QTextCursor cursor(window->editor->control()->document());
        cursor.setPosition(position);
        const QRect caret = window->editor->control()->cursorRect(cursor);
        QTest::mouseClick(window->editor->control()->viewport(), Qt::LeftButton, {}, caret.center());
    }

    TMainform* window = nullptr;
    TZvTextAttributes* attributes = nullptr;
};

struct StyleButton
{
    const char* name;
    TFontStyle bit;
    QToolButton* TMainform::*button;
};

void PrintTo(const StyleButton& row, std::ostream* out)
{
    *out << row.name;
}

class StyleToggle : public MainformFormattingTest, public ::testing::WithParamInterface<StyleButton>
{
};

TEST_P(StyleToggle, DecidesFromTheTextAndKeepsTheOtherStylesAsRead)
{
    QToolButton* button = window->*GetParam().button;
    const TZvStyleFlags all = fsBold | fsItalic | fsUnderline | fsStrikeOut;
    select(0, 5);
    attributes->setStyleFlags(all);
    button->setChecked(false); // the button's own state does not decide
    button->click();
    EXPECT_EQ(attributes->StyleFlags(), all & ~GetParam().bit);
    EXPECT_FALSE(button->isChecked());
    EXPECT_TRUE(window->editor->control()->hasFocus());
    button->click();
    EXPECT_EQ(attributes->StyleFlags(), all);
    EXPECT_TRUE(button->isChecked());
}

INSTANTIATE_TEST_SUITE_P(Buttons, StyleToggle,
                         ::testing::Values(StyleButton{"Bold", fsBold, &TMainform::tucne},
                                           StyleButton{"Italic", fsItalic, &TMainform::kurziva},
                                           StyleButton{"Underline", fsUnderline, &TMainform::podtrzene},
                                           StyleButton{"StrikeOut", fsStrikeOut, &TMainform::preskrknute}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainformFormattingTest, SubscriptReplacesSuperscriptAndTurnsOffAlone)
{
    select(0, 5);
    attributes->setScriptPosition(spSuperscript);
    window->hindex->setChecked(true);
    window->dindex->click();
    EXPECT_EQ(attributes->ScriptPosition(), spSubscript);
    EXPECT_TRUE(window->dindex->isChecked());
    EXPECT_FALSE(window->hindex->isChecked());

    window->hindex->setChecked(true);
    window->dindex->click();
    EXPECT_EQ(attributes->ScriptPosition(), spNormal);
    EXPECT_FALSE(window->dindex->isChecked());
    EXPECT_TRUE(window->hindex->isChecked()); // not touched when turning off
}

TEST_F(MainformFormattingTest, ClickingIntoTextShowsItsAttributesAndChangesNothing)
{
    struct Case
    {
        int points;
        int shown;
    };
    for (const Case row : {Case{12, 12}, Case{120, 104}, Case{2, 4}}) {
        SCOPED_TRACE(row.points);
        select(6, 10);
        attributes->setPointSize(row.points);
        attributes->setTextColor(RGB(200, 0, 0));
        attributes->setStyleFlags(fsItalic);
        attributes->setScriptPosition(spSuperscript);
        attributes->setFaceName(QStringLiteral("DejaVu Serif"));
        const QList<QTextCharFormat> before = formats();
        clickAt(8);
        EXPECT_EQ(window->velikostpisma->value(), row.shown);
        EXPECT_EQ(window->barvatextu->SelectedColor(), RGB(200, 0, 0));
        EXPECT_EQ(window->fontybox->FontName(), QStringLiteral("DejaVu Serif"));
        EXPECT_TRUE(window->kurziva->isChecked() && window->hindex->isChecked());
        EXPECT_FALSE(window->tucne->isChecked() || window->dindex->isChecked());
        EXPECT_EQ(formats(), before);
    }
}

TEST_F(MainformFormattingTest, OnlyArrowKeysRefreshTheToolBarAndTheyChangeNoColour)
{
    const TColor colors[] = {RGB(255, 0, 0), RGB(0, 128, 0), RGB(0, 0, 255)};
    for (int word = 0; word < 3; ++word) {
        select(word * 6, word * 6 + 5);
        attributes->setTextColor(colors[word]);
    }
    const QList<QTextCharFormat> before = formats();
    select(1, 1);
    window->barvatextu->setSelectedColor(clBlack);
    for (const Qt::Key key : {Qt::Key_Home, Qt::Key_End, Qt::Key_PageDown, Qt::Key_PageUp}) {
        select(8, 8); // inside the green word
        QTest::keyClick(window->editor->control(), key, Qt::ShiftModifier);
        EXPECT_EQ(window->barvatextu->SelectedColor(), clBlack) << key;
    }
    select(1, 1);
    for (int step = 0; step < 12; ++step)
        QTest::keyClick(window->editor->control(), Qt::Key_Right, Qt::ShiftModifier);
    // The refresh runs before the caret moves: it shows the selection the key extends.
    EXPECT_EQ(window->barvatextu->SelectedColor(), RGB(255, 0, 0)); // mixed: the first character's
    EXPECT_EQ(formats(), before);
}

TEST_F(MainformFormattingTest, FontBoxAndSizeFieldFormatTheSelection)
{
    select(0, 5);
    window->fontybox->setFontName(QStringLiteral("DejaVu Sans Mono"));
    window->fontybox->OnChange(window->fontybox); // as a choice the user made
    window->velikostpisma->setValue(31);
    EXPECT_EQ(attributes->FaceName(), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(attributes->PointSize(), 31);
    EXPECT_TRUE(window->editor->control()->hasFocus());
}

// A click through the window lands on whatever part of the widget lies under the pointer.
void clickOn(QWidget* widget, QPoint at)
{
    QWindow* handle = widget->window()->windowHandle();
    QTest::mouseClick(handle, Qt::LeftButton, {}, handle->mapFromGlobal(widget->mapToGlobal(at)));
}

TEST_F(MainformFormattingTest, TheSizeBoxKeepsAnsweringItsKeysAfterItsArrowsWereClicked)
{
    TTimer::ManualTime time;
    select(0, 5);
    QWidget* box = window->velikostpisma;
    const QPoint upArrow(box->width() - 8, box->height() / 4 + 1);
    const QPoint downArrow(box->width() - 8, box->height() * 3 / 4 - 1);
    clickOn(box, upArrow);
    clickOn(box, upArrow);
    clickOn(box, downArrow);
    EXPECT_EQ(window->velikostpisma->text().toStdString(), "9");
    EXPECT_EQ(attributes->PointSize(), 9);
    // Longer than an arrow has to be held before it repeats: the clicks ended all of that.
    time.advance(std::chrono::seconds(1));
    EXPECT_EQ(window->velikostpisma->text().toStdString(), "9");
    const std::pair<Qt::Key, int> keys[] = {{Qt::Key_Up, 10}, {Qt::Key_Down, 9}, {Qt::Key_Down, 8}};
    for (const auto& [key, size] : keys) {
        clickOn(box, QPoint(6, box->height() / 2));
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(window->velikostpisma->text().toStdString(), std::to_string(size));
        EXPECT_EQ(attributes->PointSize(), size);
    }
}

TEST_F(MainformFormattingTest, ColourButtonsAndDialogsSetTheirAttribute)
{
    select(0, 5);
    window->bpozaditextu->setFocus();
    window->bpozaditextu->setSelectedColor(RGB(255, 255, 0));
    window->barvatextu->setSelectedColor(RGB(0, 0, 128));
    EXPECT_EQ(attributes->HighlightColor(), RGB(255, 255, 0));
    EXPECT_EQ(attributes->TextColor(), RGB(0, 0, 128));
    EXPECT_FALSE(window->editor->control()->hasFocus()); // the buttons leave the focus alone

    struct Case
    {
        QAction* TMainform::*item;
        TColor (TZvTextAttributes::*read)() const;
    };
    const Case cases[] = {{&TMainform::Barvapsma1, &TZvTextAttributes::TextColor},
                          {&TMainform::Barvapsma2, &TZvTextAttributes::TextColor},
                          {&TMainform::Barvapozadpsma1, &TZvTextAttributes::HighlightColor},
                          {&TMainform::bARVAPOZADPSMA2, &TZvTextAttributes::HighlightColor}};
    COLORREF chosen = RGB(10, 20, 30);
    for (const Case& row : cases) {
        SCOPED_TRACE((window->*row.item)->objectName().toStdString());
        chosen += 1;
        desktop.queueColorDialogAnswer(chosen);
        (window->*row.item)->trigger();
        EXPECT_EQ((attributes->*row.read)(), chosen);
        window->bpozaditextu->setFocus();
        desktop.queueColorDialogCancel();
        (window->*row.item)->trigger();
        EXPECT_EQ((attributes->*row.read)(), chosen);
        EXPECT_TRUE(window->editor->control()->hasFocus());
        // The dialog opened with the colour last chosen in it, not the selection's.
        EXPECT_EQ(desktop.callsOf(ScriptedDesktop::CallKind::ColorDialog).back().color.color, chosen);
    }
}

TEST_F(MainformFormattingTest, FontDialogAssignsItsFontAndTheMainMenuSetsTheFontBoxEvenWhenCancelled)
{
    select(0, 5);
    const QList<QTextCharFormat> before = formats();
    TFont chosen;
    chosen.Name = QStringLiteral("DejaVu Serif");
    chosen.Size = 20;
    chosen.Style = fsBold | fsUnderline;
    chosen.Color = RGB(0, 128, 0);
    desktop.queueFontDialogAnswer(chosen);
    window->Psmo2->trigger(); // the pop-up menu's item leaves the font box alone
    EXPECT_EQ(attributes->StyleFlags(), fsBold | fsUnderline);
    EXPECT_EQ(attributes->PointSize(), 20);
    EXPECT_EQ(attributes->TextColor(), RGB(0, 128, 0));
    EXPECT_NE(window->fontybox->FontName(), chosen.Name);

    select(6, 10);
    desktop.queueFontDialogCancel();
    window->Psmo1->trigger();
    EXPECT_EQ(window->fontybox->FontName(), chosen.Name);
    EXPECT_EQ(attributes->PointSize(), 8);
    EXPECT_TRUE(window->editor->control()->hasFocus());

    const auto shown = desktop.callsOf(ScriptedDesktop::CallKind::FontDialog);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].font.font, chosen); // opens with the font last chosen
    EXPECT_TRUE(shown[1].font.applyButton);
    EXPECT_FALSE(shown[1].font.printerFonts); // no printer installed
}

} // namespace
