#pragma once

// Draws one laid-out paragraph the way Qt's own document layout draws it, in the
// order the pixels land: its background, its list label, its text with the
// detected links and the selections, the marks under misspelled words, the
// caret, and a trailing horizontal rule.
// The list label is the one every view of the document shows (ListLabels), in
// the face and size of the paragraph's first character.

#include "rtf/ListLabels.h"

#include <QAbstractTextDocumentLayout>

class QTextBlock;
class QTextLayout;
class SpellingMarks;

class ParagraphPainter
{
public:
    // Lines are clipped to `flow`, the document's width less its side margins,
    // as in Qt's layout: a selection running past a line's end stops there.
    // With `showLinks`, text that looks like a URL is drawn as a link. With
    // `spelling`, the words it marks get a red wavy line below them.
    ParagraphPainter(QPainter* painter, const QAbstractTextDocumentLayout::PaintContext& context,
                     int cursorWidth, const QRectF& flow, bool showLinks, const SpellingMarks* spelling);

    // Draws `block`, whose layout is placed relative to `offset`.
    void draw(const QTextBlock& block, const QPointF& offset) const;
    // Draws the caret alone when it is in `block` (over a table drawn after it).
    void drawCursor(const QTextBlock& block, const QPointF& offset) const;

private:
    void drawMisspelled(const QTextBlock& block, const QPointF& offset) const;

    QPainter* m_painter;
    const QAbstractTextDocumentLayout::PaintContext& m_context;
    int m_cursorWidth;
    QRectF m_lineClip;
    bool m_showLinks;
    const SpellingMarks* m_spelling;
    // The paragraphs are drawn from the top down, so their labels are counted as they come.
    mutable ListLabels m_labels;
};
