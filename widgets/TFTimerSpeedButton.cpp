#include "widgets/TFTimerSpeedButton.h"

#include "platform/SysColor.h"
#include "platform/TTimer.h"

#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

TFTimerSpeedButton::TFTimerSpeedButton(Direction direction, QWidget* parent)
    : QAbstractButton(parent), m_direction(direction)
{
    // The spin button decides where the focus goes; the arrows never hold it.
    setFocusPolicy(Qt::NoFocus);
}

void TFTimerSpeedButton::setFocusFrame(bool value)
{
    if (value == m_focusFrame)
        return;
    m_focusFrame = value;
    update();
}

void TFTimerSpeedButton::mousePressEvent(QMouseEvent* event)
{
    QAbstractButton::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || !isDown())
        return;
    m_heldByMouse = true;
    if (!m_autoRepeat)
        return;
    if (!m_repeatTimer) {
        m_repeatTimer = new TTimer(this);
        m_repeatTimer->OnTimer = [this](QObject*) { repeatClick(); };
    }
    // Every press counts its delay afresh.
    m_repeatTimer->setEnabled(false);
    m_repeatTimer->setInterval(FirstRepeatDelay);
    m_repeatTimer->setEnabled(true);
}

void TFTimerSpeedButton::mouseReleaseEvent(QMouseEvent* event)
{
    // The ordinary click on a release over the button comes first, then the repeating ends.
    QAbstractButton::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    m_heldByMouse = false;
    if (m_repeatTimer)
        m_repeatTimer->setEnabled(false);
}

void TFTimerSpeedButton::repeatClick()
{
    m_repeatTimer->setInterval(RepeatInterval);
    // Dragged off the button it shows raised and waits for the pointer to come back.
    if (!isDown() || !m_heldByMouse)
        return;
    try {
        Q_EMIT clicked(isChecked());
    } catch (...) {
        m_repeatTimer->setEnabled(false);
        throw;
    }
}

void TFTimerSpeedButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect face = rect();
    painter.fillRect(face, SysColor(clBtnFace));
    qDrawWinButton(&painter, face, palette(), isDown());
    const QPoint offset = isDown() ? QPoint(1, 1) : QPoint(0, 0);
    paintArrow(painter, offset);
    if (!m_focusFrame)
        return;
    painter.setPen(QPen(SysColor(clWindowText), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(face.adjusted(3, 3, -4, -4).translated(offset));
}

void TFTimerSpeedButton::paintArrow(QPainter& painter, QPoint offset) const
{
    // A triangle three rows high, one pixel wide at its tip and five at its base.
    constexpr int Rows = 3;
    const QColor ink = isEnabled() ? SysColor(clWindowText) : SysColor(clGrayText);
    const QPoint centre = rect().center() + offset;
    const int top = centre.y() - Rows / 2;
    for (int row = 0; row < Rows; ++row) {
        const int halfWidth = m_direction == Direction::Up ? row : Rows - 1 - row;
        painter.fillRect(centre.x() - halfWidth, top + row, 2 * halfWidth + 1, 1, ink);
    }
}
