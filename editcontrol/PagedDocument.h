#pragma once

// A copy of a document laid out on pages of one size and drawn on any paint
// device, a printer or a PDF file, at that device's resolution. The layout is
// measured in the document's own pixels, DocumentDpi to the inch, in which
// the indents, spacings and pictures of the document are given. The copy keeps
// the source's character positions. Pages that the layout leaves without a
// line of text are not counted, so page starts always increase. A page draws
// only the lines that it shows: a PDF file keeps even the text that a clip
// hides, and would be searched and copied with it.

#include "editcontrol/ListLabelPainter.h"

#include <QImage>
#include <QSizeF>
#include <QTextBlock>

#include <map>
#include <memory>
#include <vector>

class QPainter;
class QPointF;
class QTextDocument;

class PagedDocument
{
public:
    static constexpr int DocumentDpi = 96;

    // `pageSize` in the document's pixels; the text fills each page to its edges.
    PagedDocument(const QTextDocument& source, const QSizeF& pageSize);
    ~PagedDocument();

    QSizeF pageSize() const { return m_pageSize; }
    int pageCount() const { return int(m_pages.size()); } // at least 1
    // The 0-based page that holds `position`; positions past the end are on the last page.
    int pageOf(int position) const;
    int pageStart(int page) const { return m_pages.at(std::size_t(page)).start; }
    // Draws a page with its top-left corner at `origin`, in the pixels of the
    // painter's device, scaled to that device's resolution.
    void drawPage(QPainter& painter, int page, const QPointF& origin) const;

private:
    int layoutPageAt(qreal top) const;
    void drawContinuedLines(QPainter& painter, const QTextBlock& block, int layoutPage) const;

    struct Page
    {
        int start = 0;      // the position of its first character
        int layoutPage = 0; // the page of the layout it is
        qreal bottom = 0;   // where its last line ends in the layout
    };

    QImage m_measure{1, 1, QImage::Format_RGB32}; // a device of DocumentDpi to measure on
    std::unique_ptr<QTextDocument> m_document;
    QSizeF m_pageSize;
    qreal m_pageHeight = 1; // of the layout's pages, in its steps of 1/64 pixel
    std::vector<Page> m_pages;
    // Paragraphs by the layout page that they go on to from an earlier one.
    std::multimap<int, QTextBlock> m_continued;
    // The list labels, by the layout page of their paragraph's first line: the
    // copy's lists are drawn without Qt's own labels, which follow other rules.
    std::multimap<int, ListLabelPainter::Label> m_labels;
};
