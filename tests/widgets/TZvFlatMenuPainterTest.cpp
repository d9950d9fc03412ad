// The flat menu items pixel by pixel: the selection rectangle, the icon
// column and its gradient, the separator row, the tick of a checked item and
// the shadow of an open menu-bar item, and the measuring rules.

#include "widgets/TZvFlatMenuPainter.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

// Explicit colours, all different, so that each pixel tells which rule drew it.
TZvFlatMenuProperties explicitProperties()
{
    TZvFlatMenuProperties properties;
    properties.Font.setPixelSize(11);
    properties.UseSystemColors = false;
    properties.FontColor = RGB(0, 0, 0);
    properties.Color = RGB(250, 250, 240);
    properties.IconBackColor = RGB(200, 210, 220);
    properties.MenuBarColor = RGB(180, 180, 180);
    properties.SelectColor = RGB(120, 160, 240);
    properties.SelectBorderColor = RGB(10, 40, 200);
    properties.SelectFontColor = RGB(0, 0, 0);
    properties.DisabledColor = RGB(130, 130, 130);
    properties.SeparatorColor = RGB(90, 150, 90);
    properties.CheckedColor = RGB(200, 20, 20);
    return properties;
}

// The item drawn on a 24-bit image, as a display would receive it.
QImage paintOn24Bits(const TZvFlatMenuPainter& painter, const TZvFlatMenuItem& item, QSize size)
{
    QImage image(size, QImage::Format_RGB888);
    image.fill(Qt::magenta);
    QPainter onImage(&image);
    painter.paint(onImage, QRect(QPoint(0, 0), size), item);
    return image;
}

QColor at(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

TZvFlatMenuItem plainItem()
{
    TZvFlatMenuItem item;
    item.caption = QStringLiteral("Uložit");
    return item;
}

struct SelectionCase
{
    const char* name;
    bool flatMenu;
    bool enabled;
};

class SelectionRectangleTest : public ::testing::TestWithParam<SelectionCase>
{
};

} // namespace

TEST_P(SelectionRectangleTest, FramesRowsOneToHeightLessTwo)
{
    TZvFlatMenuProperties properties = explicitProperties();
    properties.FlatMenu = GetParam().flatMenu;
    const TZvFlatMenuPainter painter(properties, ColorDepth::Low);
    TZvFlatMenuItem item = plainItem();
    item.selected = true;
    item.enabled = GetParam().enabled;
    const QImage image = paintOn24Bits(painter, item, {160, 22});
    const TZvFlatMenuColors& colors = painter.colors();
    const int x = 120; // past the caption
    EXPECT_EQ(at(image, x, 0), colors.menuBackground);
    if (!item.enabled) {
        EXPECT_EQ(at(image, x, 1), colors.menuBackground) << "no rectangle for a disabled item";
        return;
    }
    EXPECT_EQ(at(image, x, 1), colors.selectionBorder);
    EXPECT_EQ(at(image, x, 2), colors.selectionFill);
    EXPECT_EQ(at(image, x, 19), colors.selectionFill);
    EXPECT_EQ(at(image, x, 20), colors.selectionBorder);
    EXPECT_EQ(at(image, x, 21), colors.menuBackground);
    EXPECT_EQ(at(image, 0, 10), colors.selectionBorder);
    // One pixel narrower on the right with the flat popup frame.
    EXPECT_EQ(at(image, 159, 10), properties.FlatMenu ? colors.menuBackground : colors.selectionBorder);
    EXPECT_EQ(at(image, properties.FlatMenu ? 158 : 159, 10), colors.selectionBorder);
}

INSTANTIATE_TEST_SUITE_P(Cases, SelectionRectangleTest,
                         ::testing::Values(SelectionCase{"FlatFrame", true, true},
                                           SelectionCase{"SystemFrame", false, true},
                                           SelectionCase{"Disabled", true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TZvFlatMenuPainterTest, IconColumnIsIconWidthWideWithoutGradient)
{
    for (const int iconWidth : {24, 30}) {
        TZvFlatMenuProperties properties = explicitProperties();
        properties.IconWidth = iconWidth;
        properties.Gradient = true; // no gradient on a display of 15 bits per pixel
        const TZvFlatMenuPainter painter(properties, ColorDepth::Low);
        const QImage image = paintOn24Bits(painter, plainItem(), {120, 22});
        EXPECT_EQ(at(image, iconWidth - 1, 0), painter.colors().iconColumn) << iconWidth;
        EXPECT_EQ(at(image, iconWidth, 0), painter.colors().menuBackground) << iconWidth;
    }
}

TEST(TZvFlatMenuPainterTest, GradientLightensTheIconColumnFastAcrossItThenSlowlyUpToNinetySixPerCent)
{
    TZvFlatMenuProperties properties = explicitProperties();
    properties.Gradient = true;
    const TZvFlatMenuPainter painter(properties, ColorDepth::High);
    const QImage image = paintOn24Bits(painter, plainItem(), {160, 22});
    const QColor icon = painter.colors().iconColumn;
    const struct
    {
        int column;
        int percent;
    } rows[] = {{0, 1}, {1, 4}, {28, 85}, {29, 86}, {38, 95}, {39, 96}, {159, 96}};
    for (const auto& row : rows)
        EXPECT_EQ(at(image, row.column, 21), Lighten(icon, row.percent)) << "column " << row.column;
}

TEST(TZvFlatMenuPainterTest, SeparatorIsOneLineAcrossTheMiddleRowFromSevenPixelsIntoTheTextArea)
{
    const TZvFlatMenuPainter painter(explicitProperties(), ColorDepth::Low);
    TZvFlatMenuItem separator;
    separator.caption = QStringLiteral("-");
    const QSize size = painter.measure(separator);
    ASSERT_EQ(size.height(), 4);
    const QImage image = paintOn24Bits(painter, separator, {100, 4});
    const TZvFlatMenuColors& colors = painter.colors();
    EXPECT_EQ(at(image, 24 + 6, 2), colors.menuBackground);
    EXPECT_EQ(at(image, 24 + 7, 2), colors.separator);
    EXPECT_EQ(at(image, 99, 2), colors.separator);
    for (const int row : {0, 1, 3})
        EXPECT_EQ(at(image, 60, row), colors.menuBackground) << row;
}

TEST(TZvFlatMenuPainterTest, CheckedItemWithoutImageGetsAFramedBoxWithTheFiveStrokeTick)
{
    const TZvFlatMenuPainter painter(explicitProperties(), ColorDepth::High);
    TZvFlatMenuItem item = plainItem();
    item.check = MenuItemCheck::Check;
    item.checked = true;
    const QImage image = paintOn24Bits(painter, item, {120, 22});
    const QRect box = painter.indicatorBox(item, 22);
    ASSERT_EQ(box, QRect(7, 6, 10, 10));
    const int left = box.left();
    const int top = box.top();
    const TZvFlatMenuColors& colors = painter.colors();
    EXPECT_EQ(at(image, left, top + 2), colors.checkFrame);
    EXPECT_EQ(at(image, left + 9, top + 9), colors.checkFrame);
    EXPECT_EQ(at(image, left + 2, top + 2), colors.checkFillUnselected);
    // The strokes, each without its end point; the long one reaches past the box.
    const QPoint tick[] = {{1, 5}, {2, 6}, {3, 7},  {2, 5}, {3, 6}, {2, 4},
                           {4, 6}, {4, 7}, {11, 0}, {4, 8}, {5, 7}, {7, 4}};
    for (const QPoint& point : tick)
        EXPECT_EQ(at(image, left + point.x(), top + point.y()), QColor(Qt::black))
            << point.x() << "," << point.y();
    EXPECT_NE(at(image, left + 12, top - 1), QColor(Qt::black)) << "the end point of the long stroke";
}

TEST(TZvFlatMenuPainterTest, DisabledTickIsInTheDisabledColourWithoutFill)
{
    const TZvFlatMenuPainter painter(explicitProperties(), ColorDepth::High);
    TZvFlatMenuItem item = plainItem();
    item.check = MenuItemCheck::Check;
    item.checked = true;
    item.enabled = false;
    const QImage image = paintOn24Bits(painter, item, {120, 22});
    const QRect box = painter.indicatorBox(item, 22);
    EXPECT_EQ(at(image, box.left() + 1, box.top() + 5), painter.colors().disabled);
    EXPECT_EQ(at(image, box.left(), box.top() + 2), painter.colors().disabled);
    EXPECT_NE(at(image, box.left() + 2, box.top() + 2), painter.colors().checkFillUnselected);
}

TEST(TZvFlatMenuPainterTest, OpenMenuBarItemIsABoxWithAStepShadowInItsLastSevenColumns)
{
    const TZvFlatMenuPainter painter(explicitProperties(), ColorDepth::High);
    TZvFlatMenuItem item = plainItem();
    item.place = MenuItemPlace::OnBar;
    item.selected = true;
    const QImage image = paintOn24Bits(painter, item, {60, 20});
    const QColor bar = painter.colors().menuBar;
    const QColor border = painter.colors().selectionBorder;
    EXPECT_EQ(at(image, 0, 10), border);
    EXPECT_EQ(at(image, 30, 0), border);
    EXPECT_EQ(at(image, 52, 10), border);
    EXPECT_EQ(at(image, 30, 19), painter.colors().selectionFill) << "open at the bottom";
    const struct
    {
        QPoint pixel;
        int darkening;
    } shadow[] = {{{53, 0}, 10}, {{59, 2}, 10}, {{53, 3}, 30},  {{57, 3}, 30},   {{58, 4}, 10},
                  {{56, 5}, 60}, {{57, 5}, 30}, {{53, 6}, 100}, {{54, 19}, 100}, {{55, 19}, 60}};
    for (const auto& row : shadow)
        EXPECT_EQ(at(image, row.pixel.x(), row.pixel.y()), Darken(bar, row.darkening))
            << row.pixel.x() << "," << row.pixel.y();
}

TEST(TZvFlatMenuPainterTest, MeasuringRaisesTheProposedSize)
{
    const TZvFlatMenuPainter painter(explicitProperties(), ColorDepth::High);
    TZvFlatMenuItem item = plainItem();
    item.image = QImage(16, 16, QImage::Format_ARGB32);
    EXPECT_GE(painter.measure(item).height(), 22);
    EXPECT_EQ(painter.measure(item, {10, 40}).height(), 40);
    TZvFlatMenuItem withSubMenu = item;
    withSubMenu.hasSubMenu = true;
    EXPECT_EQ(painter.measure(withSubMenu).width(), painter.measure(item).width() + 6);
    TZvFlatMenuItem wideImage = item;
    wideImage.image = QImage(40, 16, QImage::Format_ARGB32);
    EXPECT_EQ(painter.measure(wideImage).width(), painter.measure(item).width() + 40 - 24);
}
