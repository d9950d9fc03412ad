#pragma once

// The red wavy line under misspelled words, as word processors mark them: a
// zigzag two pixels high just below the baseline, within the line's descent.
// Drawn over the text and its selection, so that a selected word keeps it.

#include "spelling/SpellChecker.h"

#include <QList>

class QPainter;
class QPointF;
class QRectF;
class QTextLayout;

namespace MisspellingPainter {

// Underlines `words` (positions in the layout's text) of `layout`, whose lines
// stand relative to `origin`, within `clip`.
void draw(QPainter& painter, const QTextLayout& layout, const QPointF& origin,
          const QList<MisspelledWord>& words, const QRectF& clip);

} // namespace MisspellingPainter
