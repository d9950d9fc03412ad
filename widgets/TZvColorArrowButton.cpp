#include "widgets/TZvColorArrowButton.h"

#include <QPainter>

TZvColorArrowButton::TZvColorArrowButton(QWidget* parent)
    : TZvColorSpeedButton(HoverTracking::ByOwner, parent)
{
    setCheckable(true);
}

void TZvColorArrowButton::paintContent(QPainter& painter)
{
    const int x = (width() - 6) / 2;
    const int y = height() / 2 - 2;
    const QPolygon triangle({QPoint(x, y), QPoint(x + 6, y), QPoint(x + 3, y + 3)});
    // Disabled, the triangle is only outlined.
    painter.setPen(isEnabled() ? QColor(Qt::black) : SysColor(clBtnShadow));
    painter.setBrush(isEnabled() ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
    painter.drawPolygon(triangle);
}
