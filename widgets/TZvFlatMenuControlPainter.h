#pragma once

// The flat look of the standard controls that the flat menu renderer
// restyles: one-pixel borders that light up while the pointer is over the
// control or it has the focus, flat combo-box buttons, flat check boxes,
// radio buttons and group boxes. The colours come from the renderer's
// derived colours; `parent` is the colour of the control's parent.

#include "widgets/TZvFlatMenuColors.h"

#include <QRect>
#include <QString>

class QPainter;

// The states a restyled control is drawn in.
struct FlatControlState
{
    bool hovered = false;
    bool focused = false;
    bool pressed = false; // mouse button or space key held, or a combo box's list open
    bool enabled = true;
};

enum class CheckMark { Unchecked, Checked, Grayed };

class TZvFlatMenuControlPainter
{
public:
    explicit TZvFlatMenuControlPainter(const TZvFlatMenuColors& colors) : m_colors(colors) {}

    // An edit's border: `framed` edits get a one-pixel rectangle, borderless
    // ones only a shade while hovered.
    void paintEdit(QPainter& painter, const QRect& rect, const QColor& own, const QColor& parent, bool framed,
                   const FlatControlState& state) const;
    // The combo box's frame and its drop-down button (see buttonRect); `pressed`
    // stands for the list being open.
    void paintCombo(QPainter& painter, const QRect& rect, const QColor& own, const QColor& parent, int thumb,
                    const FlatControlState& state) const;
    // The drop-down button's area inside a combo box `rect`, `thumb` the scroll-thumb width.
    static QRect buttonRect(const QRect& rect, int thumb, const FlatControlState& state);
    // The check box in `square`, a square of the scroll-thumb width: cleared,
    // then a box 2 pixels in, with a tick when checked or grayed.
    void paintCheckBox(QPainter& painter, const QRect& square, const QColor& own, CheckMark mark,
                       const FlatControlState& state) const;
    void paintRadioButton(QPainter& painter, const QRect& square, const QColor& own, bool checked,
                          const FlatControlState& state) const;
    // The group box's frame, its top edge through the middle of the caption.
    void paintGroupBox(QPainter& painter, const QRect& frame, const QColor& box, bool raised) const;

private:
    TZvFlatMenuColors m_colors;
};
