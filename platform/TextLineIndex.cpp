#include "platform/TextLineIndex.h"

#include "platform/BlockTally.h"

#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace {

int linesOf(const QTextBlock& block)
{
    const QTextLayout* layout = block.layout();
    return std::max(1, layout ? layout->lineCount() : 1);
}

} // namespace

TextLineIndex::TextLineIndex(QTextDocument* document)
    : QObject(document), m_document(document), m_lines(new BlockTally(document, linesOf))
{
}

void TextLineIndex::invalidate()
{
    m_lines->invalidate();
}

int TextLineIndex::lineCount()
{
    return int(std::max(1LL, m_lines->total()));
}

int TextLineIndex::lineOfPosition(int position)
{
    position = std::clamp(position, 0, std::max(0, m_document->characterCount() - 1));
    const QTextBlock block = m_document->findBlock(position);
    if (!block.isValid())
        return 0;
    const long long before = m_lines->before(block.blockNumber());
    int inBlock = 0;
    if (const QTextLayout* layout = block.layout(); layout && layout->lineCount() > 0) {
        const QTextLine line = layout->lineForTextPosition(position - block.position());
        inBlock = line.isValid() ? line.lineNumber() : layout->lineCount() - 1;
    }
    return int(before) + inBlock;
}

QTextBlock TextLineIndex::blockOfLine(int line, int* lineInBlock)
{
    if (line < 0 || line >= m_lines->total())
        return {};
    long long offset = 0;
    const int number = m_lines->blockHolding(line, &offset);
    *lineInBlock = int(offset);
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
