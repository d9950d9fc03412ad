#pragma once

// Counts the laid-out lines of a QTextDocument per block and answers which line
// holds a position and where a line starts. The document's own line numbers
// (QTextBlock::firstLineNumber()) are not lines: the editor's layout keeps
// paragraph heights in pixels there. So the editor keeps its own index: a tally
// of the line counts of all blocks, refreshed only where the document changed,
// so every question costs the same in a short and in a long document.

#include <QObject>
#include <QTextBlock>

class BlockTally;
class QTextDocument;

class TextLineIndex : public QObject
{
    Q_OBJECT
public:
    explicit TextLineIndex(QTextDocument* document);

    int lineCount();                  // at least 1
    int lineOfPosition(int position); // 0-based; position clamped to the text
    static constexpr int NoPosition = -1;

    int firstPositionOfLine(int line); // NoPosition when the line does not exist
    // The laid-out line of `line` as a block and the line number inside the block;
    // the block is invalid when the line does not exist.
    QTextBlock blockOfLine(int line, int* lineInBlock);

private:
    QTextDocument* m_document;
    BlockTally* m_lines;
};
