#pragma once

// Lays out one paragraph of the document's main flow into its QTextLayout by the
// rules of Qt's own document layout (margins that collapse with the paragraph
// above, indents, the first line's indent, alignment, line heights), but with the
// lines placed relative to the paragraph's top, so that a paragraph's layout stays
// right whatever happens above it. Heights are whole 64ths of a pixel, the unit in
// which Qt's layout adds up positions, so that sums of heights land on exactly the
// pixels Qt's layout would give.

#include <QPointF>
#include <QTextOption>

class QTextBlock;
class QTextBlockFormat;
class QTextDocument;

class ParagraphLayout
{
public:
    static constexpr int UnitsPerPixel = 64;
    static int toUnits(qreal pixels) { return int(pixels * UnitsPerPixel); } // truncates, as Qt does
    static qreal toPixels(int units) { return qreal(units) / UnitsPerPixel; }

    // `left` and `right` are the flow's edges in document pixels.
    ParagraphLayout(const QTextDocument& document, qreal left, qreal right);

    // Lays `block` out and returns its height in units: its top margin and its
    // lines. `above` is the format of the paragraph right above in the same flow,
    // whose bottom margin collapses with this one's top margin; null for the first
    // paragraph and for one that follows a table, which get no top margin.
    int layOut(const QTextBlock& block, const QTextBlockFormat* above) const;
    // How far the laid-out paragraph reaches to the right, in units from the
    // flow's left edge: the end of its widest line and its right margin.
    int widthOf(const QTextBlock& block) const;

    // How far the laid-out paragraph draws outside its height (`height` units
    // from its top), above or below, in units: a picture or large text in a
    // line of an exact height stands out of its line.
    static int overhangOf(const QTextBlock& block, int height);

    // The document position at `point`, given relative to the top of the laid-out
    // paragraph; -1 for an exact hit that misses its text. At most `lastPosition`.
    static int hitTest(const QTextBlock& block, const QPointF& point, Qt::HitTestAccuracy accuracy,
                       int lastPosition);

private:
    int indentOf(const QTextBlockFormat& format) const; // units

    const QTextDocument& m_document;
    QTextOption m_defaultOption;
    int m_left;
    int m_right;
};
