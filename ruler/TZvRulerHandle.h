#pragma once

// One of the ruler's four indent handles: a small child control at the top or
// bottom of the ruler that paints its shape and passes its mouse input, in its
// own coordinates, to the ruler's interaction.

#include "ruler/RulerTypes.h"

#include <QWidget>

class RulerInteraction;

class TZvRulerHandle : public QWidget
{
    Q_OBJECT
public:
    TZvRulerHandle(TIndentID kind, RulerInteraction& interaction, QWidget* ruler);

    TIndentID kind() const { return m_kind; }

    // The handle's x when the current drag began.
    int Tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    TIndentID m_kind;
    RulerInteraction& m_interaction;
    int m_tag = 0;
};
