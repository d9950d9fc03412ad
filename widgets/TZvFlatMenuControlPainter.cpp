#include "widgets/TZvFlatMenuControlPainter.h"

#include "widgets/TZvFlatMenuPainter.h"

#include <QPainter>

namespace {

void outline(QPainter& painter, const QRect& rect, const QColor& color)
{
    painter.setPen(color);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

QColor mean(const QColor& first, const QColor& second)
{
    return QColor((first.red() + second.red()) / 2, (first.green() + second.green()) / 2,
                  (first.blue() + second.blue()) / 2);
}

} // namespace

void TZvFlatMenuControlPainter::paintEdit(QPainter& painter, const QRect& rect, const QColor& own,
                                          const QColor& parent, bool framed,
                                          const FlatControlState& state) const
{
    if (framed) {
        const bool lit = state.hovered || state.focused;
        outline(painter, rect, lit ? Lighten(m_colors.selectionBorder, 60) : Darken(parent, 60));
        return;
    }
    outline(painter, rect, state.hovered && !state.focused ? Lighten(mean(own, parent), 40) : own);
}

QRect TZvFlatMenuControlPainter::buttonRect(const QRect& rect, int thumb, const FlatControlState& state)
{
    const QRect inner = rect.adjusted(2, 2, -2, -2);
    const int width = thumb + 1 + (state.hovered || state.focused ? 1 : 0);
    return QRect(inner.right() - width + 1, inner.top(), width, inner.height());
}

void TZvFlatMenuControlPainter::paintCombo(QPainter& painter, const QRect& rect, const QColor& own,
                                           const QColor& parent, int thumb,
                                           const FlatControlState& state) const
{
    outline(painter, rect, parent);
    QColor border = own;
    if (state.focused)
        border = Lighten(m_colors.selectionBorder, 60);
    if (state.hovered)
        border = m_colors.selectionBorder;
    outline(painter, rect.adjusted(1, 1, -1, -1), border);

    const QRect button = buttonRect(rect, thumb, state);
    QColor face = SysColor(clBtnFace);
    if (state.focused)
        face = m_colors.checkFillUnselected;
    if (state.hovered)
        face = m_colors.selectionFill;
    if (state.pressed)
        face = m_colors.checkFillSelected;
    painter.fillRect(button, face);
    painter.fillRect(button.left() - 6, button.top(), 5, button.height(), own);
    painter.setPen(border);
    painter.drawLine(button.left() - 1, button.top(), button.left() - 1, button.bottom());

    // A small arrow pointing down: lines 5, 3 and 1 pixels wide.
    painter.setPen(state.pressed || !state.enabled ? QColor(Qt::white) : QColor(Qt::black));
    const QPoint arrow(rect.left() + rect.width() - 10, rect.top() + 10);
    for (int row = 0; row < 3; ++row)
        painter.drawLine(arrow + QPoint(row, row), arrow + QPoint(4 - row, row));
}

void TZvFlatMenuControlPainter::paintCheckBox(QPainter& painter, const QRect& square, const QColor& own,
                                              CheckMark mark, const FlatControlState& state) const
{
    painter.fillRect(square, own);
    const QRect box = square.adjusted(2, 2, -2, -2);
    QColor line = SysColor(clBtnShadow);
    QColor fill = SysColor(clWindow);
    if (state.hovered || state.focused) {
        line = m_colors.selectionBorder;
        fill = m_colors.selectionFill;
    }
    if (state.pressed)
        fill = m_colors.checkFillSelected;
    if (mark == CheckMark::Grayed)
        fill = QColor(0xC0, 0xC0, 0xC0);
    painter.fillRect(box, fill);
    outline(painter, box, line);
    if (mark == CheckMark::Unchecked)
        return;
    QColor tick = SysColor(clHighlight);
    if (state.pressed)
        tick = SysColor(clWindow);
    if (mark == CheckMark::Grayed)
        tick = QColor(0x80, 0x80, 0x80);
    if (!state.enabled)
        tick = m_colors.disabled;
    drawFlatTick(painter, box.adjusted(1, 1, -2, -2), tick);
}

void TZvFlatMenuControlPainter::paintRadioButton(QPainter& painter, const QRect& square, const QColor& own,
                                                 bool checked, const FlatControlState& state) const
{
    painter.fillRect(square, own);
    const QRect circle = square.adjusted(2, 2, -3, -3);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QColor line = SysColor(clBtnShadow);
    QColor fill = SysColor(clWindow);
    if (state.hovered) {
        line = m_colors.selectionBorder;
        fill = m_colors.selectionFill;
    } else if (state.focused) {
        fill = m_colors.selectionFill;
    }
    painter.setPen(line);
    painter.setBrush(fill);
    painter.drawEllipse(circle);
    if (!checked)
        return;
    const QColor dot = state.enabled ? SysColor(clHighlight) : m_colors.disabled;
    painter.setPen(dot);
    painter.setBrush(dot);
    painter.drawEllipse(circle.adjusted(2, 2, -2, -2));
}

void TZvFlatMenuControlPainter::paintGroupBox(QPainter& painter, const QRect& frame, const QColor& box,
                                              bool raised) const
{
    const QColor topLeft = raised ? Lighten(box, 60) : Darken(box, 60);
    const QColor bottomRight = Darken(box, 60);
    painter.setPen(topLeft);
    painter.drawLine(frame.topLeft(), frame.topRight());
    painter.drawLine(frame.topLeft(), frame.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(frame.bottomLeft(), frame.bottomRight());
    painter.drawLine(frame.topRight(), frame.bottomRight());
}
