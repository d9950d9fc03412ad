// zorvan-office-sample INPUT.rtf|INPUT.docx OUTPUT.docx|OUTPUT.odt: reads an RTF or Word file
// into the document model as the editor does and writes it as a Word or OpenDocument file by
// the output's extension, for the checks of bench/interop/check-office-writers.sh. Exit status
// 0 on success.

#include "office/DocxReader.h"
#include "office/DocxWriter.h"
#include "office/OdtWriter.h"
#include "rtf/RtfReader.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: zorvan-office-sample INPUT.rtf|INPUT.docx OUTPUT.docx|OUTPUT.odt\n");
        return 2;
    }
    QFile input(QString::fromLocal8Bit(argv[1]));
    if (!input.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QByteArray bytes = input.readAll();
    QTextDocument document;
    if (input.fileName().endsWith(QLatin1String(".docx"), Qt::CaseInsensitive)) {
        DocxReader reader;
        if (!reader.read(bytes, document)) {
            std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(reader.errorString()));
            return 1;
        }
    } else {
        QTextCursor cursor(&document);
        RtfReader reader(cursor);
        if (!reader.feed(bytes.constData(), bytes.size()) || !reader.finish()) {
            std::fprintf(stderr, "%s is not RTF\n", argv[1]);
            return 1;
        }
    }
    const QString outputName = QString::fromLocal8Bit(argv[2]);
    QFile output(outputName);
    if (!output.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    QString error;
    bool written = false;
    if (outputName.endsWith(QLatin1String(".odt"), Qt::CaseInsensitive)) {
        OdtWriter writer;
        written = writer.write(document, output);
        error = writer.errorString();
    } else {
        DocxWriter writer;
        written = writer.write(document, output);
        error = writer.errorString();
    }
    if (!written) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
