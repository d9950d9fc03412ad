#include "rtf/RtfPicture.h"

#include "format/Units.h"
#include "rtf/RtfTokenizer.h"

#include <QtEndian>

#include <algorithm>

namespace {

quint32 readLittle32(const QByteArray& data, qsizetype at)
{
    return qFromLittleEndian<quint32>(data.constData() + at);
}

quint16 readLittle16(const QByteArray& data, qsizetype at)
{
    return qFromLittleEndian<quint16>(data.constData() + at);
}

// Bitmaps larger than this are not decoded (a damaged header must not allocate gigabytes).
constexpr qint64 MaxBitmapPixels = 64 * 1024 * 1024;

} // namespace

void RtfPicture::appendHex(const char* text, qsizetype size)
{
    for (qsizetype index = 0; index < size; ++index) {
        const int digit = rtfHexDigit(text[index]);
        if (digit < 0)
            continue;
        if (m_pendingNibble < 0) {
            m_pendingNibble = digit;
            continue;
        }
        data.append(char(m_pendingNibble * 16 + digit));
        m_pendingNibble = -1;
    }
}

QImage RtfPicture::image() const
{
    switch (kind) {
    case Kind::Png:
        return QImage::fromData(data, "PNG");
    case Kind::Jpeg:
        return QImage::fromData(data, "JPEG");
    case Kind::Dib:
        return deviceIndependentBitmap();
    case Kind::Bitmap:
        return deviceDependentBitmap();
    case Kind::Unknown:
    case Kind::WindowsMetafile:
    case Kind::EnhancedMetafile:
    case Kind::Other:
        return {};
    }
    return {};
}

QImage RtfPicture::deviceIndependentBitmap() const
{
    // The data is a BITMAPINFO followed by the bits; Qt's BMP reader wants the file header
    // in front, whose only real field is the offset of the bits.
    if (data.size() < 16)
        return {};
    const quint32 headerSize = readLittle32(data, 0);
    if (headerSize < 12 || headerSize > quint32(data.size()))
        return {};
    quint32 paletteEntries = 0;
    quint32 paletteEntrySize = 4;
    quint16 bitCount = 0;
    quint32 compression = 0;
    if (headerSize == 12) {
        bitCount = readLittle16(data, 10);
        paletteEntrySize = 3;
    } else {
        if (headerSize < 20)
            return {};
        bitCount = readLittle16(data, 14);
        compression = readLittle32(data, 16);
        if (headerSize >= 36)
            paletteEntries = readLittle32(data, 32);
    }
    if (paletteEntries == 0 && bitCount <= 8)
        paletteEntries = 1u << bitCount;
    if (paletteEntries > 256)
        return {};
    quint32 masks = (headerSize == 40 && compression == 3) ? 12 : 0;
    const quint32 offset = 14 + headerSize + masks + paletteEntries * paletteEntrySize;
    QByteArray file;
    file.reserve(14 + data.size());
    file.append("BM", 2);
    char field[4];
    qToLittleEndian<quint32>(quint32(14 + data.size()), field);
    file.append(field, 4);
    file.append(4, '\0');
    qToLittleEndian<quint32>(offset, field);
    file.append(field, 4);
    file.append(data);
    return QImage::fromData(file, "BMP");
}

QImage RtfPicture::deviceDependentBitmap() const
{
    if (width <= 0 || height <= 0 || qint64(width) * height > MaxBitmapPixels)
        return {};
    const qint64 lineBytes = bytesPerLine > 0 ? bytesPerLine : ((qint64(width) * bitsPerPixel + 15) / 16) * 2;
    if (lineBytes * height > data.size())
        return {};
    QImage result;
    switch (bitsPerPixel) {
    case 1:
        result = QImage(width, height, QImage::Format_Mono);
        result.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        break;
    case 24:
        result = QImage(width, height, QImage::Format_RGB888);
        break;
    case 32:
        result = QImage(width, height, QImage::Format_RGB32);
        break;
    default:
        return {};
    }
    if (result.isNull())
        return {};
    const qsizetype copyBytes = std::min<qsizetype>(lineBytes, result.bytesPerLine());
    for (int y = 0; y < height; ++y) {
        uchar* line = result.scanLine(y);
        std::copy_n(data.constData() + y * lineBytes, copyBytes, line);
        if (bitsPerPixel == 24) {
            for (int x = 0; x < width; ++x)
                std::swap(line[x * 3], line[x * 3 + 2]); // the bitmap stores blue first
        }
    }
    return result;
}

QSizeF RtfPicture::displaySize(const QImage& shown) const
{
    const qreal scaleWidth = std::clamp(scaleX, 1, 10000) / 100.0;
    const qreal scaleHeight = std::clamp(scaleY, 1, 10000) / 100.0;
    qreal shownWidth = goalWidth > 0 ? goalWidth / double(TwipsPerPixel) : 0;
    qreal shownHeight = goalHeight > 0 ? goalHeight / double(TwipsPerPixel) : 0;
    if (shownWidth <= 0)
        shownWidth = shown.isNull() ? width / double(TwipsPerPixel) : shown.width();
    if (shownHeight <= 0)
        shownHeight = shown.isNull() ? height / double(TwipsPerPixel) : shown.height();
    return {std::max<qreal>(1, shownWidth * scaleWidth), std::max<qreal>(1, shownHeight * scaleHeight)};
}

QString RtfPicture::keptKind() const
{
    if (kind == Kind::Png)
        return QStringLiteral("png");
    if (kind == Kind::Jpeg)
        return QStringLiteral("jpeg");
    return {};
}
