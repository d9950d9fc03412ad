#include "editcontrol/RichEditLayout.h"

#include "editcontrol/ParagraphPainter.h"
#include "editcontrol/ParagraphRecord.h"
#include "editcontrol/PictureHandler.h"
#include "editcontrol/TableLayout.h"

#include <QElapsedTimer>
#include <QFontMetrics>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextList>
#include <QTextTable>
#include <QTimerEvent>

#include <algorithm>

namespace {

using Units = ParagraphLayout;

constexpr qreal Everything = qreal(INT_MAX);
// An edit touching more paragraphs than this (a long paste) is measured in the
// background like a new document, from its first paragraph on.
constexpr int LongestEditMeasuredAtOnce = 2000;
// How long one background slice may keep the editor from handling events.
constexpr int SliceMilliseconds = 8;
// A new layout measures this many paragraphs at once (a short document
// whole), so that the first screen and the document's first size are right
// without waiting for events.
constexpr int MeasuredAtOnce = 1000;

int storedWidth(const QTextBlock& block)
{
    const ParagraphRecord* record = ParagraphRecord::find(block);
    return record ? record->measuredWidth : 0;
}

} // namespace

RichEditLayout::RichEditLayout(QTextDocument* document) : QAbstractTextDocumentLayout(document)
{
    registerHandler(QTextFormat::ImageObject, new PictureHandler(this));
    connect(&m_spelling, &SpellingMarks::changed, this, [this] { Q_EMIT update(); });
}

RichEditLayout::~RichEditLayout() = default;

// --- Where paragraphs are ------------------------------------------------------

QTextFrame* RichEditLayout::tableOf(const QTextBlock& block) const
{
    QTextFrame* root = document()->rootFrame();
    QTextFrame* frame = document()->frameAt(block.position());
    if (!frame || frame == root)
        return nullptr;
    while (frame->parentFrame() != root)
        frame = frame->parentFrame();
    return frame;
}

QTextBlock RichEditLayout::firstOfUnit(const QTextBlock& block) const
{
    const QTextFrame* table = tableOf(block);
    return table ? document()->findBlock(table->firstPosition()) : block;
}

qreal RichEditLayout::topOf(const QTextBlock& block) const
{
    return Units::toPixels(m_margin + firstOfUnit(block).firstLineNumber());
}

QTextBlock RichEditLayout::blockAt(qreal y, Boundary boundary) const
{
    const QTextDocument* doc = document();
    const int key = Units::toUnits(y) - m_margin - (boundary == Boundary::OfTheUpper ? 1 : 0);
    if (key < 0)
        return doc->firstBlock();
    if (key >= doc->lineCount())
        return doc->lastBlock();
    return doc->findBlockByLineNumber(key);
}

bool RichEditLayout::isEmptyBeforeTable(const QTextBlock& block, const QTextBlockFormat& format) const
{
    if (block.length() != 1 || format.hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth) ||
        format.hasProperty(QTextFormat::BackgroundBrush))
        return false;
    const auto* table = qobject_cast<QTextTable*>(document()->frameAt(block.position() + 1));
    return table && table->parentFrame() == document()->rootFrame() &&
           table->firstPosition() == block.position() + 1;
}

// --- Measuring -------------------------------------------------------------------

bool RichEditLayout::setHeight(QTextBlock block, int units) const
{
    if (block.lineCount() == units)
        return false;
    block.setLineCount(units);
    return true;
}

TableLayout& RichEditLayout::tableFor(QTextFrame* table) const
{
    std::unique_ptr<TableLayout>& unit = m_tables[table];
    if (unit && !unit->isStale() && unit->frame() == table)
        return *unit;
    unit = std::make_unique<TableLayout>(table, *document());
    // The table's first paragraph carries the table's height, the others none,
    // so that the paragraph at any height of the table is its first one.
    const QTextBlock first = document()->findBlock(table->firstPosition());
    setHeight(first, unit->heightUnits());
    for (QTextBlock block = first.next(); block.isValid() && block.position() <= table->lastPosition();
         block = block.next())
        setHeight(block, 0);
    noteWidth(first, Units::toUnits(unit->width()));
    return *unit;
}

bool RichEditLayout::measure(const QTextBlock& block) const
{
    if (QTextFrame* table = tableOf(block)) {
        const QTextBlock first = firstOfUnit(block);
        const int before = first.lineCount();
        tableFor(table);
        return first.lineCount() != before;
    }
    const QTextBlock previous = block.previous();
    QTextFrame* tableAbove = previous.isValid() ? tableOf(previous) : nullptr;
    const bool flowsAbove = previous.isValid() && !tableAbove;
    const QTextBlockFormat above = flowsAbove ? previous.blockFormat() : QTextBlockFormat();
    int height = m_paragraphs->layOut(block, flowsAbove ? &above : nullptr);
    const QTextBlockFormat format = block.blockFormat();
    if (isEmptyBeforeTable(block, format)) {
        // An empty paragraph right before a table only makes room for the table;
        // it takes no height but its margin and sits on the table's border.
        height = Units::toUnits(std::max(flowsAbove ? above.bottomMargin() : 0, format.topMargin()));
    } else if (qobject_cast<QTextTable*>(tableAbove) && block.length() == 1 &&
               tableAbove->lastPosition() == block.position() - 1) {
        // An empty paragraph right after a table sits beside its bottom corner.
        QTextLayout* layout = block.layout();
        layout->setPosition(QPointF(tableFor(tableAbove).right(), -layout->boundingRect().height()));
        height = 0;
    } else {
        m_overhang = std::max(m_overhang, Units::overhangOf(block, height));
    }
    noteWidth(block, m_paragraphs->widthOf(block));
    return setHeight(block, height);
}

bool RichEditLayout::hasPage() const
{
    return !document()->pageSize().isNull();
}

void RichEditLayout::ensureMeasured(const QTextBlock& block) const
{
    if (hasPage() && block.blockNumber() >= m_measuredBlocks)
        measure(block);
}

void RichEditLayout::noteWidth(const QTextBlock& block, int units) const
{
    if (units >= m_widest)
        m_widest = units;
    else if (storedWidth(block) >= m_widest)
        m_widestShrank = true;
    // Kept with the paragraph, so that the document's width can follow a paragraph
    // that gets narrower or goes away without laying anything out again.
    ParagraphRecord::of(block).measuredWidth = units;
}

int RichEditLayout::contentWidth() const
{
    return Units::toUnits(document()->pageSize().width()) - 2 * m_margin;
}

int RichEditLayout::widestLine() const
{
    // Only a line wider than the page widens the document, so only then does a
    // narrower widest line need the others looked at again.
    if (!m_widestShrank || m_widest <= contentWidth())
        return m_widest;
    m_widestShrank = false;
    m_widest = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        m_widest = std::max(m_widest, storedWidth(block));
    return m_widest;
}

QSizeF RichEditLayout::documentSize() const
{
    if (!hasPage())
        return {};
    const int width = std::max(contentWidth(), widestLine()) + 2 * m_margin;
    const int height = document()->lineCount() + 2 * m_margin;
    return {Units::toPixels(width), Units::toPixels(height)};
}

void RichEditLayout::reportSize()
{
    const QSizeF size = documentSize();
    if (size == m_reportedSize)
        return;
    m_reportedSize = size;
    Q_EMIT documentSizeChanged(size);
}

bool RichEditLayout::isComplete() const
{
    return m_measuredBlocks >= document()->blockCount();
}

void RichEditLayout::finishLayout()
{
    // Without a page nothing is laid out (see documentChanged).
    while (hasPage() && !isComplete())
        measureSlice();
}

// --- Following the document ------------------------------------------------------

void RichEditLayout::restart()
{
    const QTextDocument* doc = document();
    m_pageWidth = doc->pageSize().width();
    m_margin = Units::toUnits(doc->documentMargin());
    const qreal left = Units::toPixels(m_margin);
    m_paragraphs.emplace(*doc, left, left + Units::toPixels(contentWidth()));
    m_tables.clear();
    m_measuredBlocks = 0;
    m_overhang = 0;
    m_blockCount = doc->blockCount();
    // The paragraphs keep their lines until they are measured again: the widest
    // of them stands for the document's width meanwhile, so that a view scrolled
    // sideways keeps its place.
    m_widestShrank = true;
    measureFrom(0);
}

void RichEditLayout::measureFrom(qreal top)
{
    m_measuring.start(0, this);
    Q_EMIT update(QRectF(0, top - Units::toPixels(m_overhang), Everything, Everything));
    measureSlice(MeasuredAtOnce);
    reportSize();
}

void RichEditLayout::followEdit(const QTextBlock& first, const QTextBlock& last, int charsRemoved)
{
    // The blocks first..last stand where first..last - grown stood before the edit.
    const int grown = document()->blockCount() - m_blockCount;
    m_blockCount = document()->blockCount();
    if (m_measuredBlocks > last.blockNumber() - grown)
        m_measuredBlocks += grown;
    else if (m_measuredBlocks > first.blockNumber())
        m_measuredBlocks = last.blockNumber() + 1;
    // A removed paragraph may have been the widest.
    if (charsRemoved > 0 && m_widest > contentWidth())
        m_widestShrank = true;
    for (auto it = m_tables.begin(); it != m_tables.end();)
        it = it->second->isStale() ? m_tables.erase(it) : std::next(it);
    for (const QTextBlock& edge : {first, last})
        if (QTextFrame* table = tableOf(edge); table && m_tables.count(table))
            m_tables[table]->setStale();
}

void RichEditLayout::documentChanged(int from, int charsRemoved, int charsAdded)
{
    QTextDocument* doc = document();
    if (!hasPage()) {
        // Nothing is laid out before the document has a page (before its view is
        // first sized), as in Qt's layout; the changed paragraphs lose their lines.
        const QTextBlock end = doc->findBlock(std::max(0, from + charsAdded - 1)).next();
        for (QTextBlock block = doc->findBlock(from); block.isValid() && block != end; block = block.next()) {
            block.clearLayout();
            SpellingMarks::forget(block);
        }
        m_pageWidth = NoWidth;
        return;
    }
    const QTextBlock first = doc->findBlock(from);
    QTextBlock last = doc->findBlock(from + charsAdded);
    if (!last.isValid())
        last = doc->lastBlock();
    // A change of formats alone leaves a paragraph's revision as it was, so the
    // words of every changed paragraph are dropped here.
    for (QTextBlock block = first; block.isValid() && block != last.next(); block = block.next())
        SpellingMarks::forget(block);
    if (doc->pageSize().width() != m_pageWidth || doc->documentMargin() != Units::toPixels(m_margin) ||
        (from == 0 && charsAdded >= doc->characterCount() - 1)) {
        restart();
        return;
    }
    followEdit(first, last, charsRemoved);
    const qreal top = topOf(first);
    if (last.blockNumber() - first.blockNumber() > LongestEditMeasuredAtOnce) {
        m_measuredBlocks = std::min(m_measuredBlocks, first.blockNumber());
        measureFrom(top);
        return;
    }
    bool moved = false;
    bool listed = false;
    const QTextBlock end = last.next().isValid() ? last.next().next() : QTextBlock();
    for (QTextBlock block = first; block.isValid() && block != end; block = block.next()) {
        moved |= measure(block);
        listed |= block.textList() != nullptr;
    }
    // A changed height moves everything below; a changed list renumbers its items below.
    // What stands out of the paragraphs is repainted too, where it was and where it is.
    const qreal overhang = Units::toPixels(m_overhang);
    const qreal bottom = end.isValid() && !moved && !listed ? topOf(end) + overhang : Everything;
    Q_EMIT update(QRectF(0, top - overhang, Everything, bottom - top + overhang));
    reportSize();
}

void RichEditLayout::measureSlice(int atLeast)
{
    QTextDocument* doc = document();
    QTextBlock block = doc->findBlockByNumber(m_measuredBlocks);
    if (!block.isValid() || !hasPage()) {
        m_measuring.stop();
        return;
    }
    Q_EMIT sliceAboutToBeMeasured();
    const qreal top = topOf(block);
    const int heightBefore = doc->lineCount();
    QElapsedTimer clock;
    clock.start();
    for (int count = 0;
         block.isValid() && (count < atLeast || count % 64 != 0 || clock.elapsed() < SliceMilliseconds);
         ++count) {
        QTextFrame* table = tableOf(block);
        measure(block);
        block = table ? doc->findBlock(table->lastPosition() + 1) : block.next();
    }
    m_measuredBlocks = block.isValid() ? block.blockNumber() : doc->blockCount();
    const bool complete = isComplete();
    if (complete)
        m_measuring.stop();
    reportSize();
    if (doc->lineCount() != heightBefore)
        Q_EMIT update(QRectF(0, top - Units::toPixels(m_overhang), Everything, Everything));
    Q_EMIT sliceMeasured();
    if (complete)
        Q_EMIT measured();
}

void RichEditLayout::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_measuring.timerId()) {
        QAbstractTextDocumentLayout::timerEvent(event);
        return;
    }
    measureSlice();
}

void RichEditLayout::resizeInlineObject(QTextInlineObject item, int position, const QTextFormat& format)
{
    QAbstractTextDocumentLayout::resizeInlineObject(item, position, format);
    // A picture aligned to the middle stands half above and half below the middle of the x-height.
    const QTextCharFormat character = format.toCharFormat();
    if (character.verticalAlignment() != QTextCharFormat::AlignMiddle)
        return;
    const qreal height = item.ascent() + item.descent();
    const qreal halfX = QFontMetrics(character.font()).xHeight() / 2.;
    item.setAscent((height + halfX) / 2.);
    item.setDescent((height - halfX) / 2.);
}

// --- Questions -------------------------------------------------------------------

QRectF RichEditLayout::blockBoundingRect(const QTextBlock& block) const
{
    if (!hasPage() || !block.isValid() || !block.isVisible())
        return {};
    if (QTextFrame* table = tableOf(block))
        return tableFor(table).blockBounds(block).translated(0, topOf(block));
    ensureMeasured(block);
    const QTextLayout* layout = block.layout();
    QRectF rect = layout->boundingRect();
    rect.moveTopLeft(layout->position() + QPointF(0, topOf(block)));
    return rect;
}

QRectF RichEditLayout::frameBoundingRect(QTextFrame* frame) const
{
    if (frame == document()->rootFrame())
        return {QPointF(0, 0), documentSize()};
    if (!frame || frame->parentFrame() != document()->rootFrame())
        return {};
    return tableFor(frame).frameBounds().translated(0, topOf(document()->findBlock(frame->firstPosition())));
}

int RichEditLayout::hitTest(const QPointF& exactPoint, Qt::HitTestAccuracy accuracy) const
{
    // Positions are compared in the layout's own 64ths of a pixel, as Qt's layout does.
    if (!hasPage())
        return accuracy == Qt::ExactHit ? -1 : 0;
    const QPointF point(Units::toPixels(Units::toUnits(exactPoint.x())),
                        Units::toPixels(Units::toUnits(exactPoint.y())));
    // A point exactly on the line between two paragraphs hits the upper one, as in Qt's layout.
    const QTextBlock found = blockAt(point.y(), Boundary::OfTheUpper);
    // Lines given a fixed or minimum height can stand out of their paragraph into
    // a neighbour's room, and a point beside a table can reach the paragraph
    // below it: the first neighbour that holds the point wins, as in Qt's layout.
    const QTextBlock before = found.previous().isValid() ? firstOfUnit(found.previous()) : QTextBlock();
    const QTextFrame* foundTable = tableOf(found);
    const QTextBlock after =
        foundTable ? document()->findBlock(foundTable->lastPosition() + 1) : found.next();
    QTextBlock block = found;
    for (const QTextBlock& neighbour : {before, found, after}) {
        if (neighbour.isValid() && holds(neighbour, point)) {
            block = neighbour;
            break;
        }
    }
    const qreal top = topOf(block);
    if (QTextFrame* table = tableOf(block))
        return tableFor(table).hitTest(point - QPointF(0, top), accuracy);
    ensureMeasured(block);
    // Text being composed by an input method lengthens the paragraph it is in.
    const int lastPosition = document()->characterCount() - 1 + block.layout()->preeditAreaText().size();
    return ParagraphLayout::hitTest(block, point - QPointF(0, top), accuracy, lastPosition);
}

bool RichEditLayout::holds(const QTextBlock& block, const QPointF& point) const
{
    // The empty paragraph before a table lies on the table's border and never takes a point.
    if (!block.isVisible() || isEmptyBeforeTable(block, block.blockFormat()))
        return false;
    const qreal top = topOf(block);
    if (QTextFrame* table = tableOf(block)) {
        const TableLayout& unit = tableFor(table);
        return point.x() >= unit.left() && point.x() <= unit.right() && point.y() >= top &&
               point.y() <= top + Units::toPixels(unit.heightUnits());
    }
    // A paragraph not measured yet is not measured for this: a neighbour above
    // the view that changed its height would move the text in view.
    const QTextLayout* layout = block.layout();
    if (layout->lineCount() == 0)
        return false;
    const QRectF text = layout->boundingRect().translated(layout->position() + QPointF(0, top));
    return point.y() >= text.top() && point.y() <= text.bottom();
}

void RichEditLayout::setShowsLinks(bool show)
{
    if (show == m_showsLinks)
        return;
    m_showsLinks = show;
    Q_EMIT update();
}

void RichEditLayout::draw(QPainter* painter, const PaintContext& context)
{
    if (!hasPage())
        return;
    const QRectF clip = context.clip.isValid() ? context.clip : QRectF(QPointF(0, 0), documentSize());
    bool known = false;
    int cursorWidth = property("cursorWidth").toInt(&known);
    if (!known)
        cursorWidth = 1;
    const qreal margin = Units::toPixels(m_margin);
    const QRectF flow = QRectF(QPointF(0, 0), documentSize()).adjusted(margin, 0, -margin, 0);
    const SpellingMarks* spelling = m_spelling.checker() ? &m_spelling : nullptr;
    const ParagraphPainter paragraphs(painter, context, cursorWidth, flow, m_showsLinks, spelling);
    // Paragraphs that stand out of their height into the clip are drawn too.
    const qreal overhang = Units::toPixels(m_overhang);
    QTextBlock block = blockAt(clip.top() - overhang, Boundary::OfTheLower);
    // The empty paragraph before a table sits on the table's border.
    if (const QTextBlock before = block.previous(); tableOf(block) && before.isValid() && !tableOf(before) &&
                                                    isEmptyBeforeTable(before, before.blockFormat()))
        block = before;
    while (block.isValid()) {
        const qreal top = topOf(block);
        if (top - overhang > clip.bottom())
            break;
        QTextFrame* table = tableOf(block);
        if (!table) {
            ensureMeasured(block);
            paragraphs.draw(block, QPointF(0, top));
            block = block.next();
            continue;
        }
        painter->save();
        painter->translate(0, top);
        PaintContext inTable = context;
        inTable.clip = clip.translated(0, -top);
        tableFor(table).draw(painter, inTable, cursorWidth, flow.width() + 2 * margin, spelling);
        painter->restore();
        // The table's border covers the caret in the empty paragraph before it, which Qt's layout draws
        // again.
        if (const QTextBlock before = block.previous(); before.isValid() && !tableOf(before))
            if (isEmptyBeforeTable(before, before.blockFormat()))
                paragraphs.drawCursor(before, QPointF(0, topOf(before)));
        block = document()->findBlock(table->lastPosition() + 1);
    }
}
