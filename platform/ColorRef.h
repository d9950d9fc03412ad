#pragma once

// Colours as the Windows records store them: COLORREF, 0x00BBGGRR, red in the
// lowest byte. The high byte is not part of the colour; the alpha channel of a
// QColor is dropped.

#include <QColor>

#include <cstdint>

using COLORREF = std::uint32_t;

constexpr COLORREF RGB(int red, int green, int blue)
{
    return COLORREF(red & 0xFF) | (COLORREF(green & 0xFF) << 8) | (COLORREF(blue & 0xFF) << 16);
}

inline QColor ColorRefToQColor(COLORREF colorRef)
{
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

inline COLORREF QColorToColorRef(const QColor& color)
{
    return RGB(color.red(), color.green(), color.blue());
}
