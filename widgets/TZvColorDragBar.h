#pragma once

// The bar at the top of the palette window by which the user tears the
// palette off: the active caption colour with a move cursor while the pointer
// is over it, the inactive caption colour after the pointer has left. A left
// press followed by a move asks for the tear-off.

#include <QWidget>

class TZvColorDragBar : public QWidget
{
    Q_OBJECT
public:
    explicit TZvColorDragBar(QWidget* parent);

Q_SIGNALS:
    // A left press on the bar was followed by a move to `globalPosition`.
    void dragStarted(QPoint globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_active = true;
    bool m_pressed = false;
};
