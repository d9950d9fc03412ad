#include "RtfTestSupport.h"

#include "format/TextFormatProperties.h"

using namespace TextFormatProperties;

namespace {

struct NoteCase
{
    const char* body;
    const char* text;
    int markAt;           // the position of a mark that carries its note
    const char* noteText; // a word of that note
    bool numbered;
};

TEST(RtfNoteTest, NotesAreKeptWithTheirMarksAndWrittenBack)
{
    const NoteCase cases[] = {
        {"a{\\super\\chftn}{\\footnote\\pard{\\super\\chftn} prvni} b", "a1 b", 1, "prvni", true},
        {"a{\\super *}{\\*\\footnote\\pard{\\super *} vlastni} b", "a* b", 1, "vlastni", false},
        {"a{\\chftn}{\\footnote\\ftnalt\\pard{\\chftn} konec} b{\\chftn}{\\footnote\\pard dole} c", "ai b1 c",
         4, "dole", true},
        {"a{\\chftn}{\\footnote\\ftnalt\\pard{\\chftn} konec} b", "ai b", 1, "konec", true},
        {"{\\footnote\\pard bez znacky}a", "a", -1, "", false},
    };
    for (const NoteCase& test : cases) {
        const auto document = readRtf(QByteArray("{\\rtf1\\ansi ") + test.body + "}");
        EXPECT_EQ(document->toPlainText(), QLatin1String(test.text)) << test.body;
        const QByteArray written = writeRtf(*document);
        const auto reread = readRtf(written);
        EXPECT_EQ(reread->toPlainText(), QLatin1String(test.text)) << test.body << "\n"
                                                                   << written.constData();
        EXPECT_EQ(writeRtf(*reread), written) << test.body;
        if (test.markAt < 0) {
            EXPECT_FALSE(written.contains("footnote")) << test.body;
            continue;
        }
        const QTextCharFormat mark = formatAt(*reread, test.markAt);
        EXPECT_TRUE(mark.property(CharNoteRtf).toByteArray().contains(test.noteText)) << test.body;
        EXPECT_EQ(mark.boolProperty(CharNoteNumbered), test.numbered) << test.body;
        EXPECT_EQ(written.count("{\\footnote"), QByteArray(test.body).count("footnote")) << test.body;
    }
}

} // namespace
