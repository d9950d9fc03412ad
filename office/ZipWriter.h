#pragma once

// Packs the parts of a Word or OpenDocument file into a ZIP archive in memory, through libzip.
// Parts are stored in the order they are added; a part added as Stored is not compressed, as
// OpenDocument wants its first part, the mimetype, to be.

#include <QByteArray>
#include <QString>

#include <optional>

class QIODevice;
struct zip;
struct zip_source;

class ZipWriter
{
public:
    enum class Compression { Deflated, Stored };

    ZipWriter();
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // Adds the part `name` (its path in the archive); false, with errorString set, when
    // libzip refuses it. The bytes are copied.
    bool add(const QString& name, const QByteArray& bytes, Compression compression = Compression::Deflated);

    // Writes the archive of the parts added into `device`; false, with errorString set, when a
    // part was refused or the archive could not be made or written. Ends the writer.
    bool finishInto(QIODevice& device);

    QString errorString() const { return m_error; }

private:
    bool fail(const QString& error);
    std::optional<QByteArray> finish();

    zip_source* m_buffer = nullptr;
    zip* m_archive = nullptr;
    QString m_error;
};
