#include "ruler/RulerPainter.h"

#include "ruler/RulerHandleShape.h"
#include "ruler/TZvRuler.h"
#include "ruler/TZvRulerHandle.h"

#include <QFontMetrics>
#include <QPainter>

#include <cstdlib>

void RulerPainter::paint(QPainter& painter) const
{
    paintBands(painter);
    if (m_ruler.ShowMarginHandlers())
        paintMarginHandlers(painter);
    paintScale(painter);
    if (m_ruler.interaction().isDraggingHandle())
        paintDragStartOutlines(painter);
}

void RulerPainter::paintBands(QPainter& painter) const
{
    const RulerGeometry geometry = m_ruler.rulerGeometry();
    const QColor face = SysColor(clBtnFace);
    const QColor shadow = SysColor(clBtnShadow);
    for (const QRect& strip :
         {geometry.topStrip(), geometry.bottomStrip(), geometry.leftStrip(), geometry.rightStrip()})
        painter.fillRect(strip, face);
    painter.fillRect(geometry.leftMarginBand(), shadow);
    painter.fillRect(geometry.rightMarginBand(), shadow);
    painter.fillRect(geometry.writingArea(), SysColor(m_ruler.Color()));
}

void RulerPainter::paintMarginHandlers(QPainter& painter) const
{
    // A margin of zero width has no band to set its line off from, so the line takes the band's colour.
    const RulerGeometry geometry = m_ruler.rulerGeometry();
    const auto lineColor = [](int margin) { return SysColor(margin != 0 ? clBtnFace : clBtnShadow); };
    painter.fillRect(geometry.leftMarginHandler(), lineColor(m_ruler.MarginLeft()));
    painter.fillRect(geometry.rightMarginHandler(), lineColor(m_ruler.MarginRight()));
}

void RulerPainter::paintScale(QPainter& painter) const
{
    const int tabDist = m_ruler.TabDist();
    if (tabDist == 0)
        return;
    const RulerGeometry geometry = m_ruler.rulerGeometry();
    const int height = geometry.height;
    const int unit = 4 * tabDist;
    const QColor ink = SysColor(m_ruler.Font().Color);
    painter.setFont(m_ruler.Font().toQFont());
    painter.setPen(ink);
    const QFontMetrics metrics = painter.fontMetrics();
    const auto largeTick = [&](int x) { painter.fillRect(x, (height - 5) / 2, 1, 5, ink); };
    const auto smallTick = [&](int x) { painter.fillRect(x, (height - 2) / 2, 1, 2, ink); };

    for (int x = geometry.firstScaleColumn(); x <= geometry.lastScaleColumn(); ++x) {
        const int distance = std::abs(x - geometry.leftMarginLine());
        if (distance % unit == 0) {
            const int number = distance / unit * m_ruler.Factor();
            if (m_ruler.ShowNumbers()) {
                if (number != 0) {
                    const QString label = QString::number(number);
                    const int left = x - metrics.horizontalAdvance(label) / 2;
                    const int top = (height - metrics.height()) / 2;
                    painter.drawText(left, top + metrics.ascent(), label);
                }
            } else if (m_ruler.ShowLargeLines()) {
                largeTick(x);
            }
        }
        if (m_ruler.ShowLargeLines() && distance % unit == 2 * tabDist)
            largeTick(x);
        if (m_ruler.ShowSmallLines() && distance % (2 * tabDist) == tabDist)
            smallTick(x);
    }
}

void RulerPainter::paintDragStartOutlines(QPainter& painter) const
{
    painter.setPen(QPen(SysColor(clBtnShadow), 0));
    painter.setBrush(SysColor(clBtnFace));
    // The left-indent handle starts where the both-left box under it started.
    const int bothLeftStart = m_ruler.handle(riBothLeft)->Tag();
    for (const TIndentID kind : {riFirst, riLeft, riRight, riBothLeft}) {
        const TZvRulerHandle* handle = m_ruler.handle(kind);
        const int start = kind == riLeft ? bothLeftStart : handle->Tag();
        if (handle->x() != start)
            drawHandleOutline(painter, kind, QPoint(start, handle->y()));
    }
}
