#include "ruler/RulerGuide.h"

#include "ruler/RulerGuideOverlay.h"

RulerGuide::~RulerGuide()
{
    delete m_overlay;
}

void RulerGuide::setEditor(QWidget* editor)
{
    if (editor == m_editor)
        return;
    delete m_overlay;
    m_editor = editor;
    if (editor)
        m_overlay = new RulerGuideOverlay(editor);
}

RulerGuideOverlay* RulerGuide::overlay() const
{
    return m_overlay;
}

void RulerGuide::draw(int rulerX)
{
    if (!m_overlay)
        return;
    m_overlay->toggleLine(editorX(rulerX));
}

void RulerGuide::move(int fromRulerX, int toRulerX)
{
    if (fromRulerX == toRulerX)
        return;
    draw(fromRulerX);
    draw(toRulerX);
}

int RulerGuide::editorX(int rulerX) const
{
    return m_ruler.mapToGlobal(QPoint(rulerX, 0)).x() - m_editor->mapToGlobal(QPoint(0, 0)).x();
}
