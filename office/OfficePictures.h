#pragma once

// Puts the pictures of an office package into the document as it is read: each read from the
// archive under a cap, shown if the program can decode it, PNG and JPEG kept as they are for
// saving and any other kind it shows kept as PNG. Each gets a resource of its own in the
// document, named from the prefix and a count.

#include <QSizeF>
#include <QString>

class QTextCharFormat;
class QTextCursor;
class ZipArchive;

class OfficePictures
{
public:
    enum class Result { Inserted, NotAPicture, Failed };

    // Parts are read from `archive`, each under `limit` bytes.
    OfficePictures(ZipArchive& archive, qint64 limit, QString namePrefix);

    // Inserts the picture in the part `part` at the cursor, `size` pixels large (the
    // picture's own size when empty). Failed when the part cannot be read (errorString
    // says why); NotAPicture, with nothing inserted, when it holds nothing the program shows.
    Result insert(QTextCursor& cursor, const QString& part, QSizeF size, const QTextCharFormat& format);
    QString errorString() const { return m_error; }

private:
    ZipArchive& m_archive;
    qint64 m_limit;
    QString m_namePrefix;
    int m_count = 0;
    QString m_error;
};
