// Page formatting of the rich edit control: the text laid out on printer
// pages, page by page.

#include "editcontrol/RichEditControl.h"

#include "format/Units.h"

#include <QPainter>
#include <QPointF>

namespace {

QPointF twipsToPixels(LONG x, LONG y, int dpiX, int dpiY)
{
    return QPointF(x * dpiX / qreal(TwipsPerInch), y * dpiY / qreal(TwipsPerInch));
}

} // namespace

LONG RichEditControl::FormatRange(bool render, const FORMATRANGE* range)
{
    if (!range) {
        m_pagedDocument.reset();
        return 0;
    }
    const RECT& rc = range->rc;
    constexpr int dpi = PagedDocument::DocumentDpi;
    const QPointF size = twipsToPixels(rc.right - rc.left, rc.bottom - rc.top, dpi, dpi);
    const QSizeF pageSize(size.x(), size.y());
    if (!m_pagedDocument || m_pagedDocument->pageSize() != pageSize)
        m_pagedDocument = std::make_unique<PagedDocument>(*document(), pageSize);

    const int page = m_pagedDocument->pageOf(clampPosition(range->chrg.cpMin));
    if (render && range->hdc) {
        const QPaintDevice& device = *range->hdc->device();
        const QPointF origin = twipsToPixels(rc.left, rc.top, device.logicalDpiX(), device.logicalDpiY());
        m_pagedDocument->drawPage(*range->hdc, page, origin);
    }
    if (page + 1 < m_pagedDocument->pageCount())
        return m_pagedDocument->pageStart(page + 1);
    return GetTextLength();
}
