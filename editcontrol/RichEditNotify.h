#pragma once

// What the rich edit control tells its owner. The owner of a RichEditControl
// implements this interface; each notification is sent only while its bit is in
// the control's event mask (the link and context-menu calls excepted, see below).

#include "editcontrol/RichEditTypes.h"

#include <QPoint>
#include <QRect>

class RichEditNotify
{
public:
    virtual ~RichEditNotify() = default;

    // ENM_CHANGE: the text or its formatting changed.
    virtual void notifyChange() {}
    // ENM_SELCHANGE: the selection (or the caret) moved.
    virtual void notifySelectionChange() {}
    // ENM_REQUESTRESIZE: the laid-out content now needs this rectangle.
    virtual void notifyRequestResize(const QRect&) {}
    // ENM_PROTECTED: `message` would change protected text in `range`;
    // answer true to allow the change.
    virtual bool notifyProtected(const TMessage&, CHARRANGE) { return false; }
    // ENM_LINK: a mouse message (WM_LBUTTONDOWN ...) over the link in `range`.
    virtual void notifyLink(UINT, CHARRANGE) {}
    // The right button was released, or the menu key pressed: show the context
    // menu at `globalPos` once. `position` is the character the menu is for:
    // the one under the pointer (-1 off the text), or the caret's for the key.
    virtual void notifyContextMenu(const QPoint&, int) {}
};
