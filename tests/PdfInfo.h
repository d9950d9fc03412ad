#pragma once

// The page count and title of a PDF file, as pdfinfo (poppler-utils) reads them.

#include <QProcess>
#include <QString>

struct PdfInfo
{
    int pages = -1; // -1: no PDF or no pdfinfo
    QString title;
};

inline PdfInfo readPdfInfo(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {path});
    process.waitForFinished();
    PdfInfo info;
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n')) {
        if (line.startsWith(QStringLiteral("Pages:")))
            info.pages = line.mid(6).trimmed().toInt();
        if (line.startsWith(QStringLiteral("Title:")))
            info.title = line.mid(6).trimmed();
    }
    return info;
}
