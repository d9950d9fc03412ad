// A list level's label as its {\leveltext} group holds it: the first character is the
// label's length, the numbers of levels are the characters 0..8.

#include "rtf/RtfListReader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct LevelTextCase
{
    const char* name;
    const char* captured; // the group as read, after "{\leveltext"
    std::u16string label;
};

void PrintTo(const LevelTextCase& row, std::ostream* out)
{
    *out << row.name;
}

class RtfLevelTextTest : public testing::TestWithParam<LevelTextCase>
{
};

TEST_P(RtfLevelTextTest, LabelIsTheTextAfterItsLength)
{
    EXPECT_EQ(RtfListReader::levelTextOf(GetParam().captured).toStdU16String(), GetParam().label);
}

using namespace std::string_literals;

const LevelTextCase Cases[] = {
    {"HexEscapes", "\\'03(\\'00);}", u"(\0)"s},
    {"UnicodeSkipsOneReplacementAfterItsSpace", "\\'02\\u8226 ?\\'00;}", u"\u2022\0"s},
    {"UnicodeSkipsOneReplacementWithoutSpace", "\\'02\\u-3913?\\'01;}", u"\uF0B7\1"s},
    {"EscapedBracesAndBackslash", "\\'03\\{\\'00\\};}", u"{\0}"s},
    {"OtherWordsAndLineEndsAreNotText", "\\'02\\ltrch \r\n\\'00.;}", u"\0."s},
    {"LengthCutsTheLabel", "\\'01\\'00.;}", u"\0"s},
    {"TextStopsAtTheSemicolon", "\\'05\\'00.;xyz}", u"\0."s},
    {"EmptyGroup", "}", u""s},
};

INSTANTIATE_TEST_SUITE_P(Rows, RtfLevelTextTest, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<LevelTextCase>& info) { return info.param.name; });

} // namespace
