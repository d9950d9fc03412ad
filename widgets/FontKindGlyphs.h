#pragma once

// The three 16 x 16 glyphs that tell a face's kind in the font list: a white
// page with a folded corner carrying a blue T (TrueType), the same page with a
// red A (other fonts), a small printer (printer fonts). Drawn once, in code,
// on a transparent background.

#include <QPixmap>

class FontKindGlyphs
{
public:
    static constexpr int size = 16;

    static const QPixmap& trueType();
    static const QPixmap& other();
    static const QPixmap& printer();
    // The glyph for a face's font-type bits: TrueType first, then printer.
    static const QPixmap& forFontType(int fontType);
};
