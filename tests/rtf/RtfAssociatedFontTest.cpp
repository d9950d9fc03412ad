// The fonts and sizes of East Asian and complex-script text: \loch, \hich, \dbch, \ltrch
// and \rtlch say which kind of text the following \f, \af, \fs and \afs set, and each
// character is shown in the font and size of its script. The expected faces are the ones
// LibreOffice 7.4 shows for the same RTF.

#include "format/TextFormatProperties.h"
#include "rtf/RtfScript.h"
#include "tests/rtf/RtfTestSupport.h"

#include <gtest/gtest.h>

using namespace TextFormatProperties;

namespace {

struct AssociatedFontCase
{
    const char* name;
    const char* text;   // after the font table, up to the document's closing brace
    const char* sample; // a character to look at
    const char* face;
    int twips;
};

void PrintTo(const AssociatedFontCase& row, std::ostream* out)
{
    *out << row.name;
}

class RtfAssociatedFontTest : public testing::TestWithParam<AssociatedFontCase>
{
};

// 中 is East Asian, ש complex (Hebrew).
const AssociatedFontCase Cases[] = {
    {"WordsRunWithAllKinds",
     "\\rtlch\\af3\\afs36\\ltrch\\f2\\fs20\\loch\\af2\\hich\\af2\\dbch\\af1 Ab\\u20013?", "A",
     "Times New Roman", 200},
    {"WordsRunGivesCjkItsFont",
     "\\rtlch\\af3\\afs36\\ltrch\\f2\\fs20\\loch\\af2\\hich\\af2\\dbch\\af1 Ab\\u20013?", "中", "SimSun",
     200},
    {"WordsRunGivesHebrewItsFontAndSize", "\\rtlch\\af3\\afs36\\ltrch\\f2\\fs20 Ab\\u1513?", "ש", "MS Mincho",
     360},
    {"DbchFontLeavesLatinText", "\\dbch\\af1\\afs32 Two\\u20013?", "T", "Arial", 320},
    {"DbchSizeIsTheSizeOfBoth", "\\dbch\\af1\\afs32 Two\\u20013?", "中", "SimSun", 320},
    {"FInDbchSetsTheEastAsianFont", "\\dbch\\f3\\fs28 Four\\u20013?", "中", "MS Mincho", 280},
    {"HichFontIsTheLatinFont", "\\hich\\af1\\afs32 Three", "T", "SimSun", 240},
    {"AfWithoutKindIsTheLatinFont", "\\af3\\afs36 Five", "F", "MS Mincho", 360},
    {"ComplexSizeIsItsOwn", "\\fs20 G\\u1513?", "ש", "Arial", 240},
    {"PlainEndsTheKind", "\\dbch\\af1 A\\plain\\f2\\fs20 B\\u20013?", "中", "Times New Roman", 200},
    {"GroupEndEndsTheKind", "{\\dbch\\af1 C}\\f2 D", "D", "Times New Roman", 240},
    {"PardKeepsTheKind", "\\dbch\\af1 E\\pard\\f2\\fs20 F\\u20013?", "中", "Times New Roman", 200},
    {"PardKeepsTheKindForLatin", "\\dbch\\af1 E\\pard\\f2\\fs20 F\\u20013?", "F", "Arial", 200},
    {"DigitsNextToCjkAreLatin", "\\dbch\\af1\\loch 12 \\u20013? 34", "3", "Arial", 240},
    {"SpaceAfterCjkGoesWithIt", "\\dbch\\af1\\loch \\u20013? x", " ", "SimSun", 240},
};

INSTANTIATE_TEST_SUITE_P(Rows, RtfAssociatedFontTest, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<AssociatedFontCase>& info) {
                             return info.param.name;
                         });

} // namespace

TEST_P(RtfAssociatedFontTest, CharacterShowsTheFontAndSizeOfItsScript)
{
    const AssociatedFontCase& row = GetParam();
    const QByteArray rtf =
        QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
                   "{\\f1\\fnil\\fcharset134 SimSun;}{\\f2\\froman\\fcharset0 Times New Roman;}"
                   "{\\f3\\fnil\\fcharset128 MS Mincho;}}\\pard\\plain\\f0\\fs24 ") +
        row.text + "\\par}";
    const auto document = readRtf(rtf);
    const int position = int(document->toPlainText().indexOf(QString::fromUtf8(row.sample)));
    ASSERT_GE(position, 0) << qPrintable(document->toPlainText());
    const QTextCharFormat format = formatAt(*document, position);
    EXPECT_EQ(format.fontFamilies().toStringList().value(0), QString::fromUtf8(row.face));
    EXPECT_EQ(charSize(format), row.twips);
}

TEST(RtfScriptRunsTest, RunsAreSplitOnlyWhereTheScriptLooksDifferent)
{
    const auto document = readRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset134 SimSun;}}"
                                  "\\f0\\dbch\\af1\\loch Abc\\u20013?\\u25991? end\\par"
                                  "\\plain\\f0 Abc\\u20013?\\u25991? end\\par}");
    const auto fragments = [](const QTextBlock& block) {
        QStringList texts;
        for (auto it = block.begin(); !it.atEnd(); ++it)
            texts << it.fragment().text();
        return texts;
    };
    EXPECT_EQ(fragments(document->firstBlock()), (QStringList{"Abc", "中文 ", "end"}));
    // Without an East Asian font the CJK text looks like the rest: one run.
    EXPECT_EQ(fragments(document->firstBlock().next()), (QStringList{"Abc中文 end"}));
    EXPECT_EQ(charCharset(formatAt(*document, 3)), 134);
}

TEST(RtfScriptTest, ClassifiesCharactersByBlockAsWordProcessorsDo)
{
    EXPECT_EQ(rtfScriptClassOf(U'a'), RtfScriptClass::Latin);
    EXPECT_EQ(rtfScriptClassOf(U'7'), RtfScriptClass::Latin);
    EXPECT_EQ(rtfScriptClassOf(U'ž'), RtfScriptClass::Latin);
    EXPECT_EQ(rtfScriptClassOf(U'Ж'), RtfScriptClass::Latin);
    EXPECT_EQ(rtfScriptClassOf(U' '), RtfScriptClass::Weak);
    EXPECT_EQ(rtfScriptClassOf(U'\u2014'), RtfScriptClass::Weak); // em dash
    EXPECT_EQ(rtfScriptClassOf(U'中'), RtfScriptClass::Asian);
    EXPECT_EQ(rtfScriptClassOf(U'。'), RtfScriptClass::Asian);
    EXPECT_EQ(rtfScriptClassOf(U'カ'), RtfScriptClass::Asian);
    EXPECT_EQ(rtfScriptClassOf(U'한'), RtfScriptClass::Asian);
    EXPECT_EQ(rtfScriptClassOf(U'Ａ'), RtfScriptClass::Asian); // full-width
    EXPECT_EQ(rtfScriptClassOf(U'ש'), RtfScriptClass::Complex);
    EXPECT_EQ(rtfScriptClassOf(U'ب'), RtfScriptClass::Complex);
    EXPECT_EQ(rtfScriptClassOf(U'ก'), RtfScriptClass::Complex);
}
