#pragma once

// The ruler's mouse handling: dragging the four indent handles and the two
// margin lines, snapped to the ruler's RulerTab, with the click, drag, change
// and double-click events. Handle input arrives in handle coordinates, ruler
// input in ruler coordinates; the control that got the press keeps getting
// the moves and the release.

#include <Qt>

class TZvRuler;
class TZvRulerHandle;

class RulerInteraction
{
public:
    explicit RulerInteraction(TZvRuler& ruler) : m_ruler(ruler) {}

    bool isDraggingHandle() const { return m_draggingHandle; }
    bool isDraggingLeftMargin() const { return m_draggingLeftMargin; }
    bool isDraggingRightMargin() const { return m_draggingRightMargin; }

    void handlePress(TZvRulerHandle& handle, Qt::MouseButton button, int x);
    void handleMove(TZvRulerHandle& handle, int x);
    void handleRelease(TZvRulerHandle& handle, Qt::MouseButton button);
    void handleDoubleClick(TZvRulerHandle& handle);

    void rulerPress(Qt::MouseButton button, int x);
    void rulerMove(int x);
    void rulerRelease();

private:
    int snap(int x) const;
    // Where the guide line of a handle stands, in ruler pixels.
    static int handleGuideX(const TZvRulerHandle& handle);

    TZvRuler& m_ruler;
    bool m_draggingHandle = false;
    int m_dragStartX = 0;
    bool m_draggingLeftMargin = false;
    bool m_draggingRightMargin = false;
    bool m_skipNextPress = false;
};
