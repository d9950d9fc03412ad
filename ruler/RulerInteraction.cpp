#include "ruler/RulerInteraction.h"

#include "ruler/RulerTypes.h"
#include "ruler/TZvRuler.h"
#include "ruler/TZvRulerHandle.h"

void RulerInteraction::handlePress(TZvRulerHandle& handle, Qt::MouseButton button, int x)
{
    if (button == Qt::LeftButton && !m_skipNextPress) {
        m_draggingHandle = true;
        m_dragStartX = x;
        // The left-indent handle shares the both-left handle's start, the two never parting.
        for (const TIndentID kind : {riFirst, riRight, riBothLeft})
            m_ruler.handle(kind)->setTag(m_ruler.handle(kind)->x());
        m_ruler.guide().draw(handleGuideX(handle));
        fireRulerEvent(m_ruler.OnIndentClick, &m_ruler, handle.kind());
    }
    m_skipNextPress = false;
}

void RulerInteraction::handleMove(TZvRulerHandle& handle, int x)
{
    if (!m_draggingHandle)
        return;
    const int guideBefore = handleGuideX(handle);
    const int dx = x - m_dragStartX;
    const int target = snap(handle.x() + dx);
    switch (handle.kind()) {
    case riFirst:
        m_ruler.setIndentFirst(target);
        break;
    case riLeft:
        m_ruler.setIndentLeft(target);
        break;
    case riRight:
        m_ruler.setIndentRight(target);
        break;
    case riBothLeft: {
        const int firstTarget = snap(m_ruler.IndentFirst() + dx);
        m_ruler.setIndentLeft(target);
        m_ruler.setIndentFirst(firstTarget);
        break;
    }
    }
    m_ruler.guide().move(guideBefore, handleGuideX(handle));
}

void RulerInteraction::handleRelease(TZvRulerHandle& handle, Qt::MouseButton button)
{
    if (!m_draggingHandle || button != Qt::LeftButton)
        return;
    m_ruler.guide().draw(handleGuideX(handle));
    // The full repaint clears the flat copies left at the drag's start.
    m_ruler.update();
    m_draggingHandle = false;
    fireRulerEvent(m_ruler.OnIndentChange, &m_ruler, handle.kind());
}

void RulerInteraction::handleDoubleClick(TZvRulerHandle& handle)
{
    m_skipNextPress = true;
    fireRulerEvent(m_ruler.OnIndentDblClick, &m_ruler, handle.kind());
}

void RulerInteraction::rulerPress(Qt::MouseButton button, int x)
{
    if (button != Qt::LeftButton || !m_ruler.ShowMarginHandlers())
        return;
    const RulerGeometry geometry = m_ruler.rulerGeometry();
    if (geometry.inLeftMarginZone(x)) {
        m_draggingLeftMargin = true;
        m_ruler.guide().draw(geometry.leftMarginLine());
        fireRulerEvent(m_ruler.OnMarginClick, &m_ruler, rmLeft);
        return;
    }
    if (geometry.inRightMarginZone(x)) {
        m_draggingRightMargin = true;
        m_ruler.guide().draw(geometry.rightMarginLine());
        fireRulerEvent(m_ruler.OnMarginClick, &m_ruler, rmRight);
    }
}

void RulerInteraction::rulerMove(int x)
{
    if (m_ruler.ShowMarginHandlers()) {
        const RulerGeometry geometry = m_ruler.rulerGeometry();
        if (geometry.inLeftMarginZone(x) || geometry.inRightMarginZone(x))
            m_ruler.setCursor(Qt::SizeHorCursor);
        else
            m_ruler.unsetCursor();
    }
    if (m_draggingLeftMargin) {
        const int guideBefore = m_ruler.rulerGeometry().leftMarginLine();
        m_ruler.setMarginLeft(snap(x - m_ruler.BorderLeft()));
        m_ruler.guide().move(guideBefore, m_ruler.rulerGeometry().leftMarginLine());
    }
    if (m_draggingRightMargin) {
        const int guideBefore = m_ruler.rulerGeometry().rightMarginLine();
        m_ruler.setMarginRight(snap(m_ruler.width() - m_ruler.BorderRight() - x));
        m_ruler.guide().move(guideBefore, m_ruler.rulerGeometry().rightMarginLine());
    }
}

void RulerInteraction::rulerRelease()
{
    if (m_draggingLeftMargin) {
        m_ruler.guide().draw(m_ruler.rulerGeometry().leftMarginLine());
        fireRulerEvent(m_ruler.OnMarginChange, &m_ruler, rmLeft);
        m_draggingLeftMargin = false;
    }
    if (m_draggingRightMargin) {
        m_ruler.guide().draw(m_ruler.rulerGeometry().rightMarginLine());
        fireRulerEvent(m_ruler.OnMarginChange, &m_ruler, rmRight);
        m_draggingRightMargin = false;
    }
}

int RulerInteraction::snap(int x) const
{
    return snapToStep(x, m_ruler.RulerTab());
}

int RulerInteraction::handleGuideX(const TZvRulerHandle& handle)
{
    return handle.x() + RulerGeometry::HandleTip;
}
