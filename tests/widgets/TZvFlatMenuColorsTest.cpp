// Lightening and darkening, and the colours the flat menu renderer derives
// from the system colours or from its own colour properties.

#include "widgets/TZvFlatMenuColors.h"

#include <gtest/gtest.h>

TEST(TZvFlatMenuColorsTest, LightenMovesTowardsWhiteByRoundedPercentAndDarkenSparesGreenTwo)
{
    EXPECT_EQ(Lighten(QColor(100, 150, 200), 50), QColor(178, 203, 228));
    EXPECT_EQ(Lighten(QColor(100, 150, 200), 0), QColor(100, 150, 200));
    EXPECT_EQ(Lighten(QColor(100, 150, 200), 130), QColor(255, 255, 255));
    EXPECT_EQ(Darken(QColor(100, 100, 100), 30), QColor(70, 72, 70));
    EXPECT_EQ(Darken(QColor(20, 20, 20), 30), QColor(0, 0, 0));
}

TEST(TZvFlatMenuColorsTest, DerivedColoursFollowTheSystemOrThePropertiesByDisplayDepth)
{
    TZvFlatMenuProperties properties;
    properties.SelectColor = RGB(100, 120, 140);
    properties.Color = RGB(1, 2, 3);
    const QColor face = SysColor(clBtnFace);
    const QColor highlight = SysColor(clHighlight);
    const QColor shadow = SysColor(clBtnShadow);
    const QColor select = SysColor(properties.SelectColor);
    const QColor white(Qt::white);
    const struct
    {
        const char* name;
        bool useSystemColors;
        bool useDimColor;
        ColorDepth depth;
        QColor TZvFlatMenuColors::*member;
        QColor expected;
    } rows[] = {
        {"system deep background", true, false, ColorDepth::High, &TZvFlatMenuColors::menuBackground,
         Lighten(face, 86)},
        {"system deep icon column", true, false, ColorDepth::High, &TZvFlatMenuColors::iconColumn,
         Lighten(face, 16)},
        {"system deep selection", true, false, ColorDepth::High, &TZvFlatMenuColors::selectionFill,
         Lighten(highlight, 68)},
        {"system deep separator", true, false, ColorDepth::High, &TZvFlatMenuColors::separator,
         Lighten(shadow, 25)},
        {"system deep frame", true, false, ColorDepth::High, &TZvFlatMenuColors::popupFrame,
         Darken(face, 90)},
        {"system deep shadow", true, false, ColorDepth::High, &TZvFlatMenuColors::popupShadow,
         Darken(face, 76)},
        {"system shallow background", true, false, ColorDepth::Low, &TZvFlatMenuColors::menuBackground,
         white},
        {"system shallow icon column", true, false, ColorDepth::Low, &TZvFlatMenuColors::iconColumn, face},
        {"system shallow disabled", true, false, ColorDepth::Low, &TZvFlatMenuColors::disabled, shadow},
        {"system shallow frame", true, false, ColorDepth::Low, &TZvFlatMenuColors::popupFrame, shadow},
        {"own background", false, false, ColorDepth::High, &TZvFlatMenuColors::menuBackground,
         QColor(1, 2, 3)},
        {"own dimmed selection", false, true, ColorDepth::High, &TZvFlatMenuColors::selectionFill,
         Lighten(select, 68)},
        {"own dimmed check", false, true, ColorDepth::High, &TZvFlatMenuColors::checkFillUnselected,
         Lighten(select, 80)},
        {"own selection", false, false, ColorDepth::High, &TZvFlatMenuColors::selectionFill, select},
        {"own shallow selection", false, true, ColorDepth::Low, &TZvFlatMenuColors::selectionFill, select},
        {"own shallow check", false, true, ColorDepth::Low, &TZvFlatMenuColors::checkFillUnselected, white},
        {"own shallow selected check", false, true, ColorDepth::Low, &TZvFlatMenuColors::checkFillSelected,
         QColor(0xC0, 0xC0, 0xC0)},
    };
    for (const auto& row : rows) {
        properties.UseSystemColors = row.useSystemColors;
        properties.UseDimColor = row.useDimColor;
        const TZvFlatMenuColors colors = TZvFlatMenuColors::derive(properties, row.depth);
        EXPECT_EQ(colors.*row.member, row.expected) << row.name;
    }
}
