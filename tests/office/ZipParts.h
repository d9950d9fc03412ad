#pragma once

// Packs named parts into a ZIP archive in memory, as a Word document's parts are packed; for
// the tests and the fuzz target of the office reader.

#include <QByteArray>
#include <QList>
#include <QString>

#include <zip.h>

#include <algorithm>
#include <utility>

enum class ZipCompression { Deflate, Store };

inline QByteArray zipParts(const QList<std::pair<QString, QByteArray>>& parts,
                           ZipCompression compression = ZipCompression::Deflate)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    zip_source_keep(buffer);
    for (const auto& [name, bytes] : parts) {
        zip_source_t* source = zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        const zip_int64_t index = zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_OVERWRITE);
        zip_set_file_compression(archive, zip_uint64_t(index),
                                 compression == ZipCompression::Store ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
    }
    zip_close(archive);
    QByteArray packed;
    zip_stat_t stat;
    if (zip_source_open(buffer) == 0) {
        if (zip_source_stat(buffer, &stat) == 0) {
            packed.resize(qsizetype(stat.size));
            packed.resize(
                qsizetype(std::max<zip_int64_t>(0, zip_source_read(buffer, packed.data(), stat.size))));
        }
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    zip_error_fini(&error);
    return packed;
}
