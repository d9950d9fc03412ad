#include "editcontrol/MisspellingPainter.h"

#include <QPainter>
#include <QPolygonF>
#include <QTextLayout>

#include <algorithm>

namespace {

// A zigzag from x1 to x2 whose top touches `top`, with a peak every four pixels.
QPolygonF wave(qreal x1, qreal x2, qreal top)
{
    constexpr qreal HalfPeriod = 2;
    constexpr qreal Height = 2;
    QPolygonF points;
    bool down = true;
    for (qreal x = x1; x < x2; x += HalfPeriod, down = !down)
        points.append(QPointF(x, down ? top : top + Height));
    points.append(QPointF(x2, down ? top : top + Height));
    return points;
}

} // namespace

void MisspellingPainter::draw(QPainter& painter, const QTextLayout& layout, const QPointF& origin,
                              const QList<MisspelledWord>& words, const QRectF& clip)
{
    if (words.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::red, 0));
    painter.setBrush(Qt::NoBrush);
    painter.setClipRect(clip, Qt::IntersectClip);
    for (const MisspelledWord& word : words) {
        const int end = word.start + word.length;
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            const int from = std::max(word.start, line.textStart());
            const int to = std::min(end, line.textStart() + line.textLength());
            if (from >= to)
                continue;
            const qreal x1 = origin.x() + line.cursorToX(from);
            const qreal x2 = origin.x() + line.cursorToX(to);
            const qreal top = origin.y() + line.y() + line.ascent() + 1;
            painter.drawPolyline(wave(std::min(x1, x2), std::max(x1, x2), top));
        }
    }
    painter.restore();
}
