#pragma once

// One face as the font system reports it for the font list: its name with the
// Windows font-type bits, character set and pitch that the list's filters and
// glyphs are decided by.

#include "platform/Font.h"

#include <QString>

// Font-type bits of a face.
constexpr int RASTER_FONTTYPE = 1;
constexpr int DEVICE_FONTTYPE = 2;
constexpr int TRUETYPE_FONTTYPE = 4;

struct FontFace
{
    QString name;
    int fontType = TRUETYPE_FONTTYPE;
    int charSet = ANSI_CHARSET;
    int pitchAndFamily = VARIABLE_PITCH;
};
