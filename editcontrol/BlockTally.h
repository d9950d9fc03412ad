#pragma once

// A count per paragraph (block) of a QTextDocument, kept in step with the
// document: an edit marks the blocks it touched, and the next question
// recounts only those, so a running total or a running sum up to a block
// costs the same in a short and in a long document. Blocks are counted from
// the top only as far as a question needs: a running sum near the start of a
// new document does not count (or lay out) the rest of it. What is counted
// depends on the laid-out lines (`countOf` may read `block.layout()`, laid out
// before it is called, unless the tally counts blocks as they stand), so
// another wrap width or another layout counts everything again. The tally is a
// child of the document and lives as long as it.

#include "editcontrol/ChunkedCounts.h"

#include <QObject>
#include <QTextBlock>

#include <functional>

class QTextDocument;

class BlockTally : public QObject
{
    Q_OBJECT
public:
    using CountOf = std::function<int(const QTextBlock& block)>;
    // Whether each block is laid out before it is counted, or counted as far as
    // the layout has got with it.
    enum class Counting { LaidOut, AsItStands };
    BlockTally(QTextDocument* document, CountOf countOf, Counting counting = Counting::LaidOut);

    QTextDocument* document() const { return m_document; }
    long long total();
    long long before(int blockNumber); // the sum over the blocks before it
    // The block whose counts cover running sum `value` (see ChunkedCounts::holding).
    int blockHolding(long long value, long long* offset);
    // Everything is counted again at the next question.
    void invalidate();

Q_SIGNALS:
    // The counts may have changed without an edit.
    void invalidated();

private:
    void onContentsChange(int position, int removed, int added);
    void markDirty(int first, int last);
    int count(const QTextBlock& block) const;
    // Brings the counts of the blocks before `upTo` up to date.
    void refresh(int upTo);

    QTextDocument* m_document;
    CountOf m_countOf;
    Counting m_counting;
    ChunkedCounts m_counts;
    bool m_rebuild = true;
    static constexpr int NoBlock = -1;        // no block waits for a recount
    static constexpr qreal UnknownWidth = -1; // before the first count
    int m_counted = 0;                        // the blocks before this one have been counted
    int m_dirtyFrom = NoBlock;                // counted blocks waiting for a recount
    int m_dirtyTo = NoBlock;
    qreal m_textWidth = UnknownWidth;
};
