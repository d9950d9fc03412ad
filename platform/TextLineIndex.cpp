#include "platform/TextLineIndex.h"

#include <QAbstractTextDocumentLayout>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

TextLineIndex::TextLineIndex(QTextDocument* document) : QObject(document), m_document(document)
{
    connect(document, &QTextDocument::contentsChange, this, &TextLineIndex::onContentsChange);
    // A new layout (another width, another font) lays every block out again.
    connect(document, &QTextDocument::documentLayoutChanged, this, &TextLineIndex::invalidate);
}

void TextLineIndex::onContentsChange(int position, int, int added)
{
    if (m_rebuild)
        return;
    if (int(m_counts.size()) != m_document->blockCount()) {
        m_rebuild = true;
        return;
    }
    const int first = m_document->findBlock(position).blockNumber();
    const int last = m_document->findBlock(position + added).blockNumber();
    if (first < 0 || last < 0) {
        m_rebuild = true;
        return;
    }
    m_dirtyFrom = m_dirtyFrom == NoBlock ? first : std::min(m_dirtyFrom, first);
    m_dirtyTo = std::max(m_dirtyTo, last);
}

int TextLineIndex::linesOf(const QTextBlock& block) const
{
    // Asking for the block's rectangle makes the document layout lay it out now.
    m_document->documentLayout()->blockBoundingRect(block);
    const QTextLayout* layout = block.layout();
    return std::max(1, layout ? layout->lineCount() : 1);
}

void TextLineIndex::refresh()
{
    const qreal width = m_document->textWidth();
    if (width != m_textWidth) {
        m_textWidth = width;
        m_rebuild = true;
    }
    if (m_rebuild) {
        const int blocks = m_document->blockCount();
        m_counts.assign(blocks, 0);
        m_tree.assign(blocks + 1, 0);
        int number = 0;
        for (QTextBlock block = m_document->begin(); block.isValid() && number < blocks; block = block.next())
            m_counts[number++] = linesOf(block);
        // Linear-time Fenwick construction.
        for (int i = 1; i <= blocks; ++i) {
            m_tree[i] += m_counts[i - 1];
            const int parent = i + (i & -i);
            if (parent <= blocks)
                m_tree[parent] += m_tree[i];
        }
        m_rebuild = false;
        m_dirtyFrom = m_dirtyTo = NoBlock;
        return;
    }
    if (m_dirtyFrom == NoBlock)
        return;
    QTextBlock block = m_document->findBlockByNumber(m_dirtyFrom);
    for (int number = m_dirtyFrom; number <= m_dirtyTo && block.isValid(); ++number, block = block.next()) {
        const int lines = linesOf(block);
        if (lines != m_counts[number]) {
            add(number, lines - m_counts[number]);
            m_counts[number] = lines;
        }
    }
    m_dirtyFrom = m_dirtyTo = NoBlock;
}

void TextLineIndex::add(int blockNumber, int delta)
{
    for (int i = blockNumber + 1; i < int(m_tree.size()); i += i & -i)
        m_tree[i] += delta;
}

int TextLineIndex::prefix(int blockNumber) const
{
    int sum = 0;
    for (int i = blockNumber; i > 0; i -= i & -i)
        sum += m_tree[i];
    return sum;
}

int TextLineIndex::blockHoldingLine(int line) const
{
    // Descends the tree to the last block whose preceding lines are <= line.
    int position = 0;
    int remaining = line;
    int step = 1;
    while (step * 2 < int(m_tree.size()))
        step *= 2;
    for (; step > 0; step /= 2) {
        const int next = position + step;
        if (next < int(m_tree.size()) && m_tree[next] <= remaining) {
            position = next;
            remaining -= m_tree[next];
        }
    }
    return position; // 0-based block number
}

int TextLineIndex::lineCount()
{
    refresh();
    return std::max(1, prefix(int(m_counts.size())));
}

int TextLineIndex::lineOfPosition(int position)
{
    refresh();
    position = std::clamp(position, 0, std::max(0, m_document->characterCount() - 1));
    const QTextBlock block = m_document->findBlock(position);
    if (!block.isValid())
        return 0;
    int inBlock = 0;
    if (const QTextLayout* layout = block.layout(); layout && layout->lineCount() > 0) {
        const QTextLine line = layout->lineForTextPosition(position - block.position());
        inBlock = line.isValid() ? line.lineNumber() : layout->lineCount() - 1;
    }
    return prefix(block.blockNumber()) + inBlock;
}

QTextBlock TextLineIndex::blockOfLine(int line, int* lineInBlock)
{
    refresh();
    if (line < 0 || line >= prefix(int(m_counts.size())))
        return {};
    const int number = blockHoldingLine(line);
    *lineInBlock = line - prefix(number);
    return m_document->findBlockByNumber(number);
}

int TextLineIndex::firstPositionOfLine(int line)
{
    int lineInBlock = 0;
    const QTextBlock block = blockOfLine(line, &lineInBlock);
    if (!block.isValid())
        return NoPosition;
    const QTextLayout* layout = block.layout();
    if (!layout || lineInBlock >= layout->lineCount())
        return block.position();
    return block.position() + layout->lineAt(lineInBlock).textStart();
}
