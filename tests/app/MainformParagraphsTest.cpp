// The paragraph formatting commands of the main window: alignment, lists and
// line spacing.

#include "tests/app/MainformFixture.h"

#include "format/TextFormatProperties.h"
#include "platform/RichEditControl.h"

#include <QAction>
#include <QApplication>
#include <QTextBlock>
#include <QToolButton>

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
        window->editor->setText(QStringLiteral("první\ndruhý"));
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
