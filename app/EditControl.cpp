#include "app/EditControl.h"

#include "richedit/TZvCustomRichEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextEdit>

struct EditControl::Operations
{
    void (*run)(QWidget* widget, Command command);
    bool (*hasSelection)(QWidget* widget);
    bool (*hasText)(QWidget* widget);
    bool (*canUndo)(QWidget* widget);
    QList<QMetaObject::Connection> (*watch)(QWidget* widget, QObject* receiver,
                                            const std::function<void()>& changed);
};

namespace {

using Command = EditControl::Command;

TZvCustomRichEdit* richEditOf(QWidget* widget)
{
    for (QWidget* parent = widget; parent; parent = parent->parentWidget()) {
        if (auto* rich = qobject_cast<TZvCustomRichEdit*>(parent))
            return rich;
    }
    return nullptr;
}

// Line edits, text edits and plain text edits share the names of their
// commands; only deleting the selection differs.
template <typename Edit> void deleteSelection(Edit* edit)
{
    edit->textCursor().removeSelectedText();
}

template <> void deleteSelection<QLineEdit>(QLineEdit* edit)
{
    edit->del();
}

// Pasting text without its formats: a line edit takes only text anyway.
template <typename Edit> void pastePlainText(Edit* edit)
{
    edit->insertPlainText(QApplication::clipboard()->text());
}

template <> void pastePlainText<QLineEdit>(QLineEdit* edit)
{
    edit->paste();
}

template <typename Edit> void runOn(QWidget* widget, Command command)
{
    auto* edit = static_cast<Edit*>(widget);
    switch (command) {
    case Command::Cut:
        edit->cut();
        return;
    case Command::Copy:
        edit->copy();
        return;
    case Command::Paste:
        edit->paste();
        return;
    case Command::PastePlainText:
        pastePlainText(edit);
        return;
    case Command::SelectAll:
        edit->selectAll();
        return;
    case Command::Undo:
        edit->undo();
        return;
    case Command::Delete:
        deleteSelection(edit);
        return;
    }
}

template <typename Edit> bool documentHasSelection(QWidget* widget)
{
    return static_cast<Edit*>(widget)->textCursor().hasSelection();
}

template <typename Edit> bool documentHasText(QWidget* widget)
{
    return !static_cast<Edit*>(widget)->document()->isEmpty();
}

template <typename Edit> bool documentCanUndo(QWidget* widget)
{
    return static_cast<Edit*>(widget)->document()->isUndoAvailable();
}

template <typename Edit>
QList<QMetaObject::Connection> watchDocument(QWidget* widget, QObject* receiver,
                                             const std::function<void()>& changed)
{
    auto* edit = static_cast<Edit*>(widget);
    return {QObject::connect(edit, &Edit::selectionChanged, receiver, changed),
            QObject::connect(edit, &Edit::textChanged, receiver, changed),
            QObject::connect(edit, &Edit::undoAvailable, receiver, changed)};
}

const EditControl::Operations lineEditOperations{
    runOn<QLineEdit>,
    [](QWidget* widget) { return static_cast<QLineEdit*>(widget)->hasSelectedText(); },
    [](QWidget* widget) { return !static_cast<QLineEdit*>(widget)->text().isEmpty(); },
    [](QWidget* widget) { return static_cast<QLineEdit*>(widget)->isUndoAvailable(); },
    [](QWidget* widget, QObject* receiver, const std::function<void()>& changed) {
        auto* edit = static_cast<QLineEdit*>(widget);
        return QList<QMetaObject::Connection>{
            QObject::connect(edit, &QLineEdit::selectionChanged, receiver, changed),
            QObject::connect(edit, &QLineEdit::textChanged, receiver, changed)};
    },
};

const EditControl::Operations textEditOperations{runOn<QTextEdit>, documentHasSelection<QTextEdit>,
                                                 documentHasText<QTextEdit>, documentCanUndo<QTextEdit>,
                                                 watchDocument<QTextEdit>};

const EditControl::Operations plainTextEditOperations{
    runOn<QPlainTextEdit>, documentHasSelection<QPlainTextEdit>, documentHasText<QPlainTextEdit>,
    documentCanUndo<QPlainTextEdit>, watchDocument<QPlainTextEdit>};

// The rich editor's text edit: the commands and the state are the editor's,
// which keeps its own undo and clipboard rules; the signals are the text edit's.
const EditControl::Operations richEditOperations{
    [](QWidget* widget, Command command) {
        TZvCustomRichEdit* rich = richEditOf(widget);
        switch (command) {
        case Command::Cut:
            rich->CutToClipboard();
            return;
        case Command::Copy:
            rich->CopyToClipboard();
            return;
        case Command::Paste:
            rich->PasteFromClipboard();
            return;
        case Command::PastePlainText:
            rich->PasteAsPlainText();
            return;
        case Command::SelectAll:
            rich->SelectAll();
            return;
        case Command::Undo:
            rich->Undo();
            return;
        case Command::Delete:
            rich->setSelectedText(QString());
            return;
        }
    },
    [](QWidget* widget) { return richEditOf(widget)->SelectionLength() > 0; },
    [](QWidget* widget) { return richEditOf(widget)->CharCount() > 0; },
    [](QWidget* widget) { return richEditOf(widget)->CanUndo(); },
    watchDocument<QTextEdit>,
};

} // namespace

EditControl EditControl::of(QWidget* widget)
{
    if (qobject_cast<QLineEdit*>(widget))
        return {widget, &lineEditOperations};
    if (qobject_cast<QTextEdit*>(widget))
        return {widget, richEditOf(widget) ? &richEditOperations : &textEditOperations};
    if (qobject_cast<QPlainTextEdit*>(widget))
        return {widget, &plainTextEditOperations};
    return {nullptr, nullptr};
}

void EditControl::run(Command command) const
{
    if (m_operations)
        m_operations->run(m_widget, command);
}

bool EditControl::hasSelection() const
{
    return m_operations && m_operations->hasSelection(m_widget);
}

bool EditControl::hasText() const
{
    return m_operations && m_operations->hasText(m_widget);
}

bool EditControl::canUndo() const
{
    return m_operations && m_operations->canUndo(m_widget);
}

QList<QMetaObject::Connection> EditControl::watch(QObject* receiver,
                                                  const std::function<void()>& changed) const
{
    if (!m_operations)
        return {};
    return m_operations->watch(m_widget, receiver, changed);
}
