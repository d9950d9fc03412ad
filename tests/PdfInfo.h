#pragma once

// The page count and title of a PDF file, as the pdfinfo tool of the
// poppler-utils package reads them.

#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <gtest/gtest.h>

// What pdfinfo reads from a PDF file: its page count and title.
struct PdfInfo
{
    int pages = -1;
    QString title;
};

inline PdfInfo readPdfInfo(const QString& path)
{
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (pdfinfo.isEmpty()) {
        ADD_FAILURE() << "pdfinfo (package poppler-utils) is needed";
        return {};
    }
    QProcess process;
    process.start(pdfinfo, {path});
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
