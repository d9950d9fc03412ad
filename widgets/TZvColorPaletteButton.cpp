#include "widgets/TZvColorPaletteButton.h"

#include <QMouseEvent>
#include <QPainter>

TZvColorPaletteButton::TZvColorPaletteButton(Kind kind, QWidget* parent)
    : TZvColorSpeedButton(HoverTracking::Own, parent), m_kind(kind)
{
    setCheckable(true);
}

void TZvColorPaletteButton::setHint(const QString& hint)
{
    m_hint = hint;
    applyToolTip();
}

void TZvColorPaletteButton::setShowHint(bool show)
{
    m_showHint = show;
    applyToolTip();
}

void TZvColorPaletteButton::applyToolTip()
{
    setToolTip(m_showHint ? m_hint : QString());
}

void TZvColorPaletteButton::mouseReleaseEvent(QMouseEvent* event)
{
    TZvColorSpeedButton::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton && rect().contains(event->position().toPoint()))
        Q_EMIT rightClicked();
}

void TZvColorPaletteButton::paintContent(QPainter& painter)
{
    const int w = width();
    const int h = height();
    const int e = h / 5;
    if (m_kind == Kind::Cell) {
        paintSwatch(painter, {e, e}, {w - e, h - e}, paintedColor());
        return;
    }
    // A wide button: an unfilled grey frame, the swatch at its left, the caption centred.
    painter.setPen(QColor::fromRgb(DisabledGrey));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(QPolygon({QPoint(e - 1, e - 1), QPoint(w - e + 1, e - 1),
                                  QPoint(w - e + 1, h - e + 1), QPoint(e - 1, h - e + 1)}));
    paintSwatch(painter, {e + 1, e + 1}, {h, h - e}, paintedColor());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, text());
}
