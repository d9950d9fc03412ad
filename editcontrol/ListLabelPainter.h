#pragma once

// Draws a list paragraph's label (ListLabels) before its first line, as on
// screen so in print: in the face and size of the paragraph's first
// character, a space before the text on the side the text starts; a number as
// text, a bullet as the shape of its level.

#include <QBrush>
#include <QString>
#include <QTextBlock>

#include <vector>

class QPainter;
class QPointF;
class QTextCharFormat;
class QTextDocument;

namespace ListLabelPainter {

// `offset` is where the block's layout is drawn from (as QTextLayout::draw is
// given it); `text` paints bullets, and labels of text without a colour of its
// own; `selection` is the format of a selection that covers the label, or null.
void draw(QPainter& painter, const QTextBlock& block, const QPointF& offset, const QString& label,
          const QBrush& text, const QTextCharFormat* selection);

// A copy of a document drawn by Qt's own layout (a page of print, a table)
// keeps the labels its paragraphs show on screen: takeLabels gives the label of
// each list paragraph and leaves the lists without Qt's own, which follow
// other rules; drawInQtLayout draws one where the copy's layout placed it.
struct Label
{
    QTextBlock block;
    QString text;
};
std::vector<Label> takeLabels(QTextDocument& copy);
void drawInQtLayout(QPainter& painter, const Label& label, const QBrush& text);

} // namespace ListLabelPainter
