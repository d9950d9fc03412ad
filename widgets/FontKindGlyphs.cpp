#include "widgets/FontKindGlyphs.h"

#include "widgets/FontFace.h"

#include <QPainter>
#include <QPolygon>

namespace {

QPixmap blankGlyph()
{
    QPixmap pixmap(FontKindGlyphs::size, FontKindGlyphs::size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A page from (2, 0) to (13, 15) whose top right corner is folded down.
void drawPage(QPainter& painter)
{
    const QPolygon page({{2, 0}, {10, 0}, {13, 3}, {13, 15}, {2, 15}});
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.setBrush(Qt::white);
    painter.drawPolygon(page);
    painter.drawPolyline(QPolygon({{10, 0}, {10, 3}, {13, 3}}));
}

QPixmap pageWith(const QColor& colour, const QList<QLine>& strokes)
{
    QPixmap pixmap = blankGlyph();
    QPainter painter(&pixmap);
    drawPage(painter);
    painter.setPen(QPen(colour, 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLines(strokes);
    return pixmap;
}

QPixmap drawPrinter()
{
    QPixmap pixmap = blankGlyph();
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(4, 1, 7, 6); // the paper coming in
    painter.setBrush(QColor(0xc0, 0xc0, 0xc0));
    painter.drawRect(1, 6, 13, 6); // the body
    painter.setBrush(Qt::white);
    painter.drawRect(4, 11, 7, 3); // the printed sheet
    painter.setPen(QColor(0x00, 0x80, 0x00));
    painter.drawPoint(12, 8); // the power light
    return pixmap;
}

} // namespace

const QPixmap& FontKindGlyphs::trueType()
{
    static const QPixmap glyph = pageWith(QColor(0x00, 0x00, 0xff), {QLine(4, 5, 11, 5), QLine(8, 5, 8, 13)});
    return glyph;
}

const QPixmap& FontKindGlyphs::other()
{
    static const QPixmap glyph =
        pageWith(QColor(0xff, 0x00, 0x00), {QLine(4, 13, 7, 4), QLine(8, 4, 11, 13), QLine(6, 10, 10, 10)});
    return glyph;
}

const QPixmap& FontKindGlyphs::printer()
{
    static const QPixmap glyph = drawPrinter();
    return glyph;
}

const QPixmap& FontKindGlyphs::forFontType(int fontType)
{
    if (fontType & TRUETYPE_FONTTYPE)
        return trueType();
    if (fontType & DEVICE_FONTTYPE)
        return printer();
    return other();
}
