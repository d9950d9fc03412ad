#pragma once

// The outlines of the four indent handles in a 9 x 8 box (the both-left box is
// 9 x 7), shared by the handles themselves and by the flat copy that marks a
// handle's place while it is dragged.

#include "ruler/RulerTypes.h"

#include <QPoint>
#include <QPolygon>

class QPainter;

// The handle's outline with its top-left corner at origin, drawn with the
// painter's pen and brush: a filled pentagon for the three indent handles, an
// open box (no fill) for the both-left handle.
void drawHandleOutline(QPainter& painter, TIndentID handle, QPoint origin = {});

// The light edge drawn over a handle's outline, in handle coordinates.
QPolygon handleHighlight(TIndentID handle);

// A polyline whose segments include their start and exclude their end point,
// so the last point of the line stays unpainted.
void drawOpenPolyline(QPainter& painter, const QPolygon& points);
