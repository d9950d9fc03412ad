#include "editcontrol/ParagraphPainter.h"

#include "editcontrol/ListLabelPainter.h"
#include "editcontrol/MisspellingPainter.h"
#include "editcontrol/SpellingMarks.h"
#include "editcontrol/UrlDetector.h"

#include <QPainter>
#include <QTextBlock>
#include <QTextLayout>

namespace {

void fillBackground(QPainter* painter, const QRectF& rect, const QBrush& brush, const QPointF& origin)
{
    painter->save();
    painter->setBrushOrigin(origin);
    painter->fillRect(rect, brush);
    painter->restore();
}

} // namespace

ParagraphPainter::ParagraphPainter(QPainter* painter,
                                   const QAbstractTextDocumentLayout::PaintContext& context, int cursorWidth,
                                   const QRectF& flow, bool showLinks, const SpellingMarks* spelling)
    : m_painter(painter), m_context(context), m_cursorWidth(cursorWidth),
      m_lineClip(context.clip.isValid() ? context.clip & flow : flow), m_showLinks(showLinks),
      m_spelling(spelling)
{
}

void ParagraphPainter::draw(const QTextBlock& block, const QPointF& offset) const
{
    const QTextLayout* layout = block.layout();
    QRectF bounds = layout->boundingRect();
    bounds.translate(offset + layout->position());
    const QRectF& clip = m_context.clip;
    if (!block.isVisible() ||
        (clip.isValid() && (bounds.bottom() < clip.y() || bounds.top() > clip.bottom())))
        return;

    const QTextBlockFormat format = block.blockFormat();
    if (const QBrush background = format.background(); background != Qt::NoBrush)
        fillBackground(m_painter, bounds, background, bounds.topLeft());

    // Links first: a selection over a link is drawn over it.
    QList<QTextLayout::FormatRange> selections;
    if (m_showLinks)
        for (const UrlDetector::Link& link : UrlDetector::linksIn(block.text()))
            selections.append({link.start, link.length, UrlDetector::linkFormat()});
    const int start = block.position();
    const int length = block.length();
    const QTextCharFormat* markerSelection = nullptr;
    for (const QAbstractTextDocumentLayout::Selection& range : m_context.selections) {
        const int selectionStart = range.cursor.selectionStart() - start;
        const int selectionEnd = range.cursor.selectionEnd() - start;
        if (selectionStart < length && selectionEnd > 0 && selectionEnd > selectionStart) {
            selections.append({selectionStart, selectionEnd - selectionStart, range.format});
        } else if (!range.cursor.hasSelection() &&
                   range.format.hasProperty(QTextFormat::FullWidthSelection) &&
                   block.contains(range.cursor.position())) {
            // A full-width selection needs no selected text, only a line to mark.
            const QTextLine line = layout->lineForTextPosition(range.cursor.position() - start);
            QTextLayout::FormatRange whole{line.textStart(), line.textLength(), range.format};
            if (whole.start + whole.length == length - 1)
                ++whole.length; // with the paragraph break
            selections.append(whole);
        }
        // A selection that starts before the paragraph covers its list marker too.
        if (selectionStart < 0 && selectionEnd >= 1)
            markerSelection = &range.format;
    }

    if (block.textList())
        ListLabelPainter::draw(*m_painter, block, offset, m_labels.labelOf(block), m_context.palette.text(),
                               markerSelection);

    const QPen pen = m_painter->pen();
    m_painter->setPen(m_context.palette.color(QPalette::Text));
    layout->draw(m_painter, offset, selections, m_lineClip);
    drawMisspelled(block, offset);
    drawCursor(block, offset);

    if (format.hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth)) {
        const qreal width =
            format.lengthProperty(QTextFormat::BlockTrailingHorizontalRulerWidth).value(bounds.width());
        m_painter->setPen(m_context.palette.color(QPalette::Dark));
        const qreal y = block.length() == 1 ? bounds.top() + bounds.height() / 2 : bounds.bottom();
        const qreal middle = bounds.left() + bounds.width() / 2;
        m_painter->drawLine(QLineF(middle - width / 2, y, middle + width / 2, y));
    }
    m_painter->setPen(pen);
}

void ParagraphPainter::drawMisspelled(const QTextBlock& block, const QPointF& offset) const
{
    if (m_spelling)
        MisspellingPainter::draw(*m_painter, *block.layout(), offset + block.layout()->position(),
                                 m_spelling->wordsIn(block), m_lineClip);
}

void ParagraphPainter::drawCursor(const QTextBlock& block, const QPointF& offset) const
{
    const QTextLayout* layout = block.layout();
    int position = m_context.cursorPosition;
    const int start = block.position();
    // A position below -1 marks the caret inside text being composed by an input method.
    if (position < -1 && !layout->preeditAreaText().isEmpty())
        position = layout->preeditAreaPosition() - (position + 2);
    else if (position >= start && position < start + block.length())
        position -= start;
    else
        return;
    const QPen pen = m_painter->pen();
    m_painter->setPen(m_context.palette.color(QPalette::Text));
    layout->drawCursor(m_painter, offset, position, m_cursorWidth);
    m_painter->setPen(pen);
}
