#include "ruler/RulerGeometry.h"

#include <algorithm>

QRect RulerGeometry::topStrip() const
{
    return edgeRect(0, 0, width, borderUp);
}

QRect RulerGeometry::bottomStrip() const
{
    return edgeRect(0, height - borderDown, width, height);
}

QRect RulerGeometry::leftStrip() const
{
    return edgeRect(0, 0, borderLeft, height);
}

QRect RulerGeometry::rightStrip() const
{
    return edgeRect(width - borderRight, 0, width, height);
}

QRect RulerGeometry::leftMarginBand() const
{
    return edgeRect(borderLeft, borderUp, leftMarginLine(), height - borderDown);
}

QRect RulerGeometry::rightMarginBand() const
{
    return edgeRect(rightMarginLine(), borderUp, width - borderRight, height - borderDown);
}

QRect RulerGeometry::writingArea() const
{
    return edgeRect(leftMarginLine(), borderUp, rightMarginLine(), height - borderDown);
}

QRect RulerGeometry::leftMarginHandler() const
{
    return edgeRect(leftMarginLine() - 1, borderUp, leftMarginLine() + 1, height - borderDown);
}

QRect RulerGeometry::rightMarginHandler() const
{
    return edgeRect(rightMarginLine() - 1, borderUp, rightMarginLine() + 1, height - borderDown);
}

int RulerGeometry::firstLineTop() const
{
    const int top = borderUp - 3;
    if (top < 0)
        return 0;
    return std::min(top, height - HandleHeight);
}

int RulerGeometry::indentTop() const
{
    const int top = height - borderDown - HandleHeight;
    if (top < 0)
        return 0;
    // Leaves room for the both-left box under the handle (all but its last rows).
    return std::min(top, height - 13);
}

bool RulerGeometry::inLeftMarginZone(int x) const
{
    return leftMarginLine() - 3 < x && x < leftMarginLine() + 3;
}

bool RulerGeometry::inRightMarginZone(int x) const
{
    return rightMarginLine() - 3 < x && x < rightMarginLine() + 3;
}

int snapToStep(int v, int step)
{
    if (step == 0)
        return v;
    return step * (v / step);
}
