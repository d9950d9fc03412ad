#pragma once

// The strip at the left edge of the rich edit control: a click there selects
// the line beside it, a double click its paragraph, and dragging extends the
// selection line by line.

#include <QWidget>

class RichEditControl;

class SelectionBar : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Width = 8; // pixels

    explicit SelectionBar(RichEditControl* control);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The first position of the line beside `y` and the first position after it.
    std::pair<int, int> lineBeside(int y) const;

    static constexpr int NoAnchor = -1; // no press in the bar is being dragged

    RichEditControl* m_control;
    int m_anchorLineStart = NoAnchor;
    int m_anchorLineEnd = NoAnchor;
};
