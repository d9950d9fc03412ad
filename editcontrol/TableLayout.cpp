#include "editcontrol/TableLayout.h"

#include "editcontrol/ListLabelPainter.h"
#include "editcontrol/MisspellingPainter.h"
#include "editcontrol/ParagraphLayout.h"
#include "editcontrol/SpellingMarks.h"

#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextLayout>
#include <QTextTable>

#include <algorithm>

TableLayout::TableLayout(QTextFrame* frame, const QTextDocument& document)
    : m_frame(frame), m_document(document), m_copy(std::make_unique<QTextDocument>())
{
    m_copy->setUndoRedoEnabled(false);
    m_copy->setDefaultFont(document.defaultFont());
    m_copy->setDefaultTextOption(document.defaultTextOption());
    m_copy->setDocumentMargin(document.documentMargin());
    m_copy->setIndentWidth(document.indentWidth());
    m_copy->setUseDesignMetrics(document.useDesignMetrics());
    m_copy->setPageSize(document.pageSize());

    // Pictures in the cells come from the document's resources, there before
    // the copy is first laid out.
    for (QTextBlock block = document.findBlock(frame->firstPosition());
         block.isValid() && block.position() <= frame->lastPosition(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QUrl name(format.toImageFormat().name());
            m_copy->addResource(QTextDocument::ImageResource, name,
                                document.resource(QTextDocument::ImageResource, name));
        }
    }

    // The selection from the paragraph break before the table to the one after it
    // copies the whole table with its formats.
    QTextCursor source(const_cast<QTextDocument*>(&document));
    source.setPosition(frame->firstPosition() - 1);
    source.setPosition(frame->lastPosition() + 1, QTextCursor::KeepAnchor);
    QTextCursor(m_copy.get()).insertFragment(source.selection());
    m_labels = ListLabelPainter::takeLabels(*m_copy);
    // The copy's empty paragraph before the table would sit on the table's
    // border; the document draws its own paragraph there.
    m_copy->firstBlock().setVisible(false);
    m_copy->markContentsDirty(0, 1);
    const QList<QTextFrame*> frames = m_copy->rootFrame()->childFrames();
    m_copiedFrame = frames.isEmpty() ? m_copy->rootFrame() : frames.first();

    // The copy holds the table between two empty paragraphs, which take no room
    // after it: the table ends a margin above the copy's bottom.
    m_top = m_copy->documentLayout()->documentSize().height() - m_copy->documentMargin() -
            ParagraphLayout::toPixels(heightUnits());
    copyLinesToDocument();
}

TableLayout::~TableLayout() = default;

int TableLayout::shift() const
{
    return m_frame->firstPosition() - m_copiedFrame->firstPosition();
}

QTextBlock TableLayout::copyOf(const QTextBlock& block) const
{
    return m_copy->findBlock(block.position() - shift());
}

void TableLayout::copyLinesToDocument() const
{
    for (QTextBlock block = m_document.findBlock(m_frame->firstPosition());
         block.isValid() && block.position() <= m_frame->lastPosition(); block = block.next()) {
        const QTextLayout* measured = copyOf(block).layout();
        QTextLayout* layout = block.layout();
        layout->setTextOption(measured->textOption());
        layout->beginLayout();
        for (int index = 0; index < measured->lineCount(); ++index) {
            const QTextLine model = measured->lineAt(index);
            QTextLine line = layout->createLine();
            if (!line.isValid())
                break;
            line.setLeadingIncluded(true);
            line.setLineWidth(model.width());
            line.setPosition(model.position());
        }
        layout->endLayout();
        layout->setPosition(blockBounds(block).topLeft());
    }
}

int TableLayout::heightUnits() const
{
    return ParagraphLayout::toUnits(frameBounds().height());
}

qreal TableLayout::width() const
{
    return frameBounds().width();
}

qreal TableLayout::left() const
{
    // A table stands at the flow's left edge unless it is aligned and fits.
    using Units = ParagraphLayout;
    const int left = Units::toUnits(m_copy->documentMargin());
    const int flowRight = Units::toUnits(m_copy->pageSize().width()) - left;
    const int tableWidth = Units::toUnits(width());
    int x = left;
    const auto* table = qobject_cast<const QTextTable*>(m_copiedFrame);
    const Qt::Alignment alignment = table ? table->format().alignment() : Qt::AlignLeft;
    if (flowRight - left > tableWidth) {
        if (alignment & Qt::AlignRight)
            x += flowRight - tableWidth;
        else if (alignment & Qt::AlignHCenter)
            x += (flowRight - tableWidth) / 2;
    }
    return Units::toPixels(x);
}

QRectF TableLayout::frameBounds() const
{
    return m_copy->documentLayout()->frameBoundingRect(m_copiedFrame).translated(0, -m_top);
}

QRectF TableLayout::blockBounds(const QTextBlock& block) const
{
    return m_copy->documentLayout()->blockBoundingRect(copyOf(block)).translated(0, -m_top);
}

int TableLayout::toCopy(int position) const
{
    return std::clamp(position - shift(), m_copiedFrame->firstPosition() - 1,
                      m_copiedFrame->lastPosition() + 1);
}

int TableLayout::hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const
{
    // Beside the table the answer is the paragraph break before or after it; the
    // copy's own paragraphs around the table are not the document's.
    const bool before = point.x() < left();
    if (before || point.x() > right()) {
        if (accuracy == Qt::ExactHit)
            return -1;
        return before ? m_frame->firstPosition() - 1 : m_frame->lastPosition() + 1;
    }
    const int position = m_copy->documentLayout()->hitTest(point + QPointF(0, m_top), accuracy);
    if (position < 0)
        return position;
    return toCopy(position + shift()) + shift();
}

QTextCursor TableLayout::selectionInCopy(const QTextCursor& cursor) const
{
    QTextCursor copy(m_copy.get());
    copy.setPosition(toCopy(cursor.anchor()));
    copy.setPosition(toCopy(cursor.position()), QTextCursor::KeepAnchor);
    return copy;
}

void TableLayout::matchWidth(qreal documentWidth) const
{
    // Qt's layout clips lines to its document's width, so a selection running
    // past a cell's line stops at the document's edge, not at the copy's. The
    // copy's last, empty paragraph sits beside the table and takes no room: its
    // indent widens the copy as far as the document without touching the table.
    const qreal indent = documentWidth - 2 * m_copy->documentMargin();
    QTextCursor last(m_copy.get());
    last.movePosition(QTextCursor::End);
    QTextBlockFormat format = last.blockFormat();
    if (format.leftMargin() == indent || m_copy->documentLayout()->documentSize().width() >= documentWidth)
        return;
    format.setLeftMargin(indent);
    last.setBlockFormat(format);
}

void TableLayout::draw(QPainter* painter, const QAbstractTextDocumentLayout::PaintContext& context,
                       int cursorWidth, qreal documentWidth, const SpellingMarks* spelling) const
{
    matchWidth(documentWidth);
    QAbstractTextDocumentLayout::PaintContext inCopy = context;
    // Only the table: the copy's empty paragraphs around it are the document's to draw.
    const QRectF table(0, m_top, qreal(INT_MAX), ParagraphLayout::toPixels(heightUnits()));
    inCopy.clip = context.clip.isValid() ? context.clip.translated(0, m_top) & table : table;
    const int first = m_frame->firstPosition();
    const int last = m_frame->lastPosition();
    inCopy.cursorPosition = context.cursorPosition >= first && context.cursorPosition <= last
                                ? context.cursorPosition - shift()
                                : -1;
    inCopy.selections.clear();
    for (const QAbstractTextDocumentLayout::Selection& selection : context.selections) {
        const QTextCursor& cursor = selection.cursor;
        const bool touches = cursor.hasSelection()
                                 ? cursor.selectionEnd() >= first && cursor.selectionStart() <= last
                                 : cursor.position() >= first && cursor.position() <= last;
        if (touches)
            inCopy.selections.append({selectionInCopy(selection.cursor), selection.format});
    }
    m_copy->documentLayout()->setProperty("cursorWidth", cursorWidth);
    painter->save();
    painter->translate(0, -m_top);
    m_copy->documentLayout()->draw(painter, inCopy);
    for (const ListLabelPainter::Label& label : m_labels)
        if (inCopy.clip.intersects(m_copy->documentLayout()->blockBoundingRect(label.block)))
            ListLabelPainter::drawInQtLayout(*painter, label, context.palette.text());
    if (spelling)
        for (QTextBlock block = m_document.findBlock(first); block.isValid() && block.position() <= last;
             block = block.next()) {
            const QTextBlock copy = copyOf(block);
            const QRectF bounds = m_copy->documentLayout()->blockBoundingRect(copy);
            if (inCopy.clip.intersects(bounds))
                MisspellingPainter::draw(*painter, *copy.layout(), bounds.topLeft(), spelling->wordsIn(block),
                                         inCopy.clip);
        }
    painter->restore();
}
