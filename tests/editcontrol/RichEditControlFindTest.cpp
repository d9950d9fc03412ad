#include "editcontrol/RichEditControl.h"

#include <gtest/gtest.h>

namespace {

// Offsets:  0 "abc Abc abcd", 12 break, 13 "xabc abc", 21 break, 22 "Čáp čáp", 29 end.
const QString Text = QStringLiteral("abc Abc abcd\nxabc abc\nČáp čáp");

struct FindCase
{
    const char* name;
    DWORD flags;
    CHARRANGE range;
    QString text;
    LONG hit;       // NoPosition: not found
    LONG hitLength; // in document characters, a paragraph break counting one
};

void PrintTo(const FindCase& row, std::ostream* out)
{
    *out << row.name;
}

class FindTextExTest : public ::testing::TestWithParam<FindCase>
{
};

TEST_P(FindTextExTest, FindsTheExpectedHit)
{
    const FindCase& row = GetParam();
    RichEditControl control{RichEditStyle{}};
    control.SetText(Text);
    FINDTEXTEX find;
    find.chrg = row.range;
    find.lpstrText = row.text;

    EXPECT_EQ(control.FindTextEx(row.flags, find), row.hit);
    const CHARRANGE expected = row.hit == NoPosition ? NoRange : CHARRANGE{row.hit, row.hit + row.hitLength};
    EXPECT_EQ(find.chrgText.cpMin, expected.cpMin);
    EXPECT_EQ(find.chrgText.cpMax, expected.cpMax);
}

const QString abc = QStringLiteral("abc");
constexpr DWORD Down = FR_DOWN;
constexpr DWORD Up = 0;

INSTANTIATE_TEST_SUITE_P(
    Searches, FindTextExTest,
    ::testing::Values(
        FindCase{"DownFromTheStart", Down, {0, EndOfText}, abc, 0, 3},
        FindCase{"DownIgnoresCaseWithoutMatchCase", Down, {1, EndOfText}, abc, 4, 3},
        FindCase{"DownWithMatchCase", Down | FR_MATCHCASE, {1, EndOfText}, abc, 8, 3},
        FindCase{
            "DownWholeWordSkipsPartsOfWords", Down | FR_MATCHCASE | FR_WHOLEWORD, {5, EndOfText}, abc, 18, 3},
        FindCase{"DownRangeEndCutsAHitOff", Down, {1, 6}, abc, NoPosition, 0},
        FindCase{"DownRangeEndHoldsAHitThatEndsThere", Down, {1, 7}, abc, 4, 3},
        FindCase{"DownRangeBeyondTheEndIsClamped", Down, {20, 100}, QStringLiteral("čáp"), 22, 3},
        FindCase{"CzechCapitalsMatchSmallLetters", Down, {0, EndOfText}, QStringLiteral("ČÁP"), 22, 3},
        FindCase{"CzechMatchCase", Down | FR_MATCHCASE, {0, EndOfText}, QStringLiteral("čáp"), 26, 3},
        FindCase{
            "TextWithLineBreakSpansParagraphs", Down, {0, EndOfText}, QStringLiteral("abcd\r\nxabc"), 8, 9},
        FindCase{"TextWithLineBreakUp", Up, {29, 59}, QStringLiteral("abcd\nxa"), 8, 7},
        FindCase{"UpFindsTheNearestHitBeforeTheStart", Up, {29, 59}, abc, 18, 3},
        FindCase{"UpHitEndsAtTheStartAtMost", Up, {17, 35}, abc, 14, 3},
        FindCase{"UpSkipsAHitThatCrossesTheStart", Up, {16, 33}, abc, 8, 3},
        FindCase{"UpWholeWord", Up | FR_WHOLEWORD, {18, 37}, abc, 4, 3},
        FindCase{"UpToTheStartWhenTheRangeEndIsEndOfText", Up, {3, EndOfText}, abc, 0, 3},
        FindCase{"UpRangeEndBelowTheStartBoundsTheSearch", Up, {20, 10}, abc, 14, 3},
        FindCase{"UpBoundedRangeWithoutHit", Up, {13, 10}, abc, NoPosition, 0},
        FindCase{"NoHit", Down, {0, EndOfText}, QStringLiteral("pes"), NoPosition, 0},
        FindCase{"EmptyTextIsNeverFound", Down, {0, EndOfText}, QString(), NoPosition, 0}),
    [](const ::testing::TestParamInfo<FindCase>& info) { return std::string(info.param.name); });

} // namespace
