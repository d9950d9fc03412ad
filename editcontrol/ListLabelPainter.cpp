#include "editcontrol/ListLabelPainter.h"

#include "rtf/ListLabels.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetrics>
#include <QPainter>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextList>

namespace ListLabelPainter {

void draw(QPainter& painter, const QTextBlock& block, const QPointF& offset, const QString& label,
          const QBrush& text, const QTextCharFormat* selection)
{
    const QTextLayout* layout = block.layout();
    if (label.isEmpty() || !layout || layout->lineCount() == 0)
        return;
    // The label has the face and size of the text beside it: the paragraph's
    // first character, not its paragraph mark, which a document read from a
    // file may leave in the default format.
    const QTextCharFormat charFormat =
        block.length() > 1 ? block.begin().fragment().charFormat() : block.charFormat();
    const QFont font = charFormat.font();
    // Measured on the device the document is laid out for, as its text is.
    QPaintDevice* device = block.document()->documentLayout()->paintDevice();
    const QFontMetrics metrics(font, device);
    const int level = ListLabels::levelOf(block);
    const bool bullet = label == ListLabels::bulletOf(level);

    // The label stands a space before the first line's text, on the side the text starts.
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

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (selection) {
        painter.setPen(QPen(selection->foreground(), 0));
        painter.fillRect(marker, selection->background());
    } else {
        const QBrush foreground = charFormat.foreground();
        painter.setPen(QPen(foreground == Qt::NoBrush ? text : foreground, 0));
    }
    if (!bullet) {
        QTextLayout number(label, font, device);
        number.setCacheEnabled(true);
        QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
        option.setTextDirection(direction);
        number.setTextOption(option);
        number.beginLayout();
        if (QTextLine line = number.createLine(); line.isValid())
            line.setLeadingIncluded(true);
        number.endLayout();
        number.draw(&painter, QPointF(marker.left(), position.y()));
    } else if (level % 3 == 2) {
        painter.fillRect(marker, text); // ▪
    } else if (level % 3 == 1) {
        painter.setPen(QPen(text, 0));                    // ◦
        painter.drawEllipse(marker.translated(0.5, 0.5)); // on the pixel grid, for a sharper ring
    } else {
        painter.setBrush(text); // •
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(marker);
    }
    painter.restore();
}

std::vector<Label> takeLabels(QTextDocument& copy)
{
    // The labels first: a list's style is what some of them are read from.
    std::vector<Label> labels;
    QSet<QTextList*> lists;
    ListLabels counter;
    for (QTextBlock block = copy.begin(); block.isValid(); block = block.next()) {
        if (QTextList* list = block.textList()) {
            labels.push_back({block, counter.labelOf(block)});
            lists.insert(list);
        }
    }
    for (QTextList* list : std::as_const(lists)) {
        QTextListFormat format = list->format();
        format.setStyle(QTextListFormat::ListStyleUndefined);
        list->setFormat(format);
    }
    return labels;
}

void drawInQtLayout(QPainter& painter, const Label& label, const QBrush& text)
{
    // Qt's layout puts a block's layout at its frames' offset.
    const QTextBlock& block = label.block;
    const QPointF offset =
        block.document()->documentLayout()->blockBoundingRect(block).topLeft() - block.layout()->position();
    draw(painter, block, offset, label.text, text, nullptr);
}

} // namespace ListLabelPainter
