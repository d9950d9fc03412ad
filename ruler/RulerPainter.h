#pragma once

// Paints the ruler's own surface in the order the pixels land: frame strips,
// margin bands, writing area, margin handlers, the scale, and during a handle
// drag the flat copies that mark where the dragged handles started. The
// handles paint themselves on top as child controls.

class QPainter;
class TZvRuler;

class RulerPainter
{
public:
    explicit RulerPainter(const TZvRuler& ruler) : m_ruler(ruler) {}

    void paint(QPainter& painter) const;

private:
    void paintBands(QPainter& painter) const;
    void paintMarginHandlers(QPainter& painter) const;
    void paintScale(QPainter& painter) const;
    void paintDragStartOutlines(QPainter& painter) const;

    const TZvRuler& m_ruler;
};
