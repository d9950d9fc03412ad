#pragma once

// A count per paragraph (block) of a QTextDocument, kept in step with the
// document: an edit marks the blocks it touched, and the next question
// recounts only those, so a running total or a running sum up to a block
// costs the same in a short and in a long document. What is counted depends
// on the laid-out lines (`countOf` may read `block.layout()`, laid out before
// it is called), so another wrap width or another layout counts everything
// again. The tally is a child of the document and lives as long as it.

#include "platform/ChunkedCounts.h"

#include <QObject>
#include <QTextBlock>

#include <functional>

class QTextDocument;

class BlockTally : public QObject
{
    Q_OBJECT
public:
    using CountOf = std::function<int(const QTextBlock& block)>;
    BlockTally(QTextDocument* document, CountOf countOf);

    QTextDocument* document() const { return m_document; }
    long long total();
    long long before(int blockNumber); // the sum over the blocks before it
    // The block whose counts cover running sum `value` (see ChunkedCounts::holding).
    int blockHolding(long long value, long long* offset);
    void invalidate() { m_rebuild = true; }

private:
    void onContentsChange(int position, int removed, int added);
    void markDirty(int first, int last);
    int count(const QTextBlock& block) const;
    void refresh();

    QTextDocument* m_document;
    CountOf m_countOf;
    ChunkedCounts m_counts;
    bool m_rebuild = true;
    static constexpr int NoBlock = -1;        // no block waits for a recount
    static constexpr qreal UnknownWidth = -1; // before the first count
    int m_dirtyFrom = NoBlock;
    int m_dirtyTo = NoBlock;
    qreal m_textWidth = UnknownWidth;
};
