// The HTML plug-in: with "Zobrazení html syntaxe" on, the program calls
// htmlsyntaxe with its editor control after each typed character, after
// opening a document and when the setting is confirmed.

#include "plugins/zorvanhtmls/HtmlColorizer.h"

#include <QTextEdit>

extern "C" __attribute__((visibility("default"))) void htmlsyntaxe(QWidget* editor)
{
    if (editor == nullptr)
        return;
    // Nothing may cross the C boundary into the caller.
    try {
        // The program passes its editor control, which is the text edit itself
        // or a widget that holds it.
        QTextEdit* textEdit = qobject_cast<QTextEdit*>(editor);
        if (textEdit == nullptr)
            textEdit = editor->findChild<QTextEdit*>();
        if (textEdit == nullptr)
            return;
        HtmlColorizer::colorize(textEdit->document());
    } catch (...) {
        qWarning("zorvanhtmls: the HTML could not be coloured");
    }
}
