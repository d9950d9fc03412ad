#pragma once

// The palette window: a frameless window that stays on top of the program,
// with the drag bar above the palette panel. It drops down from the colour
// button and hides on Escape; torn off by its drag bar it becomes a floating
// palette (drag bar hidden) that stays open while colours are picked. Hiding
// returns it to drop-down mode.

#include "widgets/TZvColorButtonProperties.h"

#include <QWidget>

#include <optional>

class Desktop;
class TZvColorDragBar;
class TZvColorPanel;

class TZvColorForm : public QWidget
{
    Q_OBJECT
public:
    // `properties` (the owning button's) give the drag bar's settings and stay
    // alive as long as the window.
    TZvColorForm(Desktop& desktop, const TZvColorButtonProperties& properties, QWidget* parent);

    // Width of the raised dialog frame round the contents.
    static constexpr int FrameWidth = 3;

    TZvColorPanel* panel() const { return m_panel; }
    TZvColorDragBar* dragBar() const { return m_dragBar; }

    bool isFloating() const { return m_floating; }
    void setFloating(bool floating);
    // Whether the window stays above the others (the floating palette gives
    // this up while the colour dialog runs).
    void setTopmost(bool topmost);

    // Places the drag bar and the panel after a change of their settings and
    // sizes the window to them.
    void layoutContents();

    // The top-left corner of a window of `size` dropped down under the
    // button whose rectangle on the screen is `button`: at its left edge,
    // moved left to end at the screen's right edge if it would pass it, and
    // above the button if it would pass the screen's bottom.
    static QPoint dropDownPosition(const QRect& button, const QSize& size, const QRect& screen);

Q_SIGNALS:
    // The window has been hidden, by any means.
    void closed();
    // The window has lost the focus.
    void deactivated();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void tearOff(QPoint globalPosition);

    const TZvColorButtonProperties& m_properties;
    TZvColorDragBar* m_dragBar = nullptr;
    TZvColorPanel* m_panel = nullptr;
    bool m_floating = false;
    bool m_changingFlags = false;
    // Set while the window follows the pointer after a tear-off, where the
    // desktop has no window-move loop of its own: pointer minus window origin.
    std::optional<QPoint> m_moveOffset;
};
