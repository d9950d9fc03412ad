#pragma once

// Where the palette panel's buttons lie, computed from its properties (pixels
// of the panel's client area). The panel places its buttons with these
// rectangles, so what is drawn is what is hit.

#include "widgets/TZvColorPanelProperties.h"

#include <QRect>
#include <QSize>

class TZvColorPanelLayout
{
public:
    static constexpr int Columns = 8;
    static constexpr int Rows = 5;
    static constexpr int CellCount = Columns * Rows;

    explicit TZvColorPanelLayout(const TZvColorPanelProperties& properties) : m_properties(properties) {}

    // The whole panel: 158 x 148 at the initial values.
    QSize panelSize() const;
    // The automatic button; an empty rectangle when it is hidden.
    QRect autoButtonRect() const;
    // Cell `index` (0 to 39, row by row).
    QRect cellRect(int index) const;
    // The other-colours button; an empty rectangle when it is hidden.
    QRect otherButtonRect() const;

private:
    int wideButtonCount() const;
    QRect wideButtonRect(int top) const;

    const TZvColorPanelProperties& m_properties;
};
