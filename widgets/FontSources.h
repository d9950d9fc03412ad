#pragma once

// Where the font list takes its faces from: the screen's fonts and the current
// printer's fonts, each in the order the font system gives them. The system's
// sources read the font database; tests hand in sources of their own.

#include "widgets/FontFace.h"

#include <QList>

#include <functional>

struct FontSources
{
    std::function<QList<FontFace>()> screen;
    std::function<QList<FontFace>()> printer;

    static FontSources system();

    // Every family of the font database: scalable ones as TrueType, bitmap-only
    // ones as raster fonts.
    static QList<FontFace> screenFaces();
    // The scalable families, as the printer's own, when a printer is installed;
    // none without one.
    static QList<FontFace> printerFaces();
};
