#pragma once

// Measures and draws the items of menus and of the menu bar in the flat look:
// a light background (a gradient from the icon column on deep displays), an
// icon column at the left, a framed selection rectangle, an open menu-bar item
// as a box with a soft shadow at its right, flat check and radio indicators,
// greyed and dimmed images and a thin separator. Each item is drawn in an
// off-screen image that is then copied in one go. Coordinates are pixels of
// the item, (0, 0) its top-left corner.

#include "widgets/TZvFlatMenuColors.h"
#include "widgets/TZvFlatMenuItem.h"
#include "widgets/TZvFlatMenuProperties.h"

#include <QRect>
#include <QSize>

class QPainter;

class TZvFlatMenuPainter
{
public:
    TZvFlatMenuPainter(const TZvFlatMenuProperties& properties, ColorDepth depth);

    const TZvFlatMenuColors& colors() const { return m_colors; }

    // The item's size: `proposed` raised to what the item needs.
    QSize measure(const TZvFlatMenuItem& item, QSize proposed = {}) const;
    // Draws the item into `rect` of `painter`.
    void paint(QPainter& painter, const QRect& rect, const TZvFlatMenuItem& item) const;
    // The item drawn alone, as it lands in the menu.
    QImage render(const TZvFlatMenuItem& item, QSize size) const;

    // The box of the check or radio indicator of an item `height` high.
    QRect indicatorBox(const TZvFlatMenuItem& item, int height) const;
    // Where the caption area begins: the icon column's width, or further right
    // for a wider image; 4 pixels on the menu bar.
    int textLeft(const TZvFlatMenuItem& item) const;

private:
    void paintBackground(QPainter& painter, QSize size, const TZvFlatMenuItem& item) const;
    void paintSelection(QPainter& painter, QSize size, const TZvFlatMenuItem& item) const;
    void paintBarSelection(QPainter& painter, QSize size) const;
    void paintIndicator(QPainter& painter, int height, const TZvFlatMenuItem& item) const;
    void paintImage(QPainter& painter, const TZvFlatMenuItem& item) const;
    void paintTexts(QImage& image, const TZvFlatMenuItem& item) const;
    QColor textColor(const TZvFlatMenuItem& item) const;

    TZvFlatMenuProperties m_properties;
    ColorDepth m_depth;
    TZvFlatMenuColors m_colors;
};

// Draws the check mark of a box (its exclusive right and bottom edges are
// L + width and T + height) as the five strokes of the flat tick, each line
// without its last point; the mark reaches past the box's top-right corner.
void drawFlatTick(QPainter& painter, const QRect& box, const QColor& color);
// Plots the pixels of a line from `from` towards `to`, without `to` itself.
void drawStroke(QPainter& painter, QPoint from, QPoint to);
