#include "widgets/TZvColorDragBar.h"

#include "platform/SysColor.h"

#include <QMouseEvent>
#include <QPainter>

TZvColorDragBar::TZvColorDragBar(QWidget* parent) : QWidget(parent)
{
    setToolTip(QStringLiteral("Drag to float"));
}

void TZvColorDragBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), SysColor(m_active ? clActiveCaption : clInactiveCaption));
}

void TZvColorDragBar::enterEvent(QEnterEvent*)
{
    m_active = true;
    setCursor(Qt::SizeAllCursor);
    update();
}

void TZvColorDragBar::leaveEvent(QEvent*)
{
    m_active = false;
    unsetCursor();
    update();
}

void TZvColorDragBar::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void TZvColorDragBar::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressed)
        return;
    m_pressed = false;
    Q_EMIT dragStarted(event->globalPosition().toPoint());
}

void TZvColorDragBar::mouseReleaseEvent(QMouseEvent*)
{
    m_pressed = false;
}
