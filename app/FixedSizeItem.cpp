#include "app/FixedSizeItem.h"

#include <QWidget>

QSize FixedSizeItem::minimumSize() const
{
    return {0, QWidgetItem::minimumSize().height()};
}

void FixedSizeItem::setGeometry(const QRect& rect)
{
    if (!isEmpty())
        widget()->move(rect.topLeft());
}
