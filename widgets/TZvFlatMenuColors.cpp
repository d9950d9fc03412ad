#include "widgets/TZvFlatMenuColors.h"

#include <algorithm>
#include <cmath>

namespace {

int lightenChannel(int channel, int percent)
{
    return channel + int(std::lround((255 - channel) * percent / 100.0));
}

void explicitColors(const TZvFlatMenuProperties& properties, ColorDepth depth, TZvFlatMenuColors& colors)
{
    const bool high = depth == ColorDepth::High;
    const QColor select = SysColor(properties.SelectColor);
    const auto dimmed = [&](int percent) {
        return high && properties.UseDimColor ? Lighten(select, percent) : select;
    };
    colors.menuBackground = SysColor(properties.Color);
    colors.iconColumn = SysColor(properties.IconBackColor);
    colors.selectionFill = dimmed(68);
    colors.selectionBorder = SysColor(properties.SelectBorderColor);
    colors.selectedText = SysColor(properties.SelectFontColor);
    colors.menuBar = SysColor(properties.MenuBarColor);
    colors.disabled = SysColor(properties.DisabledColor);
    colors.separator = SysColor(properties.SeparatorColor);
    colors.checkFrame = SysColor(properties.CheckedColor);
    colors.checkFillUnselected = high ? dimmed(80) : QColor(Qt::white);
    colors.checkFillSelected = high ? dimmed(50) : QColor(0xC0, 0xC0, 0xC0);
}

void systemColors(const TZvFlatMenuProperties& properties, ColorDepth depth, TZvFlatMenuColors& colors)
{
    const bool high = depth == ColorDepth::High;
    const QColor face = SysColor(clBtnFace);
    const QColor highlight = SysColor(clHighlight);
    const QColor shadow = SysColor(clBtnShadow);
    const QColor white(Qt::white);
    colors.menuBackground = high ? Lighten(face, 86) : white;
    colors.iconColumn = high ? Lighten(face, 16) : face;
    colors.selectionFill = high ? Lighten(highlight, 68) : white;
    colors.selectionBorder = highlight;
    colors.selectedText = SysColor(properties.FontColor);
    colors.menuBar = face;
    colors.disabled = high ? Lighten(shadow, 10) : shadow;
    colors.separator = high ? Lighten(shadow, 25) : shadow;
    colors.checkFrame = highlight;
    colors.checkFillUnselected = high ? Lighten(highlight, 80) : white;
    colors.checkFillSelected = high ? Lighten(highlight, 50) : white;
}

} // namespace

QColor Lighten(const QColor& color, int percent)
{
    percent = std::clamp(percent, 0, 100);
    return QColor(lightenChannel(color.red(), percent), lightenChannel(color.green(), percent),
                  lightenChannel(color.blue(), percent));
}

QColor Darken(const QColor& color, int amount)
{
    return QColor(std::max(color.red() - amount, 0), std::max(color.green() - amount + 2, 0),
                  std::max(color.blue() - amount, 0));
}

TZvFlatMenuColors TZvFlatMenuColors::derive(const TZvFlatMenuProperties& properties, ColorDepth depth)
{
    TZvFlatMenuColors colors;
    if (properties.UseSystemColors)
        systemColors(properties, depth, colors);
    else
        explicitColors(properties, depth, colors);
    const QColor face = SysColor(clBtnFace);
    const QColor shadow = SysColor(clBtnShadow);
    colors.popupFrame = depth == ColorDepth::High ? Darken(face, 90) : shadow;
    colors.popupShadow = depth == ColorDepth::High ? Darken(face, 76) : shadow;
    return colors;
}
