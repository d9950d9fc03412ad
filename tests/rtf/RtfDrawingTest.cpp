#include "RtfTestSupport.h"

#include "format/TextFormatProperties.h"

using namespace TextFormatProperties;

namespace {

QByteArray drawing(const char* boxText)
{
    return QByteArray("{\\*\\do\\dobxcolumn\\dobypara\\dptxbx{\\dptxbxtext\\pard\\plain ") + boxText +
           "}\\dpx0\\dpy0\\dpxsize2000\\dpysize1000}";
}

struct DrawingCase
{
    QByteArray body;
    const char* text;
    int boxParagraphs;
};

TEST(RtfDrawingTest, TextBoxesFollowTheirAnchorsParagraphAndKeepTheirObject)
{
    const DrawingCase cases[] = {
        {"a\\par b " + drawing("box1\\par box2\\par") + "c\\par d\\par", "a\nb c\nbox1\nbox2\nd", 2},
        {drawing("x\\par") + drawing("y\\par") + "a\\par b\\par", "a\nx\ny\nb", 2},
        {"a " + drawing("x\\par"), "a \nx", 1},
        {"a{\\*\\do\\dobxcolumn\\dpline\\dpx0} b\\par", "a b", 0},
    };
    for (const DrawingCase& test : cases) {
        const auto document = readRtf("{\\rtf1\\ansi " + test.body + "}");
        EXPECT_EQ(document->toPlainText(), QLatin1String(test.text)) << test.body.constData();
        int boxParagraphs = 0;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            boxParagraphs +=
                block.blockFormat().property(BlockDrawingRtf).toByteArray().startsWith("{\\*\\do ");
        EXPECT_EQ(boxParagraphs, test.boxParagraphs) << test.body.constData();
        // The object is written once, with its text box, and reads back the same.
        const QByteArray written = writeRtf(*document);
        EXPECT_EQ(written.count("{\\*\\do "), test.body.count("dptxbxtext")) << written.constData();
        const auto reread = readRtf(written);
        EXPECT_EQ(reread->toPlainText(), document->toPlainText()) << written.constData();
        EXPECT_EQ(writeRtf(*reread), written) << test.body.constData();
    }
}

// A text box is read by reading its object again, \bin data and all: the data is skipped
// again, so braces in it neither end the box early nor close the document's groups, and
// the text after the object's paragraph is read whole.
TEST(RtfDrawingTest, BinaryDataIsSkippedWhenTheTextBoxIsRead)
{
    const std::pair<QByteArray, const char*> cases[] = {
        {"{\\rtf1\\ansi a " + drawing("box{\\*\\data\\bin3 }\\}}\\par") + "b\\par after\\par}",
         "a b\nbox\nafter"},
        // \dptxbxtext lies in the data; the object has no text box.
        {"{\\rtf{\\do\\bin4}\\dptxbxtext}", ""},
        {"{\\rtf{\\do\\bin4}\\dptxbxtext Data}Text}", "Text"},
    };
    for (const auto& [rtf, text] : cases)
        EXPECT_EQ(readRtf(rtf)->toPlainText(), QLatin1String(text)) << rtf.constData();
}

} // namespace
