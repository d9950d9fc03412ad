#include "platform/ColorRef.h"

#include <gtest/gtest.h>

namespace {

struct ColorRefRow
{
    const char* name;
    COLORREF colorRef;
    QColor color;
};

void PrintTo(const ColorRefRow& row, std::ostream* out)
{
    *out << row.name;
}

class ColorRefTest : public ::testing::TestWithParam<ColorRefRow>
{
};

TEST_P(ColorRefTest, RedIsTheLowestByteAndBlueTheThird)
{
    EXPECT_EQ(ColorRefToQColor(GetParam().colorRef), GetParam().color);
    EXPECT_EQ(QColorToColorRef(GetParam().color), GetParam().colorRef);
    EXPECT_EQ(RGB(GetParam().color.red(), GetParam().color.green(), GetParam().color.blue()),
              GetParam().colorRef);
}

INSTANTIATE_TEST_SUITE_P(Rows, ColorRefTest,
                         ::testing::Values(ColorRefRow{"Red", 0x000000FF, QColor(255, 0, 0)},
                                           ColorRefRow{"Green", 0x0000FF00, QColor(0, 255, 0)},
                                           ColorRefRow{"Blue", 0x00FF0000, QColor(0, 0, 255)},
                                           ColorRefRow{"Mixed", 0x00F0CAA6, QColor(166, 202, 240)},
                                           ColorRefRow{"Black", 0x00000000, QColor(0, 0, 0)}),
                         [](const ::testing::TestParamInfo<ColorRefRow>& info) {
                             return std::string(info.param.name);
                         });

TEST(ColorRefTest, AlphaAndTheHighByteAreNotPartOfTheColour)
{
    EXPECT_EQ(QColorToColorRef(QColor(1, 2, 3, 10)), RGB(1, 2, 3));
    EXPECT_EQ(ColorRefToQColor(0xFF0000FF), QColor(255, 0, 0));
    EXPECT_EQ(RGB(0x1FF, 0, 0), 0x000000FFu) << "each channel is one byte";
}

} // namespace
