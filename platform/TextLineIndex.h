#pragma once

// Counts the laid-out lines of a QTextDocument per block and answers which line
// holds a position and where a line starts, in O(log n) per question after an
// edit. QTextBlock::firstLineNumber() counts blocks, not wrapped lines, under
// QTextEdit's layout, so the editor keeps its own index: a Fenwick tree of the
// line counts of all blocks, refreshed only where the document changed.

#include <QObject>
#include <QTextBlock>

#include <vector>

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

    void invalidate() { m_rebuild = true; }

private:
    void onContentsChange(int position, int removed, int added);
    void refresh();
    int linesOf(const QTextBlock& block) const;
    void add(int blockNumber, int delta);
    int prefix(int blockNumber) const; // lines of the blocks before blockNumber
    int blockHoldingLine(int line) const;

    QTextDocument* m_document;
    std::vector<int> m_counts;
    std::vector<int> m_tree;
    bool m_rebuild = true;
    static constexpr int NoBlock = -1;        // no block waits for a recount
    static constexpr qreal UnknownWidth = -1; // before the first count

    int m_dirtyFrom = NoBlock;
    int m_dirtyTo = NoBlock;
    qreal m_textWidth = UnknownWidth;
};
