#pragma once

// The metafile of a picture the RTF reader kept as its RTF group because the editor cannot
// show it (a Windows or an enhanced metafile, on its own or as an object's picture), as a file
// of its own: Word and OpenDocument files carry such pictures as parts.

#include <QByteArray>
#include <QString>

#include <optional>

namespace OfficeMetafile {

struct File
{
    QString extension; // "wmf", "emf"
    QString mimeType;  // "image/x-wmf", "image/x-emf"
    QByteArray data;
};

// The metafile of the first {\pict} in `group`; nothing when it holds none. A Windows metafile
// gets the placeable header that files of that kind begin with, its frame from \picw and \pich.
std::optional<File> fromRtf(const QByteArray& group);

} // namespace OfficeMetafile
