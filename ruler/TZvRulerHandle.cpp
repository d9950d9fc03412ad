#include "ruler/TZvRulerHandle.h"

#include "platform/SysColor.h"
#include "ruler/RulerGeometry.h"
#include "ruler/RulerHandleShape.h"
#include "ruler/RulerInteraction.h"

#include <QMouseEvent>
#include <QPainter>

TZvRulerHandle::TZvRulerHandle(TIndentID kind, RulerInteraction& interaction, QWidget* ruler)
    : QWidget(ruler), m_kind(kind), m_interaction(interaction)
{
    resize(RulerGeometry::HandleWidth,
           kind == riBothLeft ? RulerGeometry::BothLeftHeight : RulerGeometry::HandleHeight);
    setCursor(Qt::ArrowCursor);
}

void TZvRulerHandle::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor face = SysColor(clBtnFace);
    if (m_kind == riBothLeft)
        painter.fillRect(rect(), face);
    painter.setBrush(face);
    painter.setPen(QPen(Qt::black, 0));
    drawHandleOutline(painter, m_kind);
    painter.setPen(QPen(SysColor(clBtnHighlight), 0));
    drawOpenPolyline(painter, handleHighlight(m_kind));
}

void TZvRulerHandle::mousePressEvent(QMouseEvent* event)
{
    m_interaction.handlePress(*this, event->button(), event->position().toPoint().x());
}

void TZvRulerHandle::mouseMoveEvent(QMouseEvent* event)
{
    m_interaction.handleMove(*this, event->position().toPoint().x());
}

void TZvRulerHandle::mouseReleaseEvent(QMouseEvent* event)
{
    m_interaction.handleRelease(*this, event->button());
}

void TZvRulerHandle::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Qt delivers the second press of a double click as this event alone; the
    // press routine still runs after the double click so that it clears the skip flag.
    m_interaction.handleDoubleClick(*this);
    mousePressEvent(event);
}
