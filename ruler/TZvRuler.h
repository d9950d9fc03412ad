#pragma once

// The horizontal ruler above the editor. It shows the left and right margins
// as dark bands, a scale counted from the left margin line in both directions,
// and four handles for the current paragraph's indents: the first-line handle
// at the top, the left- and right-indent handles at the bottom and, under the
// left-indent handle, the both-left box that moves the left and first-line
// indents together. The user drags the handles (and, with ShowMarginHandlers,
// the margin lines); every drag snaps to multiples of RulerTab.
//
// Every value is a whole number of ruler pixels, x = 0 at the ruler's left
// edge; the host converts them to paragraph indents. Setters that refuse a
// value change nothing; accepted changes repaint at the next opportunity.
//
// Events (each optional, given the ruler as sender): OnIndentClick when a
// handle is pressed with the left button, OnIndentDrag for each indent value a
// handle drag changes, OnIndentChange when the left button is released after a
// handle drag and after IncreaseIndent/DecreaseIndent, OnIndentDblClick on a
// double click on a handle; OnMarginClick, OnMarginDrag and OnMarginChange
// likewise for the margin lines.

#include "platform/Font.h"
#include "platform/SysColor.h"
#include "ruler/RulerGeometry.h"
#include "ruler/RulerGuide.h"
#include "ruler/RulerInteraction.h"
#include "ruler/RulerTypes.h"

#include <QWidget>

#include <array>

class TZvRulerHandle;

class TZvRuler : public QWidget
{
    Q_OBJECT
public:
    explicit TZvRuler(QWidget* parent = nullptr);
    ~TZvRuler() override;

    // The editor on which guide lines are drawn while dragging, or null (the
    // default). Unlink it before the editor is destroyed.
    QWidget* Richedit() const { return m_guide.editor(); }
    void setRichedit(QWidget* editor) { m_guide.setEditor(editor); }

    // Snapping step of all dragging; stored as given, no repaint. A step of 0 disables snapping.
    TRulerTab RulerTab() const { return m_rulerTab; }
    void setRulerTab(TRulerTab tab) { m_rulerTab = tab; }

    // The right-indent handle keeps more than this many pixels right of the
    // other two. Stored as given; handles already closer stay where they are.
    int MinIndentDist() const { return m_minIndentDist; }
    void setMinIndentDist(int distance) { m_minIndentDist = distance; }

    // Multiplier of the printed numbers.
    TRulerFactor Factor() const { return m_factor; }
    void setFactor(TRulerFactor factor);

    // Scale step: a quarter of a numbered unit. With 0 no scale is drawn.
    TRulerTabdist TabDist() const { return m_tabDist; }
    void setTabDist(TRulerTabdist tabDist);

    // Margin band widths. A margin takes the indents on its side along with it;
    // refused when negative or when the writing area would get a negative width.
    int MarginLeft() const { return m_frame.marginLeft; }
    void setMarginLeft(int margin);
    int MarginRight() const { return m_frame.marginRight; }
    void setMarginRight(int margin);

    // Widths of the plain frame strips on the four sides; not range-checked.
    int BorderLeft() const { return m_frame.borderLeft; }
    void setBorderLeft(int border);
    int BorderUp() const { return m_frame.borderUp; }
    void setBorderUp(int border);
    int BorderDown() const { return m_frame.borderDown; }
    void setBorderDown(int border);
    int BorderRight() const { return m_frame.borderRight; }
    void setBorderRight(int border);

    // The handles' x (left edge of their 9-pixel box). A value is refused when
    // negative, at or beyond Width - 4, or when it would bring the right-indent
    // handle within MinIndentDist of the first-line or left-indent handle.
    int IndentFirst() const;
    void setIndentFirst(int x);
    int IndentLeft() const;
    void setIndentLeft(int x);
    int IndentRight() const;
    void setIndentRight(int x);

    bool ShowSmallLines() const { return m_showSmallLines; }
    void setShowSmallLines(bool show);
    bool ShowLargeLines() const { return m_showLargeLines; }
    void setShowLargeLines(bool show);
    // Shows or hides the four handles; the indents stay readable and writable.
    bool ShowIndents() const { return m_showIndents; }
    void setShowIndents(bool show);
    bool ShowNumbers() const { return m_showNumbers; }
    void setShowNumbers(bool show);
    // Marks the margin lines and lets the user drag them.
    bool ShowMarginHandlers() const { return m_showMarginHandlers; }
    void setShowMarginHandlers(bool show);

    // Colour of the writing area (clWindow at first).
    TColor Color() const { return m_color; }
    void setColor(TColor color);
    // Font and colour of the scale ("Small Fonts", 7 points, clWindowText at first).
    const TFont& Font() const { return m_font; }
    using QWidget::setFont;
    void setFont(const TFont& font);

    // Move the left edge of the paragraph (left-indent and first-line handles)
    // one RulerTab to the right or left as far as the indent rules allow, then
    // fire OnIndentChange with riBothLeft, also when nothing moved.
    void IncreaseIndent();
    void DecreaseIndent();

    TIndentEvent OnIndentChange;
    TIndentEvent OnIndentDrag;
    TIndentEvent OnIndentClick;
    TIndentEvent OnIndentDblClick;
    TMarginEvent OnMarginChange;
    TMarginEvent OnMarginDrag;
    TMarginEvent OnMarginClick;

    // The ruler's parts at its current size.
    RulerGeometry rulerGeometry() const;
    TZvRulerHandle* handle(TIndentID kind) const { return m_handles[kind]; }
    const RulerInteraction& interaction() const { return m_interaction; }
    RulerGuide& guide() { return m_guide; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    enum class IndentSide { Left, Right };
    bool indentAllowed(int x, int current, IndentSide side) const;
    void moveHandle(TIndentID kind, int x);
    void indentMoved(TIndentID kind);
    void changeIndentBy(int step);
    void placeHandles();
    void setBorder(int& border, int value);
    void setFlag(bool& flag, bool value);

    RulerGeometry m_frame{.borderLeft = 5,
                          .borderUp = 5,
                          .borderDown = 5,
                          .borderRight = 5,
                          .marginLeft = 30,
                          .marginRight = 20};
    TRulerTab m_rulerTab = 10;
    int m_minIndentDist = 50;
    TRulerTabdist m_tabDist = 10;
    TRulerFactor m_factor = 1;
    bool m_showSmallLines = true;
    bool m_showLargeLines = true;
    bool m_showIndents = true;
    bool m_showNumbers = true;
    bool m_showMarginHandlers = true;
    TColor m_color = clWindow;
    TFont m_font;
    RulerInteraction m_interaction{*this};
    RulerGuide m_guide{*this};
    std::array<TZvRulerHandle*, 4> m_handles{};
};
