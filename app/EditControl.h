#pragma once

// The edit control that the edit actions act on, whatever its kind: a line
// edit, a text edit, a plain text edit, or the rich editor around its text
// edit. Each kind has one table of operations; every command and every query
// goes through it, so the actions need to know no kind.

#include <QList>
#include <QMetaObject>

#include <functional>

class QObject;
class QWidget;

class EditControl
{
public:
    enum class Command { Cut, Copy, Paste, PastePlainText, SelectAll, Undo, Delete };

    struct Operations;

    // The edit control that `widget` is; invalid when it edits no text.
    static EditControl of(QWidget* widget);

    bool isValid() const { return m_operations != nullptr; }
    QWidget* widget() const { return m_widget; }

    // Each does nothing on an invalid control; the queries answer false.
    void run(Command command) const;
    bool hasSelection() const;
    bool hasText() const;
    bool canUndo() const;

    // Calls `changed` whenever the selection, the text or the undo state
    // changes; the caller disconnects the connections returned.
    QList<QMetaObject::Connection> watch(QObject* receiver, const std::function<void()>& changed) const;

private:
    EditControl(QWidget* widget, const Operations* operations) : m_widget(widget), m_operations(operations) {}

    QWidget* m_widget = nullptr;
    const Operations* m_operations = nullptr;
};
