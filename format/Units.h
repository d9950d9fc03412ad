#pragma once

// The units of the document's lengths. Formats keep lengths in twips, the
// twentieth of a point, as Windows and RTF do; the screen is taken as 96 dpi,
// so a point is 4/3 pixels and a pixel is 15 twips.

constexpr int TwipsPerPoint = 20;
constexpr int TwipsPerPixel = 15;
constexpr int TwipsPerInch = 1440;
