#include "platform/SysColor.h"

#include <QGuiApplication>
#include <QPalette>

#include <optional>

namespace {

// The palette role that plays a system colour's part, where Qt has one.
std::optional<QPalette::ColorRole> paletteRole(unsigned index)
{
    switch (index) {
    case COLOR_MENU:
    case COLOR_MENUBAR:
    case COLOR_ACTIVEBORDER:
    case COLOR_INACTIVEBORDER:
        return QPalette::Window;
    case COLOR_WINDOW:
        return QPalette::Base;
    case COLOR_MENUTEXT:
    case COLOR_WINDOWFRAME:
        return QPalette::WindowText;
    case COLOR_WINDOWTEXT:
        return QPalette::Text;
    case COLOR_HIGHLIGHT:
    case COLOR_MENUHILIGHT:
        return QPalette::Highlight;
    case COLOR_HIGHLIGHTTEXT:
        return QPalette::HighlightedText;
    case COLOR_BTNFACE:
        return QPalette::Button;
    case COLOR_BTNSHADOW:
        return QPalette::Dark;
    case COLOR_BTNTEXT:
        return QPalette::ButtonText;
    case COLOR_BTNHIGHLIGHT:
        return QPalette::Light;
    case COLOR_3DDKSHADOW:
        return QPalette::Shadow;
    case COLOR_3DLIGHT:
        return QPalette::Midlight;
    case COLOR_INFOTEXT:
        return QPalette::ToolTipText;
    case COLOR_INFOBK:
        return QPalette::ToolTipBase;
    case COLOR_HOTLIGHT:
        return QPalette::Link;
    default:
        return std::nullopt;
    }
}

// The classic Windows values of the colours that have no palette role.
std::optional<QColor> classicColor(unsigned index)
{
    switch (index) {
    case COLOR_SCROLLBAR:
        return QColor(212, 208, 200);
    case COLOR_BACKGROUND:
        return QColor(58, 110, 165);
    case COLOR_ACTIVECAPTION:
        return QColor(10, 36, 106);
    case COLOR_INACTIVECAPTION:
        return QColor(128, 128, 128);
    case COLOR_CAPTIONTEXT:
        return QColor(255, 255, 255);
    case COLOR_APPWORKSPACE:
        return QColor(128, 128, 128);
    case COLOR_INACTIVECAPTIONTEXT:
        return QColor(212, 208, 200);
    case COLOR_GRADIENTACTIVECAPTION:
        return QColor(166, 202, 240);
    case COLOR_GRADIENTINACTIVECAPTION:
        return QColor(192, 192, 192);
    default:
        return std::nullopt;
    }
}

} // namespace

QColor SysColor(TColor color)
{
    if (color == clNone)
        return {};
    if (color == clDefault)
        color = clWindowText;
    if ((color & 0xFF000000) != clSystemColor)
        return ColorRefToQColor(color);
    const unsigned index = color & 0xFF;
    if (index == COLOR_GRAYTEXT)
        return QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
    if (const auto role = paletteRole(index))
        return QGuiApplication::palette().color(QPalette::Active, *role);
    if (const auto classic = classicColor(index))
        return *classic;
    return {};
}
