#pragma once

// The editor's document layout: lays the document out as Qt's own layout does,
// pixel for pixel, but so that an edit costs the same anywhere in a long
// document.
//
// Qt's layout stores each paragraph's absolute position, so every edit moves
// every paragraph below it. Here each paragraph's lines are placed relative to
// its own top, and its height (in 64ths of a pixel) is kept in Qt's block tree
// through QTextBlock::setLineCount, which keeps running sums: a paragraph's top
// is QTextBlock::firstLineNumber(), the paragraph at a height is
// QTextDocument::findBlockByLineNumber() and the document's height is
// QTextDocument::lineCount(), each in logarithmic time. So the block tree's
// "line" numbers are pixel heights under this layout; the editor counts
// laid-out lines with its own index (TextLineIndex).
//
// An edit lays out the paragraphs it touched and the one below. A table is laid
// out as one unit (TableLayout). A new document or another page width is
// measured in the background from the top, in slices between events, while
// paragraphs asked for (the ones on screen) are laid out at once.

#include <QAbstractTextDocumentLayout>
#include <QBasicTimer>

#include <memory>
#include <optional>
#include <unordered_map>

#include "editcontrol/ParagraphLayout.h"
#include "editcontrol/SpellingMarks.h"

class SpellChecker;
class TableLayout;
class QTextFrame;

class RichEditLayout : public QAbstractTextDocumentLayout
{
    Q_OBJECT
public:
    explicit RichEditLayout(QTextDocument* document);
    ~RichEditLayout() override;

    void draw(QPainter* painter, const PaintContext& context) override;
    int hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const override;
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame* frame) const override;
    QRectF blockBoundingRect(const QTextBlock& block) const override;

    // Whether every paragraph has been measured at the current width.
    bool isComplete() const;
    // Measures every paragraph not measured yet, now.
    void finishLayout();
    // Whether text that looks like a URL is drawn as a link.
    void setShowsLinks(bool show);
    // The checker whose misspelled words are marked; null marks none. Not owned.
    void setSpellChecker(SpellChecker* checker) { m_spelling.setChecker(checker); }
    const SpellingMarks& spelling() const { return m_spelling; }

Q_SIGNALS:
    // Around a slice of measuring, which may change the heights of paragraphs
    // anywhere: a view can note which paragraph it shows at its top before, and
    // scroll to it after, so that the text on screen keeps its place.
    void sliceAboutToBeMeasured();
    void sliceMeasured();
    // Every paragraph is measured now.
    void measured();

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;
    void resizeInlineObject(QTextInlineObject item, int position, const QTextFormat& format) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void restart();
    // Measures in the background from the first paragraph not measured, the
    // first slice at once; the view is repainted from `top` down.
    void measureFrom(qreal top);
    // Keeps the count of measured paragraphs, the widest line and the tables in
    // step with an edit that left paragraphs first..last changed.
    void followEdit(const QTextBlock& first, const QTextBlock& last, int charsRemoved);
    // Measures paragraphs from the first one not measured, `atLeast` of them
    // and more while a slice of time lasts.
    void measureSlice(int atLeast = 0);
    void reportSize();
    // Lays `block` out and stores its height; whether the height changed.
    bool measure(const QTextBlock& block) const;
    bool hasPage() const;
    void ensureMeasured(const QTextBlock& block) const;
    bool setHeight(QTextBlock block, int units) const;
    TableLayout& tableFor(QTextFrame* table) const;
    QTextFrame* tableOf(const QTextBlock& block) const; // the main-flow frame holding it, or null
    bool isEmptyBeforeTable(const QTextBlock& block, const QTextBlockFormat& format) const;
    QTextBlock
    firstOfUnit(const QTextBlock& block) const; // the block carrying the height of its table, or itself
    qreal topOf(const QTextBlock& block) const;
    // Which paragraph a height on the line between two paragraphs falls in.
    enum class Boundary { OfTheUpper, OfTheLower };
    QTextBlock blockAt(qreal y, Boundary boundary) const;
    // Whether the point falls on the paragraph's text (any x) or inside the table.
    bool holds(const QTextBlock& block, const QPointF& point) const;
    // Notes the width in units a paragraph (or the table it starts) now reaches.
    void noteWidth(const QTextBlock& block, int units) const;
    int widestLine() const;
    int contentWidth() const; // units

    std::optional<ParagraphLayout> m_paragraphs;
    mutable std::unordered_map<QTextFrame*, std::unique_ptr<TableLayout>> m_tables;
    QBasicTimer m_measuring;
    static constexpr qreal NoWidth = -2; // before the first layout
    qreal m_pageWidth = NoWidth;
    int m_margin = 0;                 // units
    mutable int m_measuredBlocks = 0; // the blocks before this number are measured at this width
    int m_blockCount = 0;
    mutable int m_widest = 0; // units: the widest line with its paragraph's margins, from the flow's left
    mutable bool m_widestShrank = false; // the widest line may have become narrower
    // The most any measured paragraph draws outside its own height, in units:
    // repaints and drawing reach that far beyond the paragraphs they touch.
    mutable int m_overhang = 0;
    QSizeF m_reportedSize;
    bool m_showsLinks = false;
    SpellingMarks m_spelling;
};
