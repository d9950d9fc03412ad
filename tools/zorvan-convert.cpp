// zorvan-convert INPUT OUTPUT: converts a document without a display, with the
// editor control's own loading and saving. INPUT with the extension "txt" is
// read as plain text, anything else as rich text (plain text when it is not
// RTF); OUTPUT with the extension "txt" is written as plain text, "pdf" is
// printed to a PDF file (A4 with margins of 25 mm, the page setup's own), anything else is
// written as RTF. Every output is written whole or not at all, so a failure
// leaves an earlier file as it was. Exit status 0 on success; otherwise 1 with
// the error on stderr.

#include "platform/ZvExceptions.h"
#include "richedit/TZvRichEdit.h"

#include <QApplication>
#include <QFileInfo>
#include <QPageSize>
#include <QPrinter>

#include <cstdio>

namespace {

// Prints on A4 with the page setup's margins into the PDF file `output`.
void printToPdf(TZvRichEdit& editor, const QString& title, const QString& output)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(output);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(25, 25, 25, 25), QPageLayout::Millimeter);
    editor.PrintDocument(title, printer);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: zorvan-convert INPUT OUTPUT\n"
                             "  OUTPUT *.txt: plain text, *.pdf: printed on A4 pages, otherwise RTF\n");
        return 1;
    }
    try {
        TZvRichEdit editor;
        editor.setMaxLength(0x7FFFFFF0);
        editor.Lines().LoadFromFile(arguments.at(1));
        const QString output = arguments.at(2);
        if (QFileInfo(output).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) != 0) {
            editor.Lines().SaveToFile(output);
            return 0;
        }
        printToPdf(editor, QFileInfo(arguments.at(1)).fileName(), output);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zorvan-convert: %s: %s\n", qPrintable(ExceptionClassName(error)),
                     qPrintable(ExceptionMessage(error)));
        return 1;
    }
    return 0;
}
