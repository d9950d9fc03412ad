#include "editcontrol/PagedDocument.h"

#include "editcontrol/ListLabelPainter.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {

// Paper is white whatever the desktop's colours are: text without a colour of
// its own prints black.
const QColor Ink = Qt::black;

// How far inside a page the layout is asked to draw: less than the height of
// any line, more than the layout's rounding.
constexpr qreal ClipInset = 0.5;

} // namespace

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
    // The layout keeps lengths in steps of 1/64 pixel and cuts a page height
    // down to a whole step; with a height it keeps exactly, page n starts at
    // exactly n heights however far down the document it is.
    const qreal layoutPageHeight = std::floor(pageSize.height() * 64) / 64;
    m_document->setPageSize(QSizeF(pageSize.width(), layoutPageHeight));
    m_pageHeight = std::max<qreal>(layoutPageHeight, 1);
    const std::vector<ListLabelPainter::Label> labels = ListLabelPainter::takeLabels(*m_document);

    // A page starts at its first laid-out line; the lines come in the order of
    // the text, so a page is known as soon as its first line is met.
    QAbstractTextDocumentLayout* layout = m_document->documentLayout();
    layout->documentSize(); // lays the whole copy out now
    m_pages.push_back(Page{0, 0, 0});
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next()) {
        const QTextLayout* lines = block.layout();
        if (!lines || lines->lineCount() == 0)
            continue;
        const qreal blockTop = layout->blockBoundingRect(block).top();
        for (int index = 0; index < lines->lineCount(); ++index) {
            const QTextLine line = lines->lineAt(index);
            const qreal top = blockTop + line.y();
            const int layoutPage = layoutPageAt(top);
            const int start = block.position() + line.textStart();
            if (layoutPage > m_pages.back().layoutPage && start > m_pages.back().start)
                m_pages.push_back(Page{start, layoutPage, 0});
            if (layoutPage == m_pages.back().layoutPage)
                m_pages.back().bottom = std::max(m_pages.back().bottom, top + line.height());
        }
        // Every page that the paragraph reaches after the one of its first line.
        const int firstPage = layoutPageAt(blockTop + lines->lineAt(0).y());
        const int lastPage = layoutPageAt(blockTop + lines->boundingRect().bottom() - ClipInset);
        for (int page = firstPage + 1; page <= lastPage; ++page)
            m_continued.emplace(page, block);
    }
    for (const ListLabelPainter::Label& label : labels) {
        const QTextLayout* lines = label.block.layout();
        if (lines && lines->lineCount() > 0)
            m_labels.emplace(
                layoutPageAt(layout->blockBoundingRect(label.block).top() + lines->lineAt(0).y()), label);
    }
}

PagedDocument::~PagedDocument() = default;

int PagedDocument::pageOf(int position) const
{
    const auto after = std::upper_bound(m_pages.begin(), m_pages.end(), position,
                                        [](int value, const Page& page) { return value < page.start; });
    return std::max(0, int(after - m_pages.begin()) - 1);
}

int PagedDocument::layoutPageAt(qreal top) const
{
    return int(top / m_pageHeight);
}

void PagedDocument::drawPage(QPainter& painter, int page, const QPointF& origin) const
{
    const Page& shownPage = m_pages.at(std::size_t(page));
    const qreal top = shownPage.layoutPage * m_pageHeight;
    // The page is drawn down to the end of its last line: the background of
    // a line that went over to the next page may reach up above that line.
    const qreal bottom = std::min(top + m_pageHeight, std::max(top, shownPage.bottom));
    const QSizeF shown(m_pageSize.width(), bottom - top);
    const QPaintDevice* device = painter.device();
    painter.save();
    painter.translate(origin);
    painter.scale(qreal(device->logicalDpiX()) / DocumentDpi, qreal(device->logicalDpiY()) / DocumentDpi);
    painter.setClipRect(QRectF(QPointF(0, 0), shown));
    painter.translate(0, -top);
    QAbstractTextDocumentLayout::PaintContext context;
    // The layout draws the lines that reach into this rectangle: each line of
    // the page does, and the lines of other pages stay outside of it.
    context.clip = QRectF(0, top + ClipInset, m_pageSize.width(), m_pageHeight - 2 * ClipInset);
    context.palette.setColor(QPalette::Text, Ink);
    // Of a paragraph that reaches into the rectangle the layout draws the line
    // above it too, and the list label of its first line: a paragraph that
    // goes on from an earlier page is left to drawContinuedLines.
    const auto [continuedFirst, continuedEnd] = m_continued.equal_range(shownPage.layoutPage);
    for (auto continued = continuedFirst; continued != continuedEnd; ++continued)
        QTextBlock(continued->second).setVisible(false);
    m_document->documentLayout()->draw(&painter, context);
    for (auto continued = continuedFirst; continued != continuedEnd; ++continued) {
        QTextBlock(continued->second).setVisible(true);
        drawContinuedLines(painter, continued->second, shownPage.layoutPage);
    }
    const auto [labelFirst, labelEnd] = m_labels.equal_range(shownPage.layoutPage);
    for (auto labelled = labelFirst; labelled != labelEnd; ++labelled)
        ListLabelPainter::drawInQtLayout(painter, labelled->second, Ink);
    painter.restore();
}

// Draws the lines of `block` that stand on `layoutPage`. The rest of what the
// layout draws with a paragraph is its list label, which stays with its first
// line, and its background, which the program's paragraphs do not have.
void PagedDocument::drawContinuedLines(QPainter& painter, const QTextBlock& block, int layoutPage) const
{
    const QTextLayout* lines = block.layout();
    const QPointF position = m_document->documentLayout()->blockBoundingRect(block).topLeft();
    painter.setPen(Ink);
    for (int index = 0; index < lines->lineCount(); ++index) {
        const QTextLine line = lines->lineAt(index);
        if (layoutPageAt(position.y() + line.y()) == layoutPage)
            line.draw(&painter, position);
    }
}
