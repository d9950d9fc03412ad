// The flat check box in its states: outline, fill and tick colours.

#include "widgets/TZvFlatMenuControlPainter.h"

#include <QPainter>

#include <gtest/gtest.h>

TEST(TZvFlatMenuControlPainterTest, CheckBoxOutlineFillAndTickFollowTheState)
{
    TZvFlatMenuProperties properties;
    const TZvFlatMenuColors colors = TZvFlatMenuColors::derive(properties, ColorDepth::High);
    const TZvFlatMenuControlPainter painter(colors);
    const QColor none; // not checked: no tick to look at
    const struct
    {
        const char* name;
        FlatControlState state;
        CheckMark mark;
        QColor outline;
        QColor fill;
        QColor tick;
    } rows[] = {
        {"at rest", {}, CheckMark::Checked, SysColor(clBtnShadow), SysColor(clWindow), SysColor(clHighlight)},
        {"hovered",
         {true, false, false, true},
         CheckMark::Unchecked,
         colors.selectionBorder,
         colors.selectionFill,
         none},
        {"focused",
         {false, true, false, true},
         CheckMark::Unchecked,
         colors.selectionBorder,
         colors.selectionFill,
         none},
        {"pressed",
         {true, false, true, true},
         CheckMark::Checked,
         colors.selectionBorder,
         colors.checkFillSelected,
         SysColor(clWindow)},
        {"grayed",
         {},
         CheckMark::Grayed,
         SysColor(clBtnShadow),
         QColor(0xC0, 0xC0, 0xC0),
         QColor(0x80, 0x80, 0x80)},
        {"disabled",
         {false, false, false, false},
         CheckMark::Checked,
         SysColor(clBtnShadow),
         SysColor(clWindow),
         colors.disabled},
    };
    for (const auto& row : rows) {
        QImage image(14, 14, QImage::Format_RGB888);
        QPainter onImage(&image);
        painter.paintCheckBox(onImage, image.rect(), QColor(Qt::magenta), row.mark, row.state);
        onImage.end();
        EXPECT_EQ(image.pixel(0, 0), QColor(Qt::magenta).rgb())
            << row.name << ": cleared in the control's colour";
        EXPECT_EQ(image.pixel(2, 6), row.outline.rgb()) << row.name;
        EXPECT_EQ(image.pixel(3, 3), row.fill.rgb()) << row.name;
        // The tick box lies one pixel inside the box: its first stroke starts at (+1, +5).
        if (row.tick.isValid()) {
            EXPECT_EQ(image.pixel(4, 8), row.tick.rgb()) << row.name;
        }
    }
}
