// The search rules on a bare document: where a word ends, which letters fold
// together, and searched texts that hold paragraph breaks.

#include "editcontrol/TextFinder.h"

#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

struct FinderCase
{
    const char* name;
    QString document; // "\n" breaks paragraphs
    DWORD flags;
    CHARRANGE range;
    QString text;
    CHARRANGE hit;
};

void PrintTo(const FinderCase& row, std::ostream* out)
{
    *out << row.name;
}

class TextFinderTest : public ::testing::TestWithParam<FinderCase>
{
};

TEST_P(TextFinderTest, FindsTheExpectedRange)
{
    const FinderCase& row = GetParam();
    QTextDocument document;
    QTextCursor(&document).insertText(row.document);
    const CHARRANGE hit = TextFinder(document, row.text, row.flags).find(row.range);
    EXPECT_EQ(hit.cpMin, row.hit.cpMin);
    EXPECT_EQ(hit.cpMax, row.hit.cpMax);
}

constexpr DWORD WholeWordDown = FR_DOWN | FR_WHOLEWORD;

INSTANTIATE_TEST_SUITE_P(
    Rules, TextFinderTest,
    ::testing::Values(
        FinderCase{"EndingInAStopMayTouchALetter", "abc.d", WholeWordDown, WholeText, "abc.", {0, 4}},
        FinderCase{"StartingWithASpaceMustEndAWord", "x abcd abc", WholeWordDown, WholeText, " abc", {6, 10}},
        FinderCase{"UnderscoreJoinsWords", "x_abc abc", WholeWordDown, WholeText, "abc", {6, 9}},
        FinderCase{
            "MarkJoinsTheWord", QStringLiteral("abc\u0301 abc"), WholeWordDown, WholeText, "abc", {5, 8}},
        FinderCase{"UpSkipsAPartOfAWord", "abc abcd", FR_WHOLEWORD, {8, EndOfText}, "abc", {0, 3}},
        FinderCase{"KelvinSignFoldsToK", QStringLiteral("5 \u212A"), FR_DOWN, WholeText, "k", {2, 3}},
        FinderCase{"KelvinSignNeedsMatchCaseOff", QStringLiteral("5 \u212A"), FR_DOWN | FR_MATCHCASE,
                   WholeText, "k", NoRange},
        FinderCase{"TextEndingInABreakEndsAParagraph", "ab\nab", FR_DOWN, WholeText, "b\r", {1, 3}},
        FinderCase{"BreakInTheTextUpFindsTheLastOne", "ab\ncd\nab\ncd", 0, {11, EndOfText}, "b\ncd", {7, 11}},
        FinderCase{"UpCrossesSeveralParagraphs", "abc\nx\ny\nz", 0, {9, EndOfText}, "abc", {0, 3}},
        FinderCase{"TextLongerThanTheDocument", "ab", FR_DOWN, WholeText, "abc", NoRange}),
    [](const ::testing::TestParamInfo<FinderCase>& info) { return std::string(info.param.name); });

} // namespace
