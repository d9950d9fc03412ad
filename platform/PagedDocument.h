#pragma once

// A copy of a document laid out on pages of one size, measured at the
// resolution of one paint device (a printer or a PDF file). The copy keeps the
// source's character positions. Pages that the layout leaves without a line
// of text are not counted, so page starts always increase.

#include <QSizeF>

#include <memory>
#include <vector>

class QPaintDevice;
class QPainter;
class QPointF;
class QTextDocument;

class PagedDocument
{
public:
    // `pageSize` in the device's pixels; the text fills each page to its edges.
    PagedDocument(const QTextDocument& source, QPaintDevice* device, const QSizeF& pageSize);
    ~PagedDocument();

    bool isLaidOutFor(const QPaintDevice* device, const QSizeF& pageSize) const
    {
        return device == m_device && pageSize == m_pageSize;
    }
    int pageCount() const { return int(m_pages.size()); } // at least 1
    // The 0-based page that holds `position`; positions past the end are on the last page.
    int pageOf(int position) const;
    int pageStart(int page) const { return m_pages.at(std::size_t(page)).start; }
    // Draws a page with its top-left corner at `origin`, in the painter's coordinates.
    void drawPage(QPainter& painter, int page, const QPointF& origin) const;

private:
    struct Page
    {
        int start = 0;      // the position of its first character
        int layoutPage = 0; // the page of the layout it is
    };

    std::unique_ptr<QTextDocument> m_document;
    const QPaintDevice* m_device = nullptr;
    QSizeF m_pageSize;
    std::vector<Page> m_pages;
};
