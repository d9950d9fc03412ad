#pragma once

// Lays out a table of the document's main flow (or any other frame there) as one
// unit. The table is copied into a document of its own, where Qt's own layout
// measures and draws it, so cells, borders and paddings come out exactly as Qt
// draws them; the lines found for each cell's paragraphs are then given to the
// same paragraphs of the real document, whose caret movements read them. An edit
// in the table lays the whole table out again, which costs the table's size, not
// the document's.
//
// Coordinates in and out are document pixels relative to the table's top; x is
// the document's own.

#include "editcontrol/ListLabelPainter.h"

#include <QAbstractTextDocumentLayout>
#include <QPointer>
#include <QTextFrame>

#include <memory>
#include <vector>

class QTextDocument;
class SpellingMarks;

class TableLayout
{
public:
    // Copies `frame` of `document` and lays the copy out for the document's page width.
    TableLayout(QTextFrame* frame, const QTextDocument& document);
    ~TableLayout();

    QTextFrame* frame() const { return m_frame; }
    bool isStale() const { return m_frame.isNull() || m_stale; }
    void setStale() { m_stale = true; }

    // The table's height in 64ths of a pixel, its width and its edges.
    int heightUnits() const;
    qreal width() const;
    qreal left() const;
    qreal right() const { return left() + width(); }
    // The table's rectangle as Qt's layout reports it (offset by its first
    // cell's padding).
    QRectF frameBounds() const;
    // The rectangle of a paragraph inside the table.
    QRectF blockBounds(const QTextBlock& block) const;
    int hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const;
    // Draws the table with the selections and the caret of `context`, whose clip
    // is in the table's coordinates, in a document `documentWidth` wide; with
    // `spelling`, the words it marks in the cells are underlined.
    void draw(QPainter* painter, const QAbstractTextDocumentLayout::PaintContext& context, int cursorWidth,
              qreal documentWidth, const SpellingMarks* spelling) const;

private:
    void copyLinesToDocument() const;
    void matchWidth(qreal documentWidth) const;
    QTextBlock copyOf(const QTextBlock& block) const;
    int shift() const;              // a position in the copy plus this is the document's position
    int toCopy(int position) const; // a document position, clamped to the table and its edges
    QTextCursor selectionInCopy(const QTextCursor& cursor) const;

    QPointer<QTextFrame> m_frame;
    const QTextDocument& m_document;
    std::unique_ptr<QTextDocument> m_copy;
    QTextFrame* m_copiedFrame = nullptr;
    qreal m_top = 0;                               // the copy's table top
    std::vector<ListLabelPainter::Label> m_labels; // of the copy's list paragraphs
    bool m_stale = false;
};
