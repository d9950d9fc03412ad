#pragma once

// The two glyphs of the main window's colour buttons, 16 x 16 with a
// transparent background, the picture in the upper eleven rows (the colour
// bar lies under them).

#include <QPixmap>

// A blue capital A: the text colour.
QPixmap TextColorGlyph();
// A highlighter pen drawn across the letters "ab" on a yellow field: the
// colour behind the text.
QPixmap HighlightColorGlyph();
