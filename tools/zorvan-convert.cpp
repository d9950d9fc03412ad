// zorvan-convert INPUT OUTPUT: converts a document without a display, with the
// editor control's own loading and saving. INPUT with the extension "txt" is
// read as plain text, anything else as rich text (plain text when it is not
// RTF); OUTPUT with the extension "txt" is written as plain text, anything else
// as RTF. Exit status 0 on success; otherwise 1 with the error on stderr.

#include "platform/ZvExceptions.h"
#include "richedit/TZvRichEdit.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: zorvan-convert INPUT OUTPUT\n");
        return 1;
    }
    try {
        TZvRichEdit editor;
        editor.setMaxLength(0x7FFFFFF0);
        editor.Lines().LoadFromFile(arguments.at(1));
        editor.Lines().SaveToFile(arguments.at(2));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zorvan-convert: %s: %s\n", qPrintable(ExceptionClassName(error)),
                     qPrintable(ExceptionMessage(error)));
        return 1;
    }
    return 0;
}
