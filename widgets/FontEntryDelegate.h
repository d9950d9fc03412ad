#pragma once

// Draws the rows of the font list's open list through the box's own entry
// painter, so that the rows and the closed box look alike, and gives every
// row the box's item height.

#include <QAbstractItemDelegate>

class TZvFontComboBox;

class FontEntryDelegate : public QAbstractItemDelegate
{
    Q_OBJECT

public:
    explicit FontEntryDelegate(TZvFontComboBox* box);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // No width of its own: the open list is as wide as the box or its DroppedDownWidth.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    TZvFontComboBox* m_box = nullptr;
};
