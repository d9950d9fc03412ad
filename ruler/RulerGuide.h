#pragma once

// The ruler's optional link to an editor window, on which it draws a guide
// line under a dragged handle or margin line. Positions are given in ruler
// pixels and shifted by the offset between the ruler and the editor. With no
// editor linked every call does nothing.

#include <QPointer>
#include <QWidget>

class RulerGuideOverlay;

class RulerGuide
{
public:
    explicit RulerGuide(const QWidget& ruler) : m_ruler(ruler) {}
    ~RulerGuide();
    RulerGuide(const RulerGuide&) = delete;
    RulerGuide& operator=(const RulerGuide&) = delete;

    QWidget* editor() const { return m_editor; }
    void setEditor(QWidget* editor);

    // Draws the line under ruler column x, or removes the line that stands there.
    void draw(int rulerX);
    // Moves a line from one ruler column to another; nothing when they are equal.
    void move(int fromRulerX, int toRulerX);

    // The layer that carries the lines; null while no editor is linked.
    RulerGuideOverlay* overlay() const;

private:
    int editorX(int rulerX) const;

    const QWidget& m_ruler;
    QPointer<QWidget> m_editor;
    QPointer<RulerGuideOverlay> m_overlay;
};
