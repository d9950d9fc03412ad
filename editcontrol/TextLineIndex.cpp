#include "editcontrol/TextLineIndex.h"

#include "editcontrol/BlockTally.h"

#include <QAbstractTextDocumentLayout>
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
    // The lines of the caret's own paragraph too.
    m_document->documentLayout()->blockBoundingRect(block);
    int inBlock = 0;
    if (const QTextLayout* layout = block.layout(); layout && layout->lineCount() > 0) {
        const QTextLine line = layout->lineForTextPosition(position - block.position());
        inBlock = line.isValid() ? line.lineNumber() : layout->lineCount() - 1;
    }
    return int(before) + inBlock;
}

QTextBlock TextLineIndex::blockOfLine(int line, int* lineInBlock)
{
    if (line < 0)
        return {};
    long long offset = 0;
    const QTextBlock block = m_document->findBlockByNumber(m_lines->blockHolding(line, &offset));
    // Past the last line the offset runs beyond the last paragraph's lines.
    if (!block.isValid() || offset >= linesOf(block))
        return {};
    *lineInBlock = int(offset);
    return block;
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
