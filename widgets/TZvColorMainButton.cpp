#include "widgets/TZvColorMainButton.h"

#include <QBitmap>
#include <QPainter>

TZvColorMainButton::TZvColorMainButton(QWidget* parent) : TZvColorSpeedButton(HoverTracking::ByOwner, parent)
{
}

void TZvColorMainButton::setGlyph(const QPixmap& glyph)
{
    m_glyph = glyph;
    if (!m_glyph.isNull())
        m_glyph.setMask(m_glyph.createMaskFromColor(QColor(0xFF, 0x00, 0xFF)));
    update();
}

void TZvColorMainButton::setEdgeWidth(int width)
{
    if (width == m_edgeWidth)
        return;
    m_edgeWidth = width;
    update();
}

QRect TZvColorMainButton::colorBarRect() const
{
    const QPoint pressedShift = isDown() ? QPoint(1, 1) : QPoint();
    return QRect(width() / 2 - 9, height() / 2 + 4, 17, 4).translated(pressedShift);
}

void TZvColorMainButton::paintContent(QPainter& painter)
{
    if (m_glyph.isNull()) {
        const int e = m_edgeWidth;
        paintSwatch(painter, {e, e}, {width() - e, height() - e}, paintedColor());
        return;
    }
    const QPoint pressedShift = isDown() ? QPoint(1, 1) : QPoint();
    const QSize glyphSize = m_glyph.deviceIndependentSize().toSize();
    const QPoint glyphOrigin((width() - glyphSize.width()) / 2, (height() - glyphSize.height()) / 2);
    painter.drawPixmap(glyphOrigin + pressedShift, m_glyph);
    painter.fillRect(colorBarRect(), paintedColor());
}
