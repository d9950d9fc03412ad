#include "widgets/TZvColorSpeedButton.h"

#include <QPainter>
#include <qdrawutil.h>

TZvColorSpeedButton::TZvColorSpeedButton(HoverTracking tracking, QWidget* parent)
    : QAbstractButton(parent), m_tracking(tracking)
{
    // The palette window keeps the keyboard (Escape), so its buttons never take the focus.
    setFocusPolicy(Qt::NoFocus);
}

void TZvColorSpeedButton::setColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void TZvColorSpeedButton::setFlat(bool flat)
{
    if (flat == m_flat)
        return;
    m_flat = flat;
    update();
}

void TZvColorSpeedButton::setHot(bool hot)
{
    if (hot == m_hot)
        return;
    m_hot = hot;
    update();
}

void TZvColorSpeedButton::enterEvent(QEnterEvent* event)
{
    QAbstractButton::enterEvent(event);
    if (m_tracking == HoverTracking::Own)
        setHot(true);
}

void TZvColorSpeedButton::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    if (m_tracking == HoverTracking::Own)
        setHot(false);
}

QColor TZvColorSpeedButton::paintedColor() const
{
    return isEnabled() ? SysColor(m_color) : QColor::fromRgb(DisabledGrey);
}

void TZvColorSpeedButton::paintSwatch(QPainter& painter, QPoint topLeft, QPoint bottomRight,
                                      const QColor& fill)
{
    const QRect swatch(topLeft, bottomRight - QPoint(1, 1));
    painter.fillRect(swatch, fill);
    painter.setPen(QColor::fromRgb(DisabledGrey));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
}

void TZvColorSpeedButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), SysColor(clBtnFace));
    paintContent(painter);
    const bool down = isChecked() || isDown();
    if (down || m_hot || !m_flat)
        qDrawShadePanel(&painter, rect(), palette(), down, 1, nullptr);
}
