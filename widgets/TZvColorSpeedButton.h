#pragma once

// A flat speed button that carries one colour: no frame until it is hot (the
// pointer over it, or over its owner for the parts of the colour button),
// then a thin raised frame; a thin sunken frame while it is down. "Down" is
// the checked state, which only the owner sets: a click does not toggle it.
// Subclasses paint what lies inside the frame.

#include "platform/SysColor.h"

#include <QAbstractButton>

class TZvColorSpeedButton : public QAbstractButton
{
    Q_OBJECT
public:
    // Who decides that the button is hot: its own pointer tracking, or its owner.
    enum class HoverTracking { Own, ByOwner };

    TZvColorSpeedButton(HoverTracking tracking, QWidget* parent);

    // The colour the button stands for; clDefault at first.
    TColor Color() const { return m_color; }
    void setColor(TColor color);

    // A flat button shows its frame only while hot or down; one that is not flat always
    // shows a raised frame. Flat at first.
    bool isFlat() const { return m_flat; }
    void setFlat(bool flat);

    void setHot(bool hot);

    // Grey #808080 is the colour of every disabled swatch.
    static constexpr QRgb DisabledGrey = 0xFF808080;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void nextCheckState() override {}

    // What lies inside the frame, painted over the button face.
    virtual void paintContent(QPainter& painter) = 0;

    // The button's colour as painted: through the system colours, grey while disabled.
    QColor paintedColor() const;
    // A rectangle from `topLeft` up to (not including) `bottomRight` with a
    // grey one-pixel frame, filled with `fill`.
    static void paintSwatch(QPainter& painter, QPoint topLeft, QPoint bottomRight, const QColor& fill);

private:
    HoverTracking m_tracking;
    TColor m_color = clDefault;
    bool m_hot = false;
    bool m_flat = true;
};
