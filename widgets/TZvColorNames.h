#pragma once

// The standard colours of the palette by name, and the names the toolkit
// writes colour values with.

#include "platform/SysColor.h"

#include <QString>

constexpr TColor clBlack = RGB(0x00, 0x00, 0x00);
constexpr TColor clMaroon = RGB(0x80, 0x00, 0x00);
constexpr TColor clGreen = RGB(0x00, 0x80, 0x00);
constexpr TColor clOlive = RGB(0x80, 0x80, 0x00);
constexpr TColor clNavy = RGB(0x00, 0x00, 0x80);
constexpr TColor clPurple = RGB(0x80, 0x00, 0x80);
constexpr TColor clTeal = RGB(0x00, 0x80, 0x80);
constexpr TColor clGray = RGB(0x80, 0x80, 0x80);
constexpr TColor clSilver = RGB(0xC0, 0xC0, 0xC0);
constexpr TColor clRed = RGB(0xFF, 0x00, 0x00);
constexpr TColor clLime = RGB(0x00, 0xFF, 0x00);
constexpr TColor clYellow = RGB(0xFF, 0xFF, 0x00);
constexpr TColor clBlue = RGB(0x00, 0x00, 0xFF);
constexpr TColor clFuchsia = RGB(0xFF, 0x00, 0xFF);
constexpr TColor clAqua = RGB(0x00, 0xFF, 0xFF);
constexpr TColor clWhite = RGB(0xFF, 0xFF, 0xFF);

// "clBlack" and the other standard names, "clDefault", "clNone"; any other
// value as "$" and eight upper-case hexadecimal digits of the stored value,
// so that RGB #993300 reads "$00003399".
QString ColorToString(TColor color);
