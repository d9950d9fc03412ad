#pragma once

// The page count, title and text of a PDF file, as pdfinfo and pdftotext
// (poppler-utils) read them.

#include <QProcess>
#include <QString>
#include <QStringList>

struct PdfInfo
{
    int pages = -1; // -1: no PDF or no pdfinfo
    QString title;
};

inline PdfInfo readPdfInfo(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {path});
    process.waitForFinished(-1);
    PdfInfo info;
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n')) {
        if (line.startsWith(QStringLiteral("Pages:")))
            info.pages = line.mid(6).trimmed().toInt();
        if (line.startsWith(QStringLiteral("Title:")))
            info.title = line.mid(6).trimmed();
    }
    return info;
}

// The text of each page, hidden text included: all that searching or copying finds.
inline QStringList readPdfPages(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    process.waitForFinished(-1);
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
    pages.removeLast(); // what follows the form feed that ends the last page
    return pages;
}
