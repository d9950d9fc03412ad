#include "editcontrol/SelectionBar.h"

#include "editcontrol/RichEditControl.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTextCursor>

SelectionBar::SelectionBar(RichEditControl* control) : QWidget(control), m_control(control)
{
    setCursor(Qt::PointingHandCursor);
}

void SelectionBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_control->palette().color(QPalette::Base));
}

std::pair<int, int> SelectionBar::lineBeside(int y) const
{
    const QPoint inViewport = m_control->viewport()->mapFromGlobal(mapToGlobal(QPoint(0, y)));
    const int position = m_control->cursorForPosition(QPoint(0, inViewport.y())).position();
    const int line = m_control->ExLineFromChar(position);
    const int start = m_control->LineIndex(line);
    const int next = m_control->LineIndex(line + 1);
    return {start, next >= 0 ? next : m_control->GetTextLength()};
}

void SelectionBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const auto [start, end] = lineBeside(event->position().toPoint().y());
    m_anchorLineStart = start;
    m_anchorLineEnd = end;
    m_control->setFocus(Qt::MouseFocusReason);
    m_control->ExSetSel({start, end});
}

void SelectionBar::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) || m_anchorLineStart == NoAnchor)
        return;
    const auto [start, end] = lineBeside(event->position().toPoint().y());
    // The selection runs from the anchor line to the line under the pointer.
    QTextCursor cursor(m_control->document());
    if (start < m_anchorLineStart) {
        cursor.setPosition(m_anchorLineEnd);
        cursor.setPosition(start, QTextCursor::KeepAnchor);
    } else {
        cursor.setPosition(m_anchorLineStart);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
    }
    m_control->setTextCursor(cursor);
}

void SelectionBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const auto [start, end] = lineBeside(event->position().toPoint().y());
    QTextCursor cursor(m_control->document());
    cursor.setPosition(start);
    cursor.movePosition(QTextCursor::StartOfBlock);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    if (!cursor.atEnd())
        cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    m_control->setTextCursor(cursor);
    (void)end;
}
