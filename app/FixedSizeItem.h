#pragma once

// The place of a control of fixed size in a layout that may grow narrower than
// the control: the control keeps its size at the place's top-left corner and
// its parent clips what lies beyond the window's edge, as a fixed-size control
// of the designed platform is clipped. It asks the layout for its height and
// for no width, so it never holds the window wider than the rest needs.

#include <QWidgetItem>

class FixedSizeItem : public QWidgetItem
{
public:
    using QWidgetItem::QWidgetItem;

    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;
};
