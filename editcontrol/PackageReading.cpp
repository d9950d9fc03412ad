#include "editcontrol/PackageReading.h"

#include "office/OfficeDocument.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

#include <QByteArray>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QByteArray rtfOf(const QTextDocument& document)
{
    QByteArray rtf;
    RtfWriter(document).write([&](const char* data, qsizetype size) {
        rtf.append(data, size);
        return true;
    });
    return rtf;
}

void readRtf(QTextCursor cursor, const QByteArray& rtf)
{
    RtfReader reader(cursor);
    reader.feed(rtf.constData(), rtf.size());
    reader.finish();
}

} // namespace

namespace PackageReading {

bool isPackage(const QByteArray& bytes)
{
    return OfficeDocument::isPackage(bytes);
}

bool readWholeDocument(QTextDocument& document, const QByteArray& package)
{
    const QByteArray before = rtfOf(document);
    QTextCursor all(&document);
    all.select(QTextCursor::Document);
    all.removeSelectedText();
    QString error;
    if (OfficeDocument::read(package, document, error))
        return true;
    all.select(QTextCursor::Document);
    all.removeSelectedText();
    readRtf(all, before);
    return false;
}

bool readIntoSelection(QTextCursor& cursor, const QByteArray& package)
{
    QTextDocument read;
    read.setUndoRedoEnabled(false);
    QString error;
    if (!OfficeDocument::read(package, read, error))
        return false;
    readRtf(cursor, rtfOf(read));
    return true;
}

} // namespace PackageReading
