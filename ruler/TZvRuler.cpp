#include "ruler/TZvRuler.h"

#include "ruler/RulerPainter.h"
#include "ruler/TZvRulerHandle.h"

#include <QMouseEvent>
#include <QPainter>

TZvRuler::TZvRuler(QWidget* parent) : QWidget(parent)
{
    resize(300, 25);
    m_font.Name = QStringLiteral("Small Fonts");
    m_font.Size = 7;
    // Hovering over a margin line changes the cursor, so moves are wanted without a button held.
    setMouseTracking(true);
    for (const TIndentID kind : {riFirst, riLeft, riRight, riBothLeft})
        m_handles[kind] = new TZvRulerHandle(kind, m_interaction, this);
    // Placed directly: the setters would measure the first two against a right
    // indent still at 0 and refuse them.
    moveHandle(riFirst, 45);
    moveHandle(riLeft, 45);
    moveHandle(riBothLeft, 45);
    moveHandle(riRight, 250);
    placeHandles();
}

TZvRuler::~TZvRuler() = default;

RulerGeometry TZvRuler::rulerGeometry() const
{
    RulerGeometry geometry = m_frame;
    geometry.width = width();
    geometry.height = height();
    return geometry;
}

void TZvRuler::setFactor(TRulerFactor factor)
{
    if (factor == m_factor)
        return;
    m_factor = factor;
    update();
}

void TZvRuler::setTabDist(TRulerTabdist tabDist)
{
    if (tabDist == m_tabDist)
        return;
    m_tabDist = tabDist;
    update();
}

void TZvRuler::setMarginLeft(int margin)
{
    if (margin == m_frame.marginLeft || margin < 0 ||
        margin > width() - m_frame.marginRight - m_frame.borderRight - m_frame.borderLeft)
        return;
    const int shift = margin - m_frame.marginLeft;
    setIndentFirst(IndentFirst() + shift);
    setIndentLeft(IndentLeft() + shift);
    m_frame.marginLeft = margin;
    update();
    if (m_interaction.isDraggingLeftMargin())
        fireRulerEvent(OnMarginDrag, this, rmLeft);
}

void TZvRuler::setMarginRight(int margin)
{
    if (margin == m_frame.marginRight || margin < 0 ||
        margin > width() - m_frame.marginLeft - m_frame.borderLeft - m_frame.borderRight)
        return;
    setIndentRight(IndentRight() - (margin - m_frame.marginRight));
    m_frame.marginRight = margin;
    update();
    if (m_interaction.isDraggingRightMargin())
        fireRulerEvent(OnMarginDrag, this, rmRight);
}

void TZvRuler::setBorderLeft(int border)
{
    setBorder(m_frame.borderLeft, border);
}

void TZvRuler::setBorderUp(int border)
{
    setBorder(m_frame.borderUp, border);
}

void TZvRuler::setBorderDown(int border)
{
    setBorder(m_frame.borderDown, border);
}

void TZvRuler::setBorderRight(int border)
{
    setBorder(m_frame.borderRight, border);
}

void TZvRuler::setBorder(int& border, int value)
{
    if (value == border)
        return;
    border = value;
    placeHandles();
    update();
}

int TZvRuler::IndentFirst() const
{
    return m_handles[riFirst]->x();
}

int TZvRuler::IndentLeft() const
{
    return m_handles[riLeft]->x();
}

int TZvRuler::IndentRight() const
{
    return m_handles[riRight]->x();
}

bool TZvRuler::indentAllowed(int x, int current, IndentSide side) const
{
    if (x == current || x < 0 || x >= width() - 4)
        return false;
    switch (side) {
    case IndentSide::Left:
        return IndentRight() - x > m_minIndentDist;
    case IndentSide::Right:
        return x - IndentLeft() > m_minIndentDist && x - IndentFirst() > m_minIndentDist;
    }
    return false;
}

void TZvRuler::setIndentFirst(int x)
{
    if (!indentAllowed(x, IndentFirst(), IndentSide::Left))
        return;
    moveHandle(riFirst, x);
    indentMoved(riFirst);
}

void TZvRuler::setIndentLeft(int x)
{
    if (!indentAllowed(x, IndentLeft(), IndentSide::Left))
        return;
    moveHandle(riBothLeft, x);
    moveHandle(riLeft, x);
    indentMoved(riLeft);
}

void TZvRuler::setIndentRight(int x)
{
    if (!indentAllowed(x, IndentRight(), IndentSide::Right))
        return;
    moveHandle(riRight, x);
    indentMoved(riRight);
}

void TZvRuler::moveHandle(TIndentID kind, int x)
{
    m_handles[kind]->move(x, m_handles[kind]->y());
}

void TZvRuler::indentMoved(TIndentID kind)
{
    if (m_interaction.isDraggingHandle())
        fireRulerEvent(OnIndentDrag, this, kind);
}

void TZvRuler::setShowSmallLines(bool show)
{
    setFlag(m_showSmallLines, show);
}

void TZvRuler::setShowLargeLines(bool show)
{
    setFlag(m_showLargeLines, show);
}

void TZvRuler::setShowIndents(bool show)
{
    if (show == m_showIndents)
        return;
    m_showIndents = show;
    for (TZvRulerHandle* handle : m_handles)
        handle->setVisible(show);
    update();
}

void TZvRuler::setShowNumbers(bool show)
{
    setFlag(m_showNumbers, show);
}

void TZvRuler::setShowMarginHandlers(bool show)
{
    setFlag(m_showMarginHandlers, show);
}

void TZvRuler::setFlag(bool& flag, bool value)
{
    if (value == flag)
        return;
    flag = value;
    update();
}

void TZvRuler::setColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void TZvRuler::setFont(const TFont& font)
{
    if (font == m_font)
        return;
    m_font = font;
    update();
}

void TZvRuler::IncreaseIndent()
{
    changeIndentBy(m_rulerTab);
}

void TZvRuler::DecreaseIndent()
{
    changeIndentBy(-m_rulerTab);
}

void TZvRuler::changeIndentBy(int step)
{
    // Each handle takes the step on its own, so one may stop while the other moves on.
    setIndentLeft(m_handles[riBothLeft]->x() + step);
    setIndentFirst(m_handles[riFirst]->x() + step);
    fireRulerEvent(OnIndentChange, this, riBothLeft);
}

void TZvRuler::placeHandles()
{
    const RulerGeometry geometry = rulerGeometry();
    m_handles[riFirst]->move(IndentFirst(), geometry.firstLineTop());
    m_handles[riLeft]->move(IndentLeft(), geometry.indentTop());
    m_handles[riRight]->move(IndentRight(), geometry.indentTop());
    m_handles[riBothLeft]->move(IndentLeft(), geometry.bothLeftTop());
}

void TZvRuler::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    RulerPainter(*this).paint(painter);
}

void TZvRuler::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeHandles();
}

void TZvRuler::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    m_interaction.rulerPress(event->button(), event->position().toPoint().x());
}

void TZvRuler::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    m_interaction.rulerMove(event->position().toPoint().x());
}

void TZvRuler::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    m_interaction.rulerRelease();
}
