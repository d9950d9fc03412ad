#pragma once

// A modeless find or replace dialog as the editor uses it: the text searched
// for, the replacement, the options, and the events its buttons raise. This
// class keeps that state and raises the events; how the dialog is shown is left
// to the desktop that creates it (a real window, or none in tests).

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>

enum class FindDialogKind { Find, Replace };

// The dialog's options; the last three tell which button raised the event.
enum TFindOption : unsigned {
    frDown = 0x01,
    frMatchCase = 0x02,
    frWholeWord = 0x04,
    frHideUpDown = 0x08, // the find dialog shows no choice of direction
    frFindNext = 0x10,
    frReplace = 0x20,
    frReplaceAll = 0x40
};
using TFindOptions = unsigned; // bits of TFindOption

class TFindDialog : public QObject
{
    Q_OBJECT
public:
    // Owned by `owner`; the options start with frDown.
    TFindDialog(FindDialogKind kind, QObject* owner);

    FindDialogKind kind() const { return m_kind; }

    QString FindText() const { return m_findText; }
    void setFindText(const QString& value);
    QString ReplaceText() const { return m_replaceText; } // the replace dialog's replacement
    void setReplaceText(const QString& value);
    TFindOptions Options() const { return m_options; }
    void setOptions(TFindOptions value);

    // Shows the dialog without blocking, or brings it to the front when it is
    // shown already. Always true.
    virtual bool Execute() = 0;
    // Closes a shown dialog, as its Cancel button does; OnClose follows.
    virtual void CloseDialog() = 0;
    virtual bool isVisible() const = 0;
    // The top-left corner of the dialog's window and the whole window, in screen pixels.
    virtual QPoint position() const = 0;
    virtual void setPosition(const QPoint& position) = 0;
    virtual QRect windowRect() const = 0;

    // What the buttons do: mark the request in the options (frFindNext,
    // frReplace or frReplaceAll) and raise OnFind or OnReplace.
    void pressFindNext();
    void pressReplace();
    void pressReplaceAll();

    // Events; each is called only when set and gets the dialog.
    std::function<void(TFindDialog*)> OnFind;
    std::function<void(TFindDialog*)> OnReplace;
    std::function<void(TFindDialog*)> OnClose;

protected:
    // The dialog's window was closed: raises OnClose.
    void raiseClose();
    // Called after the texts or options changed, so that a shown dialog follows them.
    virtual void stateChanged() {}

private:
    void request(TFindOption button);

    FindDialogKind m_kind;
    QString m_findText;
    QString m_replaceText;
    TFindOptions m_options = frDown;
};
