// The palette panel's layout, its colour names and the colour-change rule.

#include "widgets/TZvColorPanel.h"

#include "platform/ScriptedDesktop.h"
#include "widgets/TZvColorNames.h"
#include "widgets/TZvColorPaletteButton.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Which palette button shows the colour: -1 the automatic button, 0 to 39 a
// cell, or none at all.
constexpr int AutoPressed = -1;
constexpr int NonePressed = -2;

int pressedButton(const TZvColorPanel& panel)
{
    int pressed = NonePressed;
    int count = 0;
    if (panel.autoButton()->isChecked()) {
        pressed = AutoPressed;
        ++count;
    }
    for (int index = 0; index < TZvColorPanelLayout::CellCount; ++index) {
        if (panel.cell(index)->isChecked()) {
            pressed = index;
            ++count;
        }
    }
    return count > 1 ? -100 : pressed; // two pressed at once is a fault of its own
}

struct LayoutCase
{
    const char* name;
    std::function<void(TZvColorPanelProperties&)> change;
    QSize size;
    QRect firstCell;
    QRect otherButton;
};

class TZvColorPanelLayoutTest : public ::testing::TestWithParam<LayoutCase>
{
};

} // namespace

TEST_P(TZvColorPanelLayoutTest, SizesThePanelAndPlacesTheButtons)
{
    ScriptedDesktop desktop;
    TZvColorPanel panel(desktop, nullptr);
    GetParam().change(panel.Properties());
    EXPECT_EQ(panel.size(), GetParam().size);
    EXPECT_EQ(panel.cell(0)->geometry(), GetParam().firstCell);
    EXPECT_EQ(panel.otherButton()->geometry(), GetParam().otherButton);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TZvColorPanelLayoutTest,
    ::testing::Values(
        LayoutCase{
            "Initial", [](TZvColorPanelProperties&) {}, {158, 148}, {7, 28, 18, 18}, {7, 122, 144, 22}},
        LayoutCase{"EmptyAutoCaption",
                   [](TZvColorPanelProperties& p) { p.setAutoCaption(QString()); },
                   {158, 126},
                   {7, 4, 18, 18},
                   {7, 98, 144, 22}},
        LayoutCase{"ColorSizeBelowMinimum",
                   [](TZvColorPanelProperties& p) { p.setColorSize(10); },
                   {158, 148},
                   {7, 28, 18, 18},
                   {7, 122, 144, 22}},
        LayoutCase{"ColorSpace2",
                   [](TZvColorPanelProperties& p) { p.setColorSpace(2); },
                   {172, 156},
                   {7, 28, 18, 18},
                   {7, 130, 158, 22}},
        LayoutCase{"NoOtherButton",
                   [](TZvColorPanelProperties& p) { p.setShowOtherButton(false); },
                   {158, 126},
                   {7, 28, 18, 18},
                   {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TZvColorPanelTest, CellsStepByTheirSizeRowByRow)
{
    ScriptedDesktop desktop;
    TZvColorPanel panel(desktop, nullptr);
    EXPECT_EQ(panel.cell(7)->geometry(), QRect(133, 28, 18, 18));
    EXPECT_EQ(panel.cell(8)->geometry(), QRect(7, 46, 18, 18));
    EXPECT_EQ(panel.cell(39)->geometry(), QRect(133, 100, 18, 18));
}

TEST(TZvColorPanelTest, NumericPropertiesAreRaisedToTheirMinimumAndAnnounced)
{
    std::vector<TZvColorProperty> announced;
    TZvColorPanelProperties properties([&](TZvColorProperty name) { announced.push_back(name); });
    properties.setColorSize(10);
    properties.setColorSize(18); // equal to the stored value: ignored
    properties.setTopMargin(0);
    properties.setRightClickSelect(false); // announced although unchanged
    EXPECT_EQ(properties.ColorSize(), 18);
    EXPECT_EQ(properties.TopMargin(), 2);
    EXPECT_EQ(announced, (std::vector{TZvColorProperty::ColorSize, TZvColorProperty::TopMargin,
                                      TZvColorProperty::RightClickSelect}));
}

TEST(TZvColorPanelTest, ColoursAreNamedAsTheToolkitWritesThem)
{
    EXPECT_EQ(ColorToString(clBlack), QStringLiteral("clBlack"));
    EXPECT_EQ(ColorToString(clFuchsia), QStringLiteral("clFuchsia"));
    EXPECT_EQ(ColorToString(clDefault), QStringLiteral("clDefault"));
    EXPECT_EQ(ColorToString(RGB(0x99, 0x33, 0x00)), QStringLiteral("$00003399"));
    EXPECT_EQ(ColorToString(clBtnFace), QStringLiteral("$FF00000F"));

    ScriptedDesktop desktop;
    TZvColorPanel panel(desktop, nullptr);
    EXPECT_EQ(panel.cell(0)->toolTip(), QStringLiteral("clBlack"));
    EXPECT_EQ(panel.cell(1)->toolTip(), QStringLiteral("$00003399"));
    EXPECT_EQ(panel.cell(39)->toolTip(), QStringLiteral("clWhite"));
    EXPECT_EQ(panel.autoButton()->toolTip(), QStringLiteral("clDefault"));
    panel.Properties().setShowColorHint(false);
    EXPECT_TRUE(panel.cell(1)->toolTip().isEmpty());
    panel.Properties().setAutoHint(QStringLiteral("Auto"));
    EXPECT_TRUE(panel.autoButton()->toolTip().isEmpty());
    panel.Properties().setShowColorHint(true);
    EXPECT_EQ(panel.autoButton()->toolTip(), QStringLiteral("Auto"));
}

struct ColorChangeCase
{
    const char* name;
    TColor color;
    int pressed;
    int events;
};

class TZvColorPanelChangeTest : public ::testing::TestWithParam<ColorChangeCase>
{
};

TEST_P(TZvColorPanelChangeTest, PressesTheButtonOfTheColourAndAnnouncesARealChangeOnce)
{
    ScriptedDesktop desktop;
    TZvColorPanel panel(desktop, nullptr);
    panel.setSelectedColor(clWhite);
    int events = 0;
    panel.OnColorChange = [&](QObject* sender) {
        EXPECT_EQ(sender, &panel);
        ++events;
    };
    panel.setSelectedColor(GetParam().color);
    EXPECT_EQ(panel.SelectedColor(), GetParam().color);
    EXPECT_EQ(pressedButton(panel), GetParam().pressed);
    EXPECT_EQ(events, GetParam().events);
}

INSTANTIATE_TEST_SUITE_P(Cases, TZvColorPanelChangeTest,
                         ::testing::Values(ColorChangeCase{"Unchanged", clWhite, 39, 0},
                                           ColorChangeCase{"Red", clRed, 16, 1},
                                           ColorChangeCase{"InNoCell", RGB(0x12, 0x34, 0x56), NonePressed, 1},
                                           ColorChangeCase{"Automatic", clDefault, AutoPressed, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TZvColorPanelTest, ANewPanelIsBlackWithTheAutomaticButtonPressed)
{
    ScriptedDesktop desktop;
    TZvColorPanel panel(desktop, nullptr);
    EXPECT_EQ(panel.SelectedColor(), clBlack);
    EXPECT_EQ(pressedButton(panel), AutoPressed);
}
