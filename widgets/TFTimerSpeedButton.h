#pragma once

// One arrow of a spin button: a speed button with a small arrow glyph that can
// draw a dotted focus frame and, with auto-repeat on, keeps clicking while it
// is held down. A short click clicks once, on release; held down, it clicks
// first FirstRepeatDelay ms after the press, then every RepeatInterval ms, and
// once more when released over the button.

#include <QAbstractButton>

class TTimer;

class TFTimerSpeedButton : public QAbstractButton
{
    Q_OBJECT
public:
    enum class Direction { Up, Down };

    static constexpr int FirstRepeatDelay = 400; // ms from the press to the first repeated click
    static constexpr int RepeatInterval = 100;   // ms between the following ones

    TFTimerSpeedButton(Direction direction, QWidget* parent);

    Direction direction() const { return m_direction; }

    // The dotted frame 3 pixels inside the edge that shows the keyboard focus.
    bool FocusFrame() const { return m_focusFrame; }
    void setFocusFrame(bool value);
    bool AutoRepeat() const { return m_autoRepeat; }
    void setAutoRepeat(bool value) { m_autoRepeat = value; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void repeatClick();
    void paintArrow(QPainter& painter, QPoint offset) const;

    Direction m_direction;
    bool m_focusFrame = false;
    bool m_autoRepeat = false;
    bool m_heldByMouse = false;
    TTimer* m_repeatTimer = nullptr; // created on the first press that repeats
};
