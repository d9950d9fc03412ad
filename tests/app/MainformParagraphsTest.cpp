// The paragraph formatting commands of the main window: alignment, lists and
// line spacing.

#include "tests/app/MainformFixture.h"

#include "format/TextFormatProperties.h"
#include "editcontrol/RichEditControl.h"
#include "ruler/TZvRulerHandle.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>

#include <array>

namespace {

class MainformParagraphsTest : public MainformFixture
{
protected:
    void SetUp() override
    {
        MainformFixture::SetUp();
        window = &createForm();
        window->show();
        QApplication::processEvents();
        // Typed into the start's paragraph, which keeps its default indents.
        window->editor->setSelectedText(QStringLiteral("první\ndruhý"));
        window->editor->SelectRange(0, 0, false);
        paragraph = &window->editor->ParagraphAttributes();
    }

    TMainform* window = nullptr;
    TZvParaAttributes* paragraph = nullptr;
};

TEST_F(MainformParagraphsTest, AlignmentButtonsWriteTheirAlignmentAndPressOnlyThemselves)
{
    const std::pair<QToolButton * TMainform::*, int> buttons[] = {{&TMainform::szarovnani, taCenter},
                                                                  {&TMainform::pzarovnani, taRightJustify},
                                                                  {&TMainform::czarovnani, taJustify},
                                                                  {&TMainform::lzarovnani, taLeftJustify}};
    for (const auto& [button, alignment] : buttons) {
        (window->*button)->click();
        EXPECT_EQ(paragraph->Alignment(), alignment);
        for (const auto& [other, unused] : buttons)
            EXPECT_EQ((window->*other)->isChecked(), other == button);
    }
}

TEST_F(MainformParagraphsTest, ListButtonsSwitchBetweenNumbersBulletsAndNone)
{
    window->tecodraz->click();
    EXPECT_EQ(paragraph->ListStyle(), lsBullet);
    EXPECT_EQ(paragraph->LeftIndent(), 10); // room for the bullet
    EXPECT_TRUE(window->tecodraz->isChecked());

    window->cisodraz->click();
    EXPECT_EQ(paragraph->ListStyle(), lsArabic);
    EXPECT_TRUE(window->cisodraz->isChecked());
    EXPECT_FALSE(window->tecodraz->isChecked());
    EXPECT_EQ(
        TextFormatProperties::intProperty(window->editor->control()->document()->firstBlock().blockFormat(),
                                          TextFormatProperties::BlockNumberingStart, 0),
        1);

    window->cisodraz->click();
    EXPECT_EQ(paragraph->ListStyle(), lsNone);
    EXPECT_EQ(paragraph->LeftIndent(), 0);
    EXPECT_FALSE(window->cisodraz->isChecked());
}

TEST_F(MainformParagraphsTest, LineSpacingItemsCheckOnlyThemselvesAndKeepTheSpacingValue)
{
    window->radku3->trigger();
    EXPECT_EQ(paragraph->LineSpacingRule(), TextFormatProperties::LineSpacingExactly);
    EXPECT_EQ(paragraph->LineSpacing(), 30);
    EXPECT_TRUE(window->radku3->isChecked() && !window->normalni->isChecked());
    window->radku15->trigger();
    EXPECT_EQ(paragraph->LineSpacingRule(), TextFormatProperties::LineSpacingOneAndHalf);
    window->normalni->trigger();
    EXPECT_EQ(paragraph->LineSpacingRule(), TextFormatProperties::LineSpacingSingle);
    EXPECT_EQ(paragraph->LineSpacing(), 30); // stored, not in force
    for (QAction* item : {window->radku15, window->radku2, window->radku3})
        EXPECT_FALSE(item->isChecked());
    EXPECT_TRUE(window->normalni->isChecked());
    EXPECT_TRUE(window->editor->control()->hasFocus());
}

} // namespace

namespace {

std::array<int, 3> indentsOf(const TZvRuler& ruler)
{
    return {ruler.IndentFirst(), ruler.IndentLeft(), ruler.IndentRight()};
}

TEST_F(MainformParagraphsTest, TheRulerFollowsTheParagraphFromTheStartDefaults)
{
    // The start's defaults: right indent 60 pt, first line at the margin less 18 pt (44 pt).
    EXPECT_EQ(paragraph->RightIndent(), 60);
    EXPECT_EQ(paragraph->FirstLineIndent(), 44);
    EXPECT_EQ(indentsOf(*window->ruler), (std::array{60, 60, 763}));
}

TEST_F(MainformParagraphsTest, TheParagraphFollowsAMovedHandleAndTheHandleSettles)
{
    struct Case
    {
        TIndentID id;
        int dropped;
        int shown; // where the handle settles after the paragraph took the points
    };
    TZvRuler& ruler = *window->ruler;
    const auto place =
        [&ruler](TIndentID id) -> std::pair<void (TZvRuler::*)(int), int (TZvRuler::*)() const> {
        switch (id) {
        case riFirst:
            return {&TZvRuler::setIndentFirst, &TZvRuler::IndentFirst};
        case riLeft:
            return {&TZvRuler::setIndentLeft, &TZvRuler::IndentLeft};
        default:
            return {&TZvRuler::setIndentRight, &TZvRuler::IndentRight};
        }
    };
    // 61 and 764 are no whole number of points: the handles take the next point out from the text.
    for (const Case row : {Case{riRight, 764, 763}, Case{riFirst, 61, 62}, Case{riLeft, 100, 100}}) {
        SCOPED_TRACE(int(row.id));
        const auto [set, get] = place(row.id);
        (ruler.*set)(row.dropped); // where a drag leaves it
        ruler.OnIndentChange(&ruler, row.id);
        EXPECT_EQ((ruler.*get)(), row.shown);
    }
    EXPECT_EQ(paragraph->RightIndent(), 60);
    EXPECT_EQ(paragraph->FirstLineIndent(), 45);
    EXPECT_EQ(paragraph->LeftIndent(), 74 - 45);
}

// The user drags the right handle 40 units left with the mouse.
TEST_F(MainformParagraphsTest, DraggingAHandleWithTheMouseChangesTheParagraph)
{
    TZvRulerHandle* right = window->ruler->handle(riRight);
    QTest::mousePress(right, Qt::LeftButton, {}, QPoint(4, 3));
    QTest::mouseMove(right, QPoint(4 - 40, 3));
    QTest::mouseRelease(right, Qt::LeftButton, {}, QPoint(4, 3));
    // 763 - 40 = 723 (on the ten-unit grid: 720): (857 - 6 - 720) * 3/4 = 98.25, 99 points - 6.
    EXPECT_EQ(paragraph->RightIndent(), 93);
    EXPECT_EQ(paragraph->FirstLineIndent(), 44); // the other indents stay
}

// Points fall on every third of a ruler unit; a click on a handle that stands
// where the paragraph put it writes the paragraph's own indents back.
TEST_F(MainformParagraphsTest, ClickingAHandleWithoutMovingItKeepsTheIndents)
{
    TZvRuler& ruler = *window->ruler;
    for (int third = 0; third < 4; ++third) {
        const std::array<int, 3> points{44 + third, 10 + third, 60 + third};
        paragraph->setFirstLineIndent(points[0]);
        paragraph->setLeftIndent(points[1]);
        paragraph->setRightIndent(points[2]);
        window->editorSelectionChange(window);
        const std::array<int, 3> handles = indentsOf(ruler);
        for (const TIndentID kind : {riFirst, riLeft, riRight, riBothLeft}) {
            for (int click = 1; click <= 3; ++click) {
                SCOPED_TRACE(testing::Message()
                             << "third " << third << ", handle " << int(kind) << ", click " << click);
                QTest::mouseClick(ruler.handle(kind), Qt::LeftButton, {}, QPoint(4, 3));
                EXPECT_EQ((std::array{paragraph->FirstLineIndent(), paragraph->LeftIndent(),
                                      paragraph->RightIndent()}),
                          points);
                EXPECT_EQ(indentsOf(ruler), handles);
            }
        }
    }
}

TEST_F(MainformParagraphsTest, IndentButtonsMoveTheParagraphByOneRulerStep)
{
    window->ToolButton44->click(); // from 60, 60, 763 and 44 pt to 70: 51 pt
    EXPECT_EQ(paragraph->FirstLineIndent(), 51);
    EXPECT_EQ(paragraph->LeftIndent(), 0);
    EXPECT_EQ(indentsOf(*window->ruler), (std::array{70, 70, 763}));
    window->ToolButton43->click(); // back to 60: 44 pt
    EXPECT_EQ(paragraph->FirstLineIndent(), 44);
    window->ToolButton43->click(); // to 50: 36 pt
    EXPECT_EQ(paragraph->FirstLineIndent(), 36);
}

} // namespace
