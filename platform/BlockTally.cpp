#include "platform/BlockTally.h"

#include <QAbstractTextDocumentLayout>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <algorithm>

BlockTally::BlockTally(QTextDocument* document, CountOf countOf)
    : QObject(document), m_document(document), m_countOf(std::move(countOf))
{
    connect(document, &QTextDocument::contentsChange, this, &BlockTally::onContentsChange);
    // A new layout (another width, another font) lays every block out again.
    connect(document, &QTextDocument::documentLayoutChanged, this, &BlockTally::invalidate);
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
    if (m_dirtyFrom != NoBlock) {
        // Carry the blocks that already waited over to their new numbers.
        const auto moved = [&](int number, int inside) {
            if (number <= first)
                return number;
            return number > first + replaced ? number + grown : inside;
        };
        m_dirtyFrom = moved(m_dirtyFrom, first);
        m_dirtyTo = moved(m_dirtyTo, last);
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
    m_dirtyFrom = m_dirtyFrom == NoBlock ? first : std::min(m_dirtyFrom, first);
    m_dirtyTo = std::max(m_dirtyTo, last);
}

int BlockTally::count(const QTextBlock& block) const
{
    // Asking for the block's rectangle makes the document layout lay it out now.
    m_document->documentLayout()->blockBoundingRect(block);
    return m_countOf(block);
}

void BlockTally::refresh()
{
    const qreal width = m_document->textWidth();
    if (width != m_textWidth) {
        m_textWidth = width;
        m_rebuild = true;
    }
    if (m_rebuild) {
        std::vector<int> counts;
        counts.reserve(std::size_t(m_document->blockCount()));
        for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next())
            counts.push_back(count(block));
        m_counts.assign(counts);
        m_rebuild = false;
        m_dirtyFrom = m_dirtyTo = NoBlock;
        return;
    }
    if (m_dirtyFrom == NoBlock)
        return;
    QTextBlock block = m_document->findBlockByNumber(m_dirtyFrom);
    for (int number = m_dirtyFrom; number <= m_dirtyTo && block.isValid(); ++number, block = block.next())
        m_counts.set(number, count(block));
    m_dirtyFrom = m_dirtyTo = NoBlock;
}

long long BlockTally::total()
{
    refresh();
    return m_counts.total();
}

long long BlockTally::before(int blockNumber)
{
    refresh();
    return m_counts.before(blockNumber);
}

int BlockTally::blockHolding(long long value, long long* offset)
{
    refresh();
    return m_counts.holding(value, offset);
}
