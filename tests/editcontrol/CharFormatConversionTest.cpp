#include "editcontrol/CharFormatConversion.h"

#include "format/TextFormatProperties.h"

#include <QFont>
#include <QTextCharFormat>

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace CharFormatConversion;

CHARFORMAT2A record(DWORD mask, DWORD effects)
{
    CHARFORMAT2A format;
    format.dwMask = mask;
    format.dwEffects = effects;
    return format;
}

CHARFORMAT2A describedWith(const QTextCharFormat& format,
                           const QFont& font = QFont(QStringLiteral("Arial"), 10))
{
    CHARFORMAT2A described;
    describe(format, font, described);
    return described;
}

// One attribute set through a record: it comes back from the format, and it is
// the only attribute in which the format differs from an empty one.
struct AttributeRow
{
    const char* name;
    CHARFORMAT2A change;
    DWORD attribute; // its mask bit
};

void PrintTo(const AttributeRow& row, std::ostream* out)
{
    *out << row.name;
}

class CharAttributeTest : public ::testing::TestWithParam<AttributeRow>
{
};

TEST_P(CharAttributeTest, SetAttributeReadsBackAndIsTheOnlyDifference)
{
    const AttributeRow& row = GetParam();
    const QFont font(QStringLiteral("Arial"), 10);
    const QTextCharFormat format = toQt(row.change);
    const CHARFORMAT2A back = describedWith(format, font);
    DWORD effects = (row.change.dwMask & row.change.dwEffects) | CFE_AUTOCOLOR | CFE_AUTOBACKCOLOR;
    if (row.attribute == CFM_COLOR)
        effects &= ~CFE_AUTOCOLOR;
    if (row.attribute == CFM_BACKCOLOR)
        effects &= ~CFE_AUTOBACKCOLOR;
    EXPECT_EQ(back.dwEffects, effects);
    EXPECT_EQ(back.yHeight, row.attribute == CFM_SIZE ? row.change.yHeight : 200);
    EXPECT_STREQ(back.szFaceName, row.attribute == CFM_FACE ? row.change.szFaceName : "Arial");
    EXPECT_EQ(back.crTextColor, row.attribute == CFM_COLOR ? row.change.crTextColor : 0u);
    EXPECT_EQ(back.crBackColor, row.attribute == CFM_BACKCOLOR ? row.change.crBackColor : 0u);
    EXPECT_EQ(commonMask(format, QTextCharFormat(), SupportedMask, font), SupportedMask & ~row.attribute);
}

AttributeRow effectRow(const char* name, DWORD mask, DWORD effects)
{
    return {name, record(mask, effects), mask};
}

AttributeRow sizeRow()
{
    CHARFORMAT2A change = record(CFM_SIZE, 0);
    change.yHeight = 210;
    return {"Size", change, CFM_SIZE};
}

AttributeRow faceRow()
{
    CHARFORMAT2A change = record(CFM_FACE, 0);
    std::strcpy(change.szFaceName, "Courier New");
    return {"Face", change, CFM_FACE};
}

AttributeRow colorRow(const char* name, DWORD mask, COLORREF color)
{
    CHARFORMAT2A change = record(mask, 0);
    (mask == CFM_COLOR ? change.crTextColor : change.crBackColor) = color;
    return {name, change, mask};
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CharAttributeTest,
    ::testing::Values(effectRow("Bold", CFM_BOLD, CFE_BOLD), effectRow("Italic", CFM_ITALIC, CFE_ITALIC),
                      effectRow("Underline", CFM_UNDERLINE, CFE_UNDERLINE),
                      effectRow("StrikeOut", CFM_STRIKEOUT, CFE_STRIKEOUT),
                      effectRow("Protected", CFM_PROTECTED, CFE_PROTECTED),
                      effectRow("Link", CFM_LINK, CFE_LINK),
                      effectRow("Subscript", CFM_SUBSCRIPT, CFE_SUBSCRIPT),
                      effectRow("Superscript", CFM_SUPERSCRIPT, CFE_SUPERSCRIPT), sizeRow(), faceRow(),
                      colorRow("TextColor", CFM_COLOR, RGB(200, 10, 20)),
                      colorRow("BackColor", CFM_BACKCOLOR, RGB(1, 2, 250))),
    [](const ::testing::TestParamInfo<AttributeRow>& info) { return std::string(info.param.name); });

TEST(CharFormatConversionTest, AnEmptyFormatIsTheDefaultFontInAutomaticColours)
{
    const CHARFORMAT2A described = describedWith(QTextCharFormat(), QFont(QStringLiteral("Arial"), 10));
    EXPECT_EQ(described.yHeight, 200);
    EXPECT_STREQ(described.szFaceName, "Arial");
    EXPECT_EQ(described.dwEffects, CFE_AUTOCOLOR | CFE_AUTOBACKCOLOR);
    EXPECT_EQ(described.wWeight, 400);
}

TEST(CharFormatConversionTest, OnlyTheMaskedAttributesChange)
{
    CHARFORMAT2A change = record(CFM_ITALIC, CFE_BOLD | CFE_ITALIC);
    change.yHeight = 300;
    change.crTextColor = RGB(255, 0, 0);
    const QTextCharFormat format = toQt(change);
    EXPECT_TRUE(format.fontItalic());
    EXPECT_FALSE(format.hasProperty(QTextFormat::FontWeight));
    EXPECT_FALSE(format.hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(TextFormatProperties::charSize(format), 0);

    // Clearing an effect is a change too, and so is an automatic colour, which
    // must remove the colour of text it is merged into; a size of 0 is not.
    change = record(CFM_BOLD | CFM_SIZE | CFM_COLOR | CFM_SUBSCRIPT, CFE_AUTOCOLOR);
    const QTextCharFormat cleared = toQt(change);
    EXPECT_EQ(cleared.fontWeight(), QFont::Normal);
    EXPECT_EQ(cleared.verticalAlignment(), QTextCharFormat::AlignNormal);
    EXPECT_FALSE(cleared.hasProperty(TextFormatProperties::CharSizeTwips));
    QTextCharFormat red;
    red.setForeground(Qt::red);
    red.merge(cleared);
    EXPECT_TRUE(TextFormatProperties::charAutoColor(red));
}

TEST(CharFormatConversionTest, CommonMaskKeepsOnlyTheBitsItWasGiven)
{
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    const QFont font(QStringLiteral("Arial"), 10);
    EXPECT_EQ(commonMask(bold, QTextCharFormat(), CFM_ITALIC | CFM_SIZE, font), CFM_ITALIC | CFM_SIZE);
    EXPECT_EQ(commonMask(bold, QTextCharFormat(), CFM_BOLD | CFM_SIZE, font), CFM_SIZE);
    // A size the run sets equals the default font's size where they agree.
    QTextCharFormat tenPoints;
    TextFormatProperties::setCharSize(tenPoints, 200);
    EXPECT_EQ(commonMask(tenPoints, QTextCharFormat(), CFM_SIZE, font), CFM_SIZE);
}

} // namespace
