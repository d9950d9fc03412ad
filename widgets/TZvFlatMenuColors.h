#pragma once

// The colours the flat menu renderer draws with, derived from its settings:
// either the explicit colour properties or, with UseSystemColors, colours
// computed from the system's button-face, highlight and shadow colours.
// On a display of 15 bits per pixel or fewer the lightened shades give way
// to plain system colours and white.

#include "widgets/TZvFlatMenuProperties.h"

#include <QColor>

// Moves each channel towards 255 by `percent` (0..100) of the distance, rounded.
QColor Lighten(const QColor& color, int percent);
// Subtracts `amount` from red and blue and amount - 2 from green, each clamped at 0.
QColor Darken(const QColor& color, int amount);

struct TZvFlatMenuColors
{
    QColor menuBackground;
    QColor iconColumn;
    QColor selectionFill;
    QColor selectionBorder;
    QColor selectedText;
    QColor menuBar;
    QColor disabled;
    QColor separator;
    QColor checkFrame;
    QColor checkFillUnselected;
    QColor checkFillSelected;
    QColor popupFrame;
    QColor popupShadow;

    static TZvFlatMenuColors derive(const TZvFlatMenuProperties& properties, ColorDepth depth);
};
