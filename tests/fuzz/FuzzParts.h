#pragma once

// The inputs of the office readers' fuzz targets that are not archives: the XML parts,
// separated by lines of "#####", packed here into a stored (not deflated) archive under the
// names the reader looks for, so that the mutations reach the XML readers instead of breaking
// the archive's checksums.

#include "tests/office/ZipParts.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

// The parts of `input` under `names` (parts past the names are left out), with `fixed`
// parts added.
inline QByteArray packParts(const QByteArray& input, const QStringList& names,
                            const QList<std::pair<QString, QByteArray>>& fixed)
{
    static const QByteArray separator("\n#####\n");
    QList<std::pair<QString, QByteArray>> named;
    qsizetype from = 0;
    for (const QString& name : names) {
        const qsizetype at = input.indexOf(separator, from);
        named.append({name, input.mid(from, at < 0 ? -1 : at - from)});
        if (at < 0)
            break;
        from = at + separator.size();
    }
    return zipParts(named + fixed, ZipCompression::Store);
}
