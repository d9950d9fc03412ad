#include "ruler/RulerHandleShape.h"

#include <QPainter>

namespace {

int sign(int v)
{
    return (v > 0) - (v < 0);
}

QPolygon handleBody(TIndentID handle)
{
    switch (handle) {
    case riFirst:
        return QPolygon({{0, 0}, {8, 0}, {8, 3}, {4, 7}, {0, 3}});
    case riLeft:
    case riRight:
        return QPolygon({{0, 7}, {0, 4}, {4, 0}, {8, 4}, {8, 7}});
    case riBothLeft:
        return QPolygon({{0, 0}, {0, 4}, {8, 4}, {8, 0}, {7, 0}});
    }
    return {};
}

} // namespace

void drawHandleOutline(QPainter& painter, TIndentID handle, QPoint origin)
{
    const QPolygon body = handleBody(handle).translated(origin);
    if (handle == riBothLeft) {
        drawOpenPolyline(painter, body);
        return;
    }
    painter.drawPolygon(body);
}

QPolygon handleHighlight(TIndentID handle)
{
    switch (handle) {
    case riFirst:
        return QPolygon({{6, 1}, {1, 1}, {1, 3}, {4, 6}});
    case riLeft:
    case riRight:
        return QPolygon({{1, 5}, {1, 4}, {5, 0}});
    case riBothLeft:
        return QPolygon({{1, 2}, {1, 0}, {7, 0}});
    }
    return {};
}

void drawOpenPolyline(QPainter& painter, const QPolygon& points)
{
    if (points.size() < 2)
        return;
    // Qt paints a one-pixel line's end point; pull the last point back by one
    // step along the final segment (all segments here are straight or diagonal).
    QPolygon shortened = points;
    const QPoint last = points.at(points.size() - 1);
    const QPoint before = points.at(points.size() - 2);
    shortened.last() = last - QPoint(sign(last.x() - before.x()), sign(last.y() - before.y()));
    painter.drawPolyline(shortened);
}
