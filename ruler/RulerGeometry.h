#pragma once

// Where the parts of the ruler lie, in ruler pixels (x = 0 at the ruler's left
// edge). Painting and the mouse code both ask this, so what is drawn is what is hit.

#include <QRect>

struct RulerGeometry
{
    int width = 0;
    int height = 0;
    int borderLeft = 0;
    int borderUp = 0;
    int borderDown = 0;
    int borderRight = 0;
    int marginLeft = 0;
    int marginRight = 0;

    static constexpr int HandleWidth = 9;
    static constexpr int HandleHeight = 8;
    static constexpr int BothLeftHeight = 7;
    // The tip of a handle, and its guide line, lie this far right of its x.
    static constexpr int HandleTip = HandleWidth / 2;

    // The left and right margin lines (L and R).
    int leftMarginLine() const { return borderLeft + marginLeft; }
    int rightMarginLine() const { return width - borderRight - marginRight; }

    QRect topStrip() const;
    QRect bottomStrip() const;
    QRect leftStrip() const;
    QRect rightStrip() const;
    QRect leftMarginBand() const;
    QRect rightMarginBand() const;
    QRect writingArea() const;
    // The two-pixel line that marks a margin line when margin handlers are shown.
    QRect leftMarginHandler() const;
    QRect rightMarginHandler() const;

    // Tops of the handles, kept inside the ruler whatever the borders are.
    int firstLineTop() const;
    int indentTop() const;
    int bothLeftTop() const { return indentTop() + HandleHeight; }

    // The zones, five pixels wide and centred on the margin lines, where a press
    // starts a margin drag; where they overlap the left one wins.
    bool inLeftMarginZone(int x) const;
    bool inRightMarginZone(int x) const;

    // Inclusive start and end of the columns that carry the scale; empty when
    // the ruler is narrower than its side strips.
    int firstScaleColumn() const { return borderLeft; }
    int lastScaleColumn() const { return width - borderRight - 1; }
};

// v rounded toward zero to a multiple of step; a step of 0 leaves v as it is.
int snapToStep(int v, int step);

// A rectangle given by its edges, right and bottom excluded.
inline QRect edgeRect(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}
