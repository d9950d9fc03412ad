// zorvan-picture-sample OUTPUT.rtf PICTURE...: writes a document with the given
// picture files, for bench/interop/inserted-pictures.sh. Each picture goes into
// a paragraph of its own after a line of Czech text, inserted as the
// insert-object command inserts it (the dialog's answers come from a script),
// and the document is saved through Lines. Exit status 0 when every picture
// went in and the file was written.

#include "platform/ScriptedDesktop.h"
#include "platform/ZvExceptions.h"
#include "richedit/TZvRichEdit.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: zorvan-picture-sample OUTPUT.rtf PICTURE...\n");
        return 2;
    }
    ScriptedDesktop desktop;
    TZvRichEdit editor;
    editor.setDesktop(&desktop);
    try {
        for (const QString& picture : arguments.mid(1)) {
            editor.SelectAll();
            editor.setSelectionStart(editor.SelectionStart() + editor.SelectionLength());
            editor.setSelectedText(
                QStringLiteral("Obrázek ze souboru %1:\r\n").arg(picture.section(u'/', -1)));
            editor.setSelectionStart(editor.SelectionStart() + editor.SelectionLength());
            desktop.queueFileDialogAnswer(picture);
            if (!editor.ShowInsertObjectDialog()) {
                std::fprintf(stderr, "not inserted: %s\n", qPrintable(picture));
                return 1;
            }
            editor.setSelectionStart(editor.SelectionStart() + 1);
            editor.setSelectedText(QStringLiteral("\r\n"));
        }
        editor.Lines().SaveToFile(arguments.first());
    } catch (const Exception& exception) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(exception.className()), qPrintable(exception.message()));
        return 1;
    }
    return 0;
}
