#pragma once

// A document file read whole into memory before the editor is touched: a file
// that cannot be read fails here, while the editor still holds its document
// unchanged. Loading the bytes then follows the editor's own rule for the
// kind of a file ("txt" plain text, "rtf" rich text, any other extension the
// editor's PlainText).

#include <QByteArray>
#include <QString>

class TZvCustomRichEdit;

class DocumentFile
{
public:
    // Throws EFOpenError when the file cannot be opened or read to its end.
    static DocumentFile read(const QString& fileName);

    // Replaces the editor's document with the file's content; throws what the
    // editor's loading throws.
    void loadInto(TZvCustomRichEdit& editor) const;

private:
    DocumentFile(const QString& fileName, const QByteArray& bytes) : m_fileName(fileName), m_bytes(bytes) {}

    QString m_fileName;
    QByteArray m_bytes;
};
