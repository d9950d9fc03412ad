#include "office/ZipArchive.h"

#include <zip.h>

#include <algorithm>

ZipArchive::ZipArchive(QByteArray bytes, qint64 totalLimit)
    : m_bytes(std::move(bytes)), m_totalLeft(totalLimit)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source =
        zip_source_buffer_create(m_bytes.constData(), zip_uint64_t(m_bytes.size()), 0, &error);
    if (source) {
        // The consistency check compares the central directory with the local headers, which
        // finds most truncated and patched archives before anything is inflated.
        m_archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
        if (!m_archive)
            zip_source_free(source);
    }
    if (!m_archive)
        m_error = QStringLiteral("Not a ZIP archive: %1").arg(QString::fromUtf8(zip_error_strerror(&error)));
    zip_error_fini(&error);
}

ZipArchive::~ZipArchive()
{
    if (m_archive)
        zip_discard(m_archive);
}

bool ZipArchive::contains(const QString& name) const
{
    return m_archive && zip_name_locate(m_archive, name.toUtf8().constData(), 0) >= 0;
}

std::optional<QByteArray> ZipArchive::read(const QString& name, qint64 limit)
{
    QByteArray data;
    if (!read(name, limit, [&](QByteArray block) { data.append(block); }))
        return std::nullopt;
    return data;
}

bool ZipArchive::read(const QString& name, qint64 limit, const std::function<void(QByteArray)>& take)
{
    if (!m_archive)
        return false;
    const zip_int64_t index = zip_name_locate(m_archive, name.toUtf8().constData(), 0);
    if (index < 0) {
        m_error = QStringLiteral("The part %1 is missing").arg(name);
        return false;
    }
    zip_file_t* file = zip_fopen_index(m_archive, zip_uint64_t(index), 0);
    if (!file) {
        m_error = QStringLiteral("The part %1 cannot be read: %2")
                      .arg(name, QString::fromUtf8(zip_strerror(m_archive)));
        return false;
    }
    // The size the archive states may be a lie: the bytes are counted as they are inflated.
    const qint64 cap = std::min(limit, m_totalLeft);
    constexpr qsizetype BlockSize = 1 << 16;
    qint64 size = 0;
    for (;;) {
        QByteArray block(BlockSize, Qt::Uninitialized);
        const zip_int64_t read = zip_fread(file, block.data(), zip_uint64_t(block.size()));
        if (read < 0) {
            m_error = QStringLiteral("The part %1 is damaged: %2")
                          .arg(name, QString::fromUtf8(zip_error_strerror(zip_file_get_error(file))));
            zip_fclose(file);
            return false;
        }
        if (read == 0)
            break;
        if (size + read > cap) {
            zip_fclose(file);
            m_error = size + read > limit
                          ? QStringLiteral("The part %1 inflates to more than %2 bytes").arg(name).arg(limit)
                          : QStringLiteral("The archive inflates to more than its limit");
            return false;
        }
        size += read;
        block.truncate(qsizetype(read));
        take(std::move(block));
    }
    zip_fclose(file);
    m_totalLeft -= size;
    return true;
}
