#pragma once

// A see-through layer over the linked editor that shows the ruler's dotted
// vertical guide lines while a handle or margin is dragged. Drawing a line
// where one already stands removes it, as an inverting pen would.

#include <QList>
#include <QWidget>

class RulerGuideOverlay : public QWidget
{
    Q_OBJECT
public:
    explicit RulerGuideOverlay(QWidget* editor);

    // Shows a line at x (editor client coordinates), or removes the one there.
    void toggleLine(int x);
    const QList<int>& lines() const { return m_lines; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<int> m_lines;
};
