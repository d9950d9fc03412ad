#include "platform/PagedDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

PagedDocument::PagedDocument(const QTextDocument& source, const QSizeF& pageSize)
    : m_document(source.clone()), m_pageSize(pageSize)
{
    // Fonts are measured at the resolution of the document's other lengths,
    // and without the screen's rounding, which a printer does not have.
    const int dotsPerMeter = qRound(DocumentDpi / 0.0254);
    m_measure.setDotsPerMeterX(dotsPerMeter);
    m_measure.setDotsPerMeterY(dotsPerMeter);
    m_document->documentLayout()->setPaintDevice(&m_measure);
    m_document->setUseDesignMetrics(true);
    m_document->setDocumentMargin(0);
    m_document->setPageSize(pageSize);

    // A page starts at its first laid-out line; the lines come in the order of
    // the text, so a page is known as soon as its first line is met.
    QAbstractTextDocumentLayout* layout = m_document->documentLayout();
    layout->documentSize(); // lays the whole copy out now
    const qreal pageHeight = std::max<qreal>(pageSize.height(), 1);
    m_pages.push_back(Page{0, 0, 0});
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next()) {
        const QTextLayout* lines = block.layout();
        if (!lines || lines->lineCount() == 0)
            continue;
        const qreal blockTop = layout->blockBoundingRect(block).top();
        for (int index = 0; index < lines->lineCount(); ++index) {
            const QTextLine line = lines->lineAt(index);
            // The layout keeps positions in steps of 1/64 pixel, so a line
            // that starts a page may stand a hair above the page's top.
            const qreal top = blockTop + line.y();
            const int layoutPage = int((top + 1) / pageHeight);
            const int start = block.position() + line.textStart();
            if (layoutPage > m_pages.back().layoutPage && start > m_pages.back().start)
                m_pages.push_back(Page{start, layoutPage, 0});
            if (layoutPage == m_pages.back().layoutPage)
                m_pages.back().bottom = std::max(m_pages.back().bottom, top + line.height());
        }
    }
}

PagedDocument::~PagedDocument() = default;

int PagedDocument::pageOf(int position) const
{
    const auto after = std::upper_bound(m_pages.begin(), m_pages.end(), position,
                                        [](int value, const Page& page) { return value < page.start; });
    return std::max(0, int(after - m_pages.begin()) - 1);
}

void PagedDocument::drawPage(QPainter& painter, int page, const QPointF& origin) const
{
    const Page& shownPage = m_pages.at(std::size_t(page));
    const qreal top = shownPage.layoutPage * m_pageSize.height();
    // The page is drawn down to the end of its last line: the background of
    // a line that went over to the next page may reach up above that line.
    const qreal bottom = std::min(top + m_pageSize.height(), std::max(top, shownPage.bottom));
    const QSizeF shown(m_pageSize.width(), bottom - top);
    const QPaintDevice* device = painter.device();
    painter.save();
    painter.translate(origin);
    painter.scale(qreal(device->logicalDpiX()) / DocumentDpi, qreal(device->logicalDpiY()) / DocumentDpi);
    painter.setClipRect(QRectF(QPointF(0, 0), shown));
    painter.translate(0, -top);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(QPointF(0, top), shown);
    // Paper is white whatever the desktop's colours are: text without a
    // colour of its own prints black.
    context.palette.setColor(QPalette::Text, Qt::black);
    m_document->documentLayout()->draw(&painter, context);
    painter.restore();
}
