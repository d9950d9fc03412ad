#include "ruler/RulerGuideOverlay.h"

#include <QPainter>

RulerGuideOverlay::RulerGuideOverlay(QWidget* editor) : QWidget(editor)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(editor->rect());
    show();
}

void RulerGuideOverlay::toggleLine(int x)
{
    if (!m_lines.removeOne(x))
        m_lines.append(x);
    // The editor may have been resized since the last line.
    setGeometry(parentWidget()->rect());
    raise();
    update();
}

void RulerGuideOverlay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
    for (const int x : m_lines)
        painter.drawLine(x, 1, x, height() - 1);
}
