#include "office/OfficeMetafile.h"

#include "rtf/RtfPicture.h"

#include <QRegularExpression>

#include <algorithm>
#include <cctype>

namespace {

// The words of a {\pict} group that say what it holds, and its data.
struct PictGroup
{
    bool enhanced = false;
    bool windows = false;
    RtfPicture picture;
};

// Reads the group whose words start at `start` (just after its "{"); nested groups are skipped.
PictGroup readPict(const QByteArray& group, qsizetype start)
{
    PictGroup pict;
    qsizetype index = start;
    const qsizetype size = group.size();
    while (index < size) {
        const char c = group.at(index);
        if (c == '}')
            break;
        if (c == '{') {
            int depth = 1;
            for (++index; index < size && depth > 0; ++index) {
                if (group.at(index) == '\\')
                    ++index;
                else if (group.at(index) == '{')
                    ++depth;
                else if (group.at(index) == '}')
                    --depth;
            }
            continue;
        }
        if (c != '\\') {
            pict.picture.appendHex(group.constData() + index, 1);
            ++index;
            continue;
        }
        qsizetype end = index + 1;
        while (end < size && std::isalpha(uchar(group.at(end))))
            ++end;
        const QByteArray word = group.mid(index + 1, end - index - 1);
        qsizetype digits = end;
        if (digits < size && group.at(digits) == '-')
            ++digits;
        while (digits < size && std::isdigit(uchar(group.at(digits))))
            ++digits;
        const int parameter = group.mid(end, digits - end).toInt();
        index = digits < size && group.at(digits) == ' ' ? digits + 1 : digits;
        if (word.isEmpty()) { // a control symbol
            index = end + 1;
        } else if (word == "emfblip") {
            pict.enhanced = true;
        } else if (word == "wmetafile") {
            pict.windows = true;
        } else if (word == "picw") {
            pict.picture.width = parameter;
        } else if (word == "pich") {
            pict.picture.height = parameter;
        } else if (word == "bin" && parameter > 0) {
            const qsizetype count = std::min<qsizetype>(parameter, size - index);
            pict.picture.data.append(group.mid(index, count));
            index += count;
        }
    }
    return pict;
}

void putWord(QByteArray& bytes, quint16 value)
{
    bytes.append(char(value & 0xFF));
    bytes.append(char(value >> 8));
}

// The header of a placeable Windows metafile: its frame in 0.01 mm (2540 units an inch).
QByteArray placeableHeader(int width, int height)
{
    QByteArray header;
    putWord(header, 0xCDD7);
    putWord(header, 0x9AC6);
    putWord(header, 0); // handle
    putWord(header, 0); // left
    putWord(header, 0); // top
    putWord(header, quint16(std::clamp(width, 1, 32767)));
    putWord(header, quint16(std::clamp(height, 1, 32767)));
    putWord(header, 2540);
    putWord(header, 0); // reserved
    putWord(header, 0);
    quint16 checksum = 0;
    for (qsizetype index = 0; index < header.size(); index += 2)
        checksum ^= quint16(uchar(header.at(index)) | uchar(header.at(index + 1)) << 8);
    putWord(header, checksum);
    return header;
}

} // namespace

namespace OfficeMetafile {

std::optional<File> fromRtf(const QByteArray& group)
{
    static const QRegularExpression pictWord(QStringLiteral(R"(\\pict(?![a-z]))"));
    const QRegularExpressionMatch match = pictWord.match(QString::fromLatin1(group));
    if (!match.hasMatch())
        return std::nullopt;
    const PictGroup pict = readPict(group, match.capturedEnd());
    const QByteArray& data = pict.picture.data;
    if (pict.enhanced && data.size() > 44)
        return File{QStringLiteral("emf"), QStringLiteral("image/x-emf"), data};
    if (!pict.windows || data.size() < 18)
        return std::nullopt;
    if (data.startsWith("\xD7\xCD\xC6\x9A"))
        return File{QStringLiteral("wmf"), QStringLiteral("image/x-wmf"), data};
    return File{QStringLiteral("wmf"), QStringLiteral("image/x-wmf"),
                placeableHeader(pict.picture.width, pict.picture.height) + data};
}

} // namespace OfficeMetafile
