#include "editcontrol/BlockTally.h"

#include <QAbstractTextDocumentLayout>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <algorithm>

BlockTally::BlockTally(QTextDocument* document, CountOf countOf, Counting counting)
    : QObject(document), m_document(document), m_countOf(std::move(countOf)), m_counting(counting)
{
    connect(document, &QTextDocument::contentsChange, this, &BlockTally::onContentsChange);
    // A new layout (another width, another font) lays every block out again.
    connect(document, &QTextDocument::documentLayoutChanged, this, &BlockTally::invalidate);
}

void BlockTally::invalidate()
{
    m_rebuild = true;
    Q_EMIT invalidated();
}

void BlockTally::onContentsChange(int position, int, int added)
{
    if (m_rebuild)
        return;
    const QTextBlock firstBlock = m_document->findBlock(position);
    QTextBlock lastBlock = m_document->findBlock(position + added);
    if (!lastBlock.isValid())
        lastBlock = m_document->lastBlock();
    const int first = firstBlock.blockNumber();
    const int last = lastBlock.blockNumber();
    // The blocks first..last now stand where first..last - grown stood before.
    const int grown = m_document->blockCount() - m_counts.size();
    const int replaced = last - grown - first;
    if (first < 0 || last < first || replaced < 0) {
        m_rebuild = true;
        return;
    }
    m_counts.splice(first + 1, replaced, last - first);
    // Counted blocks below the change move with it; a change that reaches the
    // blocks not counted yet leaves everything from it on to be counted later.
    if (first + replaced < m_counted)
        m_counted += grown;
    else
        m_counted = std::min(m_counted, first);
    if (m_dirtyFrom != NoBlock) {
        // Carry the blocks that already waited over to their new numbers.
        const auto moved = [&](int number, int inside) {
            if (number <= first)
                return number;
            return number > first + replaced ? number + grown : inside;
        };
        m_dirtyFrom = moved(m_dirtyFrom, first);
        m_dirtyTo = std::min(moved(m_dirtyTo, last), m_counted - 1);
        if (m_dirtyTo < m_dirtyFrom)
            m_dirtyFrom = m_dirtyTo = NoBlock;
    }
    markDirty(first, last);
    // A table lays its columns out together: an edit in one cell can rewrap
    // every other cell.
    QTextCursor cursor(m_document);
    for (const int number : {first, last}) {
        cursor.setPosition(m_document->findBlockByNumber(number).position());
        if (const QTextTable* table = cursor.currentTable())
            markDirty(m_document->findBlock(table->firstPosition()).blockNumber(),
                      m_document->findBlock(table->lastPosition()).blockNumber());
    }
}

void BlockTally::markDirty(int first, int last)
{
    // Blocks not counted yet are counted when a question reaches them.
    last = std::min(last, m_counted - 1);
    if (last < first)
        return;
    m_dirtyFrom = m_dirtyFrom == NoBlock ? first : std::min(m_dirtyFrom, first);
    m_dirtyTo = std::max(m_dirtyTo, last);
}

int BlockTally::count(const QTextBlock& block) const
{
    // Asking for the block's rectangle makes the document layout lay it out now.
    if (m_counting == Counting::LaidOut)
        m_document->documentLayout()->blockBoundingRect(block);
    return m_countOf(block);
}

void BlockTally::refresh(int upTo)
{
    const qreal width = m_document->textWidth();
    if (width != m_textWidth) {
        m_textWidth = width;
        m_rebuild = true;
    }
    if (m_rebuild) {
        m_counts.assign(std::vector<int>(std::size_t(m_document->blockCount()), 0));
        m_counted = 0;
        m_rebuild = false;
        m_dirtyFrom = m_dirtyTo = NoBlock;
    }
    if (m_dirtyFrom != NoBlock) {
        QTextBlock block = m_document->findBlockByNumber(m_dirtyFrom);
        for (int number = m_dirtyFrom; number <= m_dirtyTo && block.isValid(); ++number, block = block.next())
            m_counts.set(number, count(block));
        m_dirtyFrom = m_dirtyTo = NoBlock;
    }
    upTo = std::min(upTo, m_counts.size());
    if (upTo <= m_counted)
        return;
    std::vector<int> counts;
    counts.reserve(std::size_t(upTo - m_counted));
    for (QTextBlock block = m_document->findBlockByNumber(m_counted);
         block.isValid() && int(counts.size()) < upTo - m_counted; block = block.next())
        counts.push_back(count(block));
    m_counts.setRange(m_counted, counts);
    m_counted = upTo;
}

long long BlockTally::total()
{
    refresh(m_document->blockCount());
    return m_counts.total();
}

long long BlockTally::before(int blockNumber)
{
    refresh(blockNumber);
    return m_counts.before(blockNumber);
}

int BlockTally::blockHolding(long long value, long long* offset)
{
    // Counts on, a batch at a time, until the running sum passes `value`.
    constexpr int Batch = 256;
    refresh(0);
    while (m_counted < m_counts.size() && m_counts.before(m_counted) <= value)
        refresh(m_counted + Batch);
    return m_counts.holding(value, offset);
}
