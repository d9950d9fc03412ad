#pragma once

// A ZIP archive held in memory, read through libzip: the container of Word and OpenDocument
// files. Every part read is inflated under a cap, and all parts read from one archive under
// a total cap, so a small archive that inflates without bound (a "ZIP bomb") stops with an
// error instead of filling the memory. A damaged or truncated archive, a missing part and
// a part whose checksum is wrong are errors too; errorString() says which.

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

struct zip;
struct zip_source;

class ZipArchive
{
public:
    // Opens `bytes` (kept, not copied); isOpen() tells whether it is a ZIP archive. All reads
    // together return at most `totalLimit` inflated bytes.
    ZipArchive(QByteArray bytes, qint64 totalLimit);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool isOpen() const { return m_archive != nullptr; }
    bool contains(const QString& name) const;

    // The inflated bytes of the part `name` (its path in the archive, case as stored);
    // nothing when it is missing, damaged or larger than `limit` bytes, or when it would
    // take the archive past its total limit.
    std::optional<QByteArray> read(const QString& name, qint64 limit);
    // The same, handed to `take` a block at a time as it is inflated; false where read()
    // gives nothing (the blocks taken before then were all there was).
    bool read(const QString& name, qint64 limit, const std::function<void(QByteArray)>& take);

    QString errorString() const { return m_error; }

private:
    QByteArray m_bytes;
    zip* m_archive = nullptr;
    qint64 m_totalLeft;
    QString m_error;
};
