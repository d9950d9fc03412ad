// The paragraph formatting commands of the main window: alignment, lists and
// line spacing.

#include "tests/app/MainformFixture.h"

#include "format/TextFormatProperties.h"
#include "platform/RichEditControl.h"
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
    for (const Case row : {Case{riRight, 763, 759}, Case{riFirst, 62, 63}, Case{riLeft, 100, 102}}) {
        SCOPED_TRACE(int(row.id));
        const auto [set, get] = place(row.id);
        (ruler.*set)(row.dropped); // where a drag leaves it
        ruler.OnIndentChange(&ruler, row.id);
        EXPECT_EQ((ruler.*get)(), row.shown);
    }
    EXPECT_EQ(paragraph->RightIndent(), 63);
    EXPECT_EQ(paragraph->FirstLineIndent(), 46);
    EXPECT_EQ(paragraph->LeftIndent(), 75 - 46);
}

// The user drags the right handle 40 units left with the mouse.
TEST_F(MainformParagraphsTest, DraggingAHandleWithTheMouseChangesTheParagraph)
{
    TZvRulerHandle* right = window->ruler->handle(riRight);
    QTest::mousePress(right, Qt::LeftButton, {}, QPoint(4, 3));
    QTest::mouseMove(right, QPoint(4 - 40, 3));
    QTest::mouseRelease(right, Qt::LeftButton, {}, QPoint(4, 3));
    // 763 - 40 = 723 (on the ten-unit grid: 720): (857 - 720 - 10) * 3/4 = 95 points.
    EXPECT_EQ(paragraph->RightIndent(), 95);
    EXPECT_EQ(paragraph->FirstLineIndent(), 44); // the other indents stay
}

TEST_F(MainformParagraphsTest, IndentButtonsMoveTheParagraphByOneRulerStep)
{
    window->ToolButton44->click(); // from 60, 60, 763 and 44 pt         // to 70: 52 pt, shown at 71
    EXPECT_EQ(paragraph->FirstLineIndent(), 52);
    EXPECT_EQ(paragraph->LeftIndent(), 0);
    EXPECT_EQ(indentsOf(*window->ruler), (std::array{71, 71, 763}));
    window->ToolButton43->click(); // to 61: 45 pt, shown at 62
    window->ToolButton43->click(); // to 52: 39 pt
    EXPECT_EQ(paragraph->FirstLineIndent(), 39);
}

} // namespace
