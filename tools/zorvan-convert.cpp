// zorvan-convert INPUT OUTPUT: converts a document without a display, with the
// editor control's own loading and saving. INPUT with the extension "txt" is
// read as plain text, anything else as rich text (plain text when it is not
// RTF, or a Word or OpenDocument package); OUTPUT with the extension "txt" is written as
// plain text, "pdf" is printed to a PDF file (A4 with margins of 25 mm, the page setup's own),
// "docx" as a Word document, "odt" as an OpenDocument text, anything else as RTF. Every output is written
// whole or not at all, so a failure leaves an earlier file as it was. Exit status 0 on success; otherwise 1
// with the error on stderr.
//
// zorvan-convert --misspelled FILE: prints the words of FILE (read as above) that the spelling
// dictionaries do not know, one a line in document order, table cells included: the words the
// editor underlines.

#include "platform/ZvExceptions.h"
#include "richedit/TZvRichEdit.h"
#include "spelling/SpellChecker.h"

#include <QApplication>
#include <QFileInfo>
#include <QPageSize>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>

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

// Prints the misspelled words of `document`, one a line; false when no Czech dictionary is installed.
bool printMisspelledWords(const QTextDocument& document)
{
    SpellChecker checker;
    if (!checker.hasCzechDictionary()) {
        std::fprintf(stderr, "zorvan-convert: no Czech spelling dictionary (cs_CZ) is installed\n");
        return false;
    }
    checker.waitUntilLoaded();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        // Languages other than Czech load as their first paragraph asks for them.
        QList<MisspelledWord> words = checker.misspelledWords(block);
        const quint64 generation = checker.generation();
        checker.waitUntilLoaded();
        if (checker.generation() != generation)
            words = checker.misspelledWords(block);
        const QString text = block.text();
        for (const MisspelledWord& word : words)
            std::printf("%s\n", text.mid(word.start, word.length).toUtf8().constData());
    }
    return true;
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
                             "       zorvan-convert --misspelled INPUT\n"
                             "  OUTPUT *.txt: plain text, *.pdf: printed on A4 pages, otherwise RTF\n"
                             "  --misspelled: prints the misspelled words of INPUT, one a line\n");
        return 1;
    }
    const bool misspelled = arguments.at(1) == QLatin1String("--misspelled");
    try {
        TZvRichEdit editor;
        editor.setMaxLength(0x7FFFFFF0);
        editor.Lines().LoadFromFile(arguments.at(misspelled ? 2 : 1));
        if (misspelled)
            return printMisspelledWords(editor.Document()) ? 0 : 1;
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
