#include "platform/ParagraphPainter.h"

#include "platform/UrlDetector.h"

#include <QPainter>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextList>

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
                                   const QRectF& flow, bool showLinks)
    : m_painter(painter), m_context(context), m_cursorWidth(cursorWidth),
      m_lineClip(context.clip.isValid() ? context.clip & flow : flow), m_showLinks(showLinks)
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
        drawListMarker(block, offset, markerSelection);

    const QPen pen = m_painter->pen();
    m_painter->setPen(m_context.palette.color(QPalette::Text));
    layout->draw(m_painter, offset, selections, m_lineClip);
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

void ParagraphPainter::drawListMarker(const QTextBlock& block, const QPointF& offset,
                                      const QTextCharFormat* selection) const
{
    const QTextLayout* layout = block.layout();
    if (layout->lineCount() == 0)
        return;
    const QString label = m_labels.labelOf(block);
    if (label.isEmpty())
        return;
    // The label has the face and size of the text beside it: the paragraph's
    // first character, not its paragraph mark, which a document read from a
    // file may leave in the default format.
    const QTextCharFormat charFormat =
        block.length() > 1 ? block.begin().fragment().charFormat() : block.charFormat();
    const QFont font = charFormat.font();
    const QFontMetrics metrics(font);
    const int level = ListLabels::levelOf(block);
    const bool bullet = label == ListLabels::bulletOf(level);

    // The marker stands a space before the first line's text, on the side the text starts.
    const Qt::LayoutDirection direction = block.textDirection();
    QPointF position = (offset + layout->position()).toPoint();
    const QRectF firstLine = layout->lineAt(0).naturalTextRect();
    position += firstLine.topLeft().toPoint();
    if (direction == Qt::RightToLeft)
        position.rx() += firstLine.width();

    const QSizeF size = bullet ? QSizeF(metrics.lineSpacing() / 3, metrics.lineSpacing() / 3)
                               : QSizeF(metrics.horizontalAdvance(label), metrics.height());
    QRectF marker(position, size);
    qreal shift = metrics.horizontalAdvance(QLatin1Char(' '));
    if (direction == Qt::LeftToRight)
        shift = -shift - size.width();
    marker.translate(shift, metrics.height() / 2 - size.height() / 2);

    m_painter->save();
    m_painter->setRenderHint(QPainter::Antialiasing);
    if (selection) {
        m_painter->setPen(QPen(selection->foreground(), 0));
        m_painter->fillRect(marker, selection->background());
    } else {
        QBrush foreground = charFormat.foreground();
        if (foreground == Qt::NoBrush)
            foreground = m_context.palette.text();
        m_painter->setPen(QPen(foreground, 0));
    }
    const QBrush brush = m_context.palette.brush(QPalette::Text);
    if (!bullet) {
        QTextLayout number(label, font);
        number.setCacheEnabled(true);
        QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
        option.setTextDirection(direction);
        number.setTextOption(option);
        number.beginLayout();
        if (QTextLine line = number.createLine(); line.isValid())
            line.setLeadingIncluded(true);
        number.endLayout();
        number.draw(m_painter, QPointF(marker.left(), position.y()));
    } else if (level % 3 == 2) {
        m_painter->fillRect(marker, brush); // ▪
    } else if (level % 3 == 1) {
        m_painter->setPen(QPen(brush, 0));                   // ◦
        m_painter->drawEllipse(marker.translated(0.5, 0.5)); // on the pixel grid, for a sharper ring
    } else {
        m_painter->setBrush(brush); // •
        m_painter->setPen(Qt::NoPen);
        m_painter->drawEllipse(marker);
    }
    m_painter->restore();
}
