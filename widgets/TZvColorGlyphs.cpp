#include "widgets/TZvColorGlyphs.h"

#include <QPainter>

namespace {

constexpr int GlyphSize = 16;

QPixmap emptyGlyph()
{
    QPixmap glyph(GlyphSize, GlyphSize);
    glyph.fill(Qt::transparent);
    return glyph;
}

} // namespace

QPixmap TextColorGlyph()
{
    QPixmap glyph = emptyGlyph();
    QPainter painter(&glyph);
    painter.setBrush(QColor(0, 0, 255));
    painter.setPen(Qt::NoPen);
    // Two slanted legs meeting at the top, and the crossbar.
    painter.drawPolygon(QPolygon({{7, 0}, {9, 0}, {13, 11}, {11, 11}, {8, 2}, {5, 11}, {3, 11}}));
    painter.fillRect(QRect(5, 6, 6, 2), QColor(0, 0, 255));
    return glyph;
}

QPixmap HighlightColorGlyph()
{
    QPixmap glyph = emptyGlyph();
    QPainter painter(&glyph);
    painter.fillRect(QRect(0, 0, GlyphSize, 11), QColor(255, 255, 0));
    // The letters "a" and "b" in the lower half of the field.
    painter.setPen(Qt::black);
    painter.drawLine(2, 5, 4, 5);   // a: top
    painter.drawLine(5, 6, 5, 9);   //    stem
    painter.drawLine(2, 7, 4, 7);   //    bowl top
    painter.drawLine(1, 8, 1, 8);   //    bowl left
    painter.drawLine(2, 9, 4, 9);   //    bowl bottom
    painter.drawLine(8, 2, 8, 9);   // b: stem
    painter.drawLine(9, 5, 11, 5);  //    bowl top
    painter.drawLine(12, 6, 12, 8); //    bowl right
    painter.drawLine(9, 9, 11, 9);  //    bowl bottom
    // The pen across them, from its tip at the lower left to its cap at the upper right.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(64, 64, 64), 1));
    painter.setBrush(QColor(230, 230, 230));
    painter.drawPolygon(QPolygonF({{6.5, 7.5}, {13.5, 0.5}, {15.5, 2.5}, {8.5, 9.5}}));
    painter.setBrush(QColor(255, 140, 0));
    painter.drawPolygon(QPolygonF({{6.5, 7.5}, {8.5, 9.5}, {5.0, 10.5}}));
    return glyph;
}
