#include "widgets/FontEntryDelegate.h"

#include "widgets/TZvFontComboBox.h"

#include <QPainter>

FontEntryDelegate::FontEntryDelegate(TZvFontComboBox* box) : QAbstractItemDelegate(box), m_box(box)
{
}

void FontEntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    painter->save();
    m_box->paintEntry(*painter, option.rect, index.row(), option.state.testFlag(QStyle::State_Selected),
                      TZvFontComboBox::EntryPlace::ListRow);
    painter->restore();
}

QSize FontEntryDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    return {0, m_box->itemHeight()};
}
