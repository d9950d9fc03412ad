// Page formatting of the rich edit control: the text laid out on printer
// pages, page by page.

#include "platform/RichEditControl.h"

#include <QPainter>
#include <QPointF>

namespace {

constexpr qreal TwipsPerInch = 1440;

QPointF twipsToPixels(LONG x, LONG y, const QPaintDevice& device)
{
    return QPointF(x * device.logicalDpiX() / TwipsPerInch, y * device.logicalDpiY() / TwipsPerInch);
}

} // namespace

LONG RichEditControl::FormatRange(bool render, const FORMATRANGE* range)
{
    if (!range) {
        m_pagedDocument.reset();
        return 0;
    }
    // Without a device of its own the text is measured where it is shown.
    QPaintDevice* measured = range->hdcTarget;
    if (!measured)
        measured = range->hdc ? range->hdc->device() : viewport();
    const RECT& rc = range->rc;
    const QPointF size = twipsToPixels(rc.right - rc.left, rc.bottom - rc.top, *measured);
    const QSizeF pageSize(size.x(), size.y());
    if (!m_pagedDocument || !m_pagedDocument->isLaidOutFor(measured, pageSize))
        m_pagedDocument = std::make_unique<PagedDocument>(*document(), measured, pageSize);

    const int page = m_pagedDocument->pageOf(clampPosition(range->chrg.cpMin));
    if (render && range->hdc)
        m_pagedDocument->drawPage(*range->hdc, page, twipsToPixels(rc.left, rc.top, *range->hdc->device()));
    if (page + 1 < m_pagedDocument->pageCount())
        return m_pagedDocument->pageStart(page + 1);
    return GetTextLength();
}
