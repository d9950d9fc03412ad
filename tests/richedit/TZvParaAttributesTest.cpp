#include "richedit/TZvParaAttributes.h"

#include "format/TextFormatProperties.h"
#include "editcontrol/RichEditControl.h"
#include "platform/ZvExceptions.h"
#include "richedit/TZvRichEdit.h"

#include <QBuffer>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

namespace {

// An editor holding three paragraphs with its control created.
class ParaAttributesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetEditorLibraryVersion(3);
        editor.setText(QStringLiteral("první\ndruhý\ntřetí"));
        editor.SelectRange(0, 0, false);
    }
    void TearDown() override { SetEditorLibraryVersion(3); }

    QTextBlock block(int number) { return editor.control()->document()->findBlockByNumber(number); }

    TZvRichEdit editor;
    TZvParaAttributes& paragraph = editor.ParagraphAttributes();
};

TEST_F(ParaAttributesTest, IndentsAreWholePointsTruncatedTowardZero)
{
    PARAFORMAT2 record;
    record.dwMask = PFM_STARTINDENT | PFM_OFFSET;
    record.dxStartIndent = 360;
    record.dxOffset = -270;
    editor.control()->SetParaFormat(record);
    EXPECT_EQ(paragraph.FirstLineIndent(), 18);
    EXPECT_EQ(paragraph.LeftIndent(), -13);
    EXPECT_EQ(block(0).blockFormat().textIndent(), 18); // 270 twips further than the other lines
    paragraph.setRightIndent(60);
    EXPECT_EQ(TextFormatProperties::blockRightIndent(block(0).blockFormat()), 1200);
    EXPECT_EQ(paragraph.FirstLineIndent(), 18); // each write changes only its own attribute
}

TEST_F(ParaAttributesTest, ListsLeaveRoomForTheirSymbolAndTakeItAwayWhenLeft)
{
    struct Case
    {
        int leftIndentBefore;
        int style;
        int leftIndentAfter;
    };
    for (const Case row :
         {Case{4, lsBullet, 10}, Case{-5, lsArabic, 10}, Case{25, lsUpperRoman, 25}, Case{25, lsNone, 0}}) {
        SCOPED_TRACE(row.style);
        paragraph.setFirstLineIndent(20);
        paragraph.setLeftIndent(row.leftIndentBefore);
        paragraph.setListStyle(row.style);
        EXPECT_EQ(paragraph.LeftIndent(), row.leftIndentAfter);
        EXPECT_EQ(paragraph.ListStyle(), row.style);
        const QTextList* list = block(0).textList();
        ASSERT_EQ(list != nullptr, row.style != lsNone);
        if (list) {
            EXPECT_EQ(list->format().style(), TextFormatProperties::listStyleOf(row.style));
            // The symbol hangs before the text, which starts where the other lines do.
            EXPECT_EQ(block(0).blockFormat().textIndent(), 0);
        }
    }
}

TEST_F(ParaAttributesTest, AWriteChangesEveryParagraphOfTheSelectionIntoOneList)
{
    editor.SelectRange(2, 9, false); // the first two paragraphs
    paragraph.setListStyle(lsArabic);
    paragraph.setAlignment(taJustify);
    EXPECT_EQ(block(0).textList(), block(1).textList());
    EXPECT_EQ(block(2).textList(), nullptr);
    for (const int number : {0, 1})
        EXPECT_EQ(block(number).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    EXPECT_EQ(paragraph.Alignment(), taJustify);

    // The third paragraph joins the list before it.
    editor.SelectRange(13, 13, false);
    paragraph.setListStyle(lsArabic);
    EXPECT_EQ(block(2).textList(), block(0).textList());
}

TEST_F(ParaAttributesTest, LineSpacingAndItsRuleAreWrittenTogether)
{
    paragraph.setLineSpacing(30);
    paragraph.setLineSpacingRule(4);
    const QTextBlockFormat exactly = block(0).blockFormat();
    EXPECT_EQ(TextFormatProperties::blockLineSpacing(exactly), 600);
    EXPECT_EQ(exactly.lineHeightType(), QTextBlockFormat::FixedHeight);
    paragraph.setLineSpacingRule(0);
    EXPECT_EQ(TextFormatProperties::blockLineSpacing(block(0).blockFormat()), 600);
    EXPECT_EQ(paragraph.LineSpacingRule(), 0);
    EXPECT_EQ(paragraph.LineSpacing(), 30);
}

TEST_F(ParaAttributesTest, RightToLeftEditorsExchangeLeftAndRightAsTheyWrite)
{
    editor.setLayoutDirection(Qt::RightToLeft);
    paragraph.setAlignment(taLeftJustify);
    EXPECT_EQ(paragraph.Alignment(), taRightJustify);
    paragraph.setAlignment(taCenter);
    EXPECT_EQ(paragraph.Alignment(), taCenter);
}

TEST_F(ParaAttributesTest, TheOldLibraryHasNoSpacingAndOnlyBullets)
{
    paragraph.setSpaceBefore(12);
    SetEditorLibraryVersion(1);
    EXPECT_EQ(paragraph.SpaceBefore(), 0);
    paragraph.setSpaceAfter(6);
    paragraph.setListStyle(lsArabic);
    EXPECT_EQ(paragraph.ListStyle(), lsBullet);
    SetEditorLibraryVersion(3);
    EXPECT_EQ(paragraph.SpaceBefore(), 12);
    EXPECT_EQ(paragraph.SpaceAfter(), 0);
    EXPECT_EQ(paragraph.ListStyle(), lsBullet);
}

TEST_F(ParaAttributesTest, AssignCopiesAnotherEditorsParagraphAndRefusesOthers)
{
    paragraph.setFirstLineIndent(30);
    paragraph.setSpaceAfter(8);
    TZvRichEdit target;
    EXPECT_EQ(target.ParagraphAttributes().Alignment(), -1); // no control yet: an empty record
    target.ParagraphAttributes().Assign(paragraph);          // creates the control
    EXPECT_EQ(target.ParagraphAttributes().FirstLineIndent(), 30);
    EXPECT_EQ(target.ParagraphAttributes().SpaceAfter(), 8);
    TFont font;
    EXPECT_THROW(paragraph.Assign(font), EConvertError);
}

TEST_F(ParaAttributesTest, EveryAttributeSurvivesSavingAsRtfAndOpening)
{
    editor.SelectRange(0, 9, false);
    paragraph.setAlignment(taCenter);
    paragraph.setFirstLineIndent(36);
    paragraph.setListStyle(lsLowerRoman);
    paragraph.setNumberingStart(3);
    paragraph.setRightIndent(40);
    paragraph.setSpaceBefore(6);
    paragraph.setSpaceAfter(9);
    paragraph.setLineSpacing(18);
    paragraph.setLineSpacingRule(3);
    QBuffer file;
    file.open(QIODevice::ReadWrite);
    editor.Lines().SaveToStream(file);
    file.seek(0);
    TZvRichEdit reopened;
    reopened.Lines().LoadFromStream(file);
    reopened.SelectRange(0, 9, false);
    const TZvParaAttributes& read = reopened.ParagraphAttributes();
    EXPECT_EQ(read.Alignment(), taCenter);
    EXPECT_EQ(read.FirstLineIndent(), 36);
    EXPECT_EQ(read.LeftIndent(), 10);
    EXPECT_EQ(read.ListStyle(), lsLowerRoman);
    EXPECT_EQ(read.RightIndent(), 40);
    EXPECT_EQ(read.SpaceBefore(), 6);
    EXPECT_EQ(read.SpaceAfter(), 9);
    EXPECT_EQ(read.LineSpacing(), 18);
    EXPECT_EQ(read.LineSpacingRule(), 3);
    EXPECT_EQ(reopened.control()->document()->findBlockByNumber(1).textList(),
              reopened.control()->document()->firstBlock().textList());
    PARAFORMAT2 numbering;
    reopened.control()->GetParaFormat(numbering);
    EXPECT_EQ(numbering.wNumberingStart, 3);
}

} // namespace
