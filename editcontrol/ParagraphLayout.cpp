#include "editcontrol/ParagraphLayout.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextList>
#include <QtMath>

#include <algorithm>

namespace {

// Right-to-left paragraphs mirror a left or right alignment that is not absolute.
Qt::Alignment visualAlignment(Qt::LayoutDirection direction, Qt::Alignment alignment)
{
    if (!(alignment & Qt::AlignHorizontal_Mask))
        alignment |= Qt::AlignLeft;
    if (!(alignment & Qt::AlignAbsolute) && (alignment & (Qt::AlignLeft | Qt::AlignRight))) {
        if (direction == Qt::RightToLeft)
            alignment ^= (Qt::AlignLeft | Qt::AlignRight);
        alignment |= Qt::AlignAbsolute;
    }
    return alignment;
}

// How far a line moves the next one down, how far down its own bottom reaches, and
// how much it is lifted, for the paragraph's line-height rule.
struct LineHeight
{
    int advance = 0;
    int bottom = 0;
    int lift = 0;
};

LineHeight lineHeightOf(const QTextBlockFormat& format, const QTextLine& line)
{
    const qreal raw = qCeil(line.ascent() + line.descent() + line.leading());
    LineHeight height;
    height.advance = ParagraphLayout::toUnits(format.lineHeight(raw, 1));
    height.bottom = ParagraphLayout::toUnits(format.lineHeight(line.height(), 1));
    switch (format.lineHeightType()) {
    case QTextBlockFormat::FixedHeight:
        height.lift = ParagraphLayout::toUnits(line.ascent() + std::max<qreal>(line.leading(), 0)) -
                      (height.advance * 4) / 5;
        break;
    case QTextBlockFormat::MinimumHeight:
        height.lift = ParagraphLayout::toUnits(line.height()) - height.advance;
        break;
    default:
        break;
    }
    return height;
}

} // namespace

ParagraphLayout::ParagraphLayout(const QTextDocument& document, qreal left, qreal right)
    : m_document(document), m_defaultOption(document.defaultTextOption()), m_left(toUnits(left)),
      m_right(toUnits(right))
{
}

int ParagraphLayout::indentOf(const QTextBlockFormat& format) const
{
    qreal indent = format.indent();
    if (const QTextObject* object = m_document.objectForFormat(format))
        indent += object->format().toListFormat().indent();
    return toUnits(indent * m_document.indentWidth());
}

int ParagraphLayout::layOut(const QTextBlock& block, const QTextBlockFormat* above) const
{
    QTextLayout* layout = block.layout();
    if (!block.isVisible()) {
        layout->clearLayout();
        return 0;
    }
    const QTextBlockFormat format = block.blockFormat();
    const int margin = above ? toUnits(std::max(format.topMargin(), above->bottomMargin())) : 0;
    const Qt::LayoutDirection direction = block.textDirection();
    const bool leftToRight = direction == Qt::LeftToRight;
    const int indent = indentOf(format);
    const int leftMargin = toUnits(format.leftMargin()) + (leftToRight ? indent : 0);
    const int rightMargin = toUnits(format.rightMargin()) + (leftToRight ? 0 : indent);

    QTextOption option = m_defaultOption;
    option.setTextDirection(direction);
    option.setTabs(format.tabPositions());
    option.setAlignment(visualAlignment(direction, format.hasProperty(QTextFormat::BlockAlignment)
                                                       ? format.alignment()
                                                       : option.alignment()));
    if (format.nonBreakableLines() || m_document.pageSize().width() < 0)
        option.setWrapMode(QTextOption::ManualWrap);
    layout->setTextOption(option);
    const bool wordOrAnywhere = option.wrapMode() == QTextOption::WrapAtWordBoundaryOrAnywhere;
    layout->setPosition(QPointF(toPixels(m_left), toPixels(margin)));

    const int lineLeft = m_left + leftMargin;
    const int lineRight = m_right - rightMargin;
    int y = 0;
    int bottom = 0;
    layout->beginLayout();
    for (bool first = true;; first = false) {
        QTextLine line = layout->createLine();
        if (!line.isValid())
            break;
        line.setLeadingIncluded(true);
        int left = lineLeft;
        int right = lineRight;
        if (first) {
            const int textIndent = toUnits(format.textIndent());
            if (leftToRight)
                left += textIndent;
            else
                right -= textIndent;
        }
        line.setLineWidth(toPixels(right - left));
        // A line that cannot be broken inside the width (a long word, a wide
        // picture) is given its own width, as Qt's layout does.
        if (toUnits(line.naturalTextWidth()) > right - left) {
            if (wordOrAnywhere) {
                option.setWrapMode(QTextOption::WrapAnywhere);
                layout->setTextOption(option);
            }
            line.setLineWidth(std::max(line.naturalTextWidth(), toPixels(right - left)));
            if (wordOrAnywhere) {
                option.setWrapMode(QTextOption::WordWrap);
                layout->setTextOption(option);
            }
        }
        const LineHeight height = lineHeightOf(format, line);
        line.setPosition(QPointF(toPixels(left - m_left), toPixels(y - height.lift)));
        bottom = y + height.bottom;
        y += height.advance;
    }
    layout->endLayout();
    return margin + std::max(y, bottom);
}

int ParagraphLayout::widthOf(const QTextBlock& block) const
{
    const QTextLayout* layout = block.layout();
    if (!layout || layout->lineCount() == 0)
        return 0;
    const QTextBlockFormat format = block.blockFormat();
    const bool rightToLeft = layout->textOption().textDirection() == Qt::RightToLeft;
    const int rightMargin = toUnits(format.rightMargin()) + (rightToLeft ? indentOf(format) : 0);
    int width = 0;
    for (int index = 0; index < layout->lineCount(); ++index) {
        const QTextLine line = layout->lineAt(index);
        width = std::max(width, toUnits(line.x() + line.naturalTextWidth()) + rightMargin);
    }
    return width;
}

int ParagraphLayout::overhangOf(const QTextBlock& block, int height)
{
    const QTextLayout* layout = block.layout();
    if (!layout || layout->lineCount() == 0)
        return 0;
    const QRectF drawn = layout->boundingRect().translated(layout->position());
    return std::max(
        {0, -qFloor(drawn.top() * UnitsPerPixel), qCeil(drawn.bottom() * UnitsPerPixel) - height});
}

int ParagraphLayout::hitTest(const QTextBlock& block, const QPointF& point, Qt::HitTestAccuracy accuracy,
                             int lastPosition)
{
    const QTextLayout* layout = block.layout();
    const QRectF textRect = layout->boundingRect().translated(layout->position());
    const bool exactWanted = accuracy == Qt::ExactHit;
    if (point.y() > textRect.bottom())
        return exactWanted ? -1 : std::min(lastPosition, block.position() + block.length());
    const QPointF inLayout = point - layout->position();
    int offset = 0;
    bool exact = false;
    for (int index = 0; index < layout->lineCount(); ++index) {
        const QTextLine line = layout->lineAt(index);
        const QRectF lineRect = line.naturalTextRect();
        if (lineRect.top() > inLayout.y()) {
            offset = std::min(offset, line.textStart());
        } else if (lineRect.bottom() <= inLayout.y()) {
            offset = std::max(offset, line.textStart() + line.textLength());
        } else {
            exact = lineRect.left() <= inLayout.x() && lineRect.right() >= inLayout.x();
            // An exact hit (a link under the pointer) takes the character under the
            // point, not the nearer gap between characters.
            offset = line.xToCursor(inLayout.x(), exactWanted ? QTextLine::CursorOnCharacter
                                                              : QTextLine::CursorBetweenCharacters);
            break;
        }
    }
    if (exactWanted && !exact)
        return -1;
    return std::min(lastPosition, block.position() + offset);
}
