#include "platform/PictureDecoder.h"
#include "platform/TPicture.h"
#include "platform/ZvExceptions.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A picture of `width` x `height` in `format` whose pixels all differ, so that
// a misplaced row or pass shows; for formats with alpha, some are translucent.
QImage sample(QImage::Format format, int width = 9, int height = 9)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgba(x * 28, y * 28, 255 - x * 14 - y * 14, 255 - (x + y) % 3 * 100));
    }
    if (format == QImage::Format_Indexed8) {
        return image.convertToFormat(
            format, {qRgba(255, 0, 0, 255), qRgba(0, 0, 255, 255), qRgba(0, 255, 0, 0)}, Qt::ThresholdDither);
    }
    return image.convertToFormat(format, Qt::ThresholdDither);
}

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 100);
    return bytes;
}

quint32 crc32(QByteArrayView bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
    }
    return ~crc;
}

QByteArray be32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray pngChunk(const char* type, const QByteArray& data)
{
    const QByteArray typed = QByteArray(type) + data;
    return be32(quint32(data.size())) + typed + be32(crc32(typed));
}

// An 8-bit RGB PNG of `image` with Adam7 interlacing, which Qt's writer does not write.
QByteArray interlacedPng(const QImage& image)
{
    struct Pass
    {
        int x, y, dx, dy;
    };
    const Pass passes[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                           {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    QByteArray raw;
    for (const Pass& pass : passes) {
        for (int y = pass.y; y < image.height() && pass.x < image.width(); y += pass.dy) {
            raw += '\0'; // filter: none
            for (int x = pass.x; x < image.width(); x += pass.dx) {
                const QRgb pixel = image.pixel(x, y);
                raw += char(qRed(pixel));
                raw += char(qGreen(pixel));
                raw += char(qBlue(pixel));
            }
        }
    }
    const QByteArray header =
        be32(image.width()) + be32(image.height()) + QByteArray("\x08\x02\x00\x00\x01", 5);
    return QByteArray("\x89PNG\r\n\x1a\n") + pngChunk("IHDR", header) +
           pngChunk("IDAT", qCompress(raw).mid(4)) + pngChunk("IEND", {});
}

int largestChannelDifference(const QImage& one, const QImage& other)
{
    int largest = 0;
    for (int y = 0; y < one.height(); ++y) {
        for (int x = 0; x < one.width(); ++x) {
            const QRgb a = one.pixel(x, y);
            const QRgb b = other.pixel(x, y);
            for (int shift : {0, 8, 16, 24})
                largest = std::max(largest, std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)));
        }
    }
    return largest;
}

struct PngRow
{
    const char* name;
    QImage source;
    QByteArray png;
    int bitDepth;
    int colourType; // 0 grey, 2 RGB, 3 palette, 6 RGBA
    bool hasAlpha;
};

void PrintTo(const PngRow& row, std::ostream* out)
{
    *out << row.name;
}

PngRow pngRow(const char* name, QImage::Format format, int bitDepth, int colourType, bool hasAlpha)
{
    const QImage source = sample(format);
    return {name, source, encoded(source, "PNG"), bitDepth, colourType, hasAlpha};
}

class PngDecodeTest : public ::testing::TestWithParam<PngRow>
{
};

TEST_P(PngDecodeTest, GivesThePicturesPixels)
{
    const PngRow& row = GetParam();
    ASSERT_EQ(quint8(row.png[24]), row.bitDepth) << "the input is not of the kind the row names";
    ASSERT_EQ(quint8(row.png[25]), row.colourType) << "the input is not of the kind the row names";
    const QImage image = DecodePng(row.png);
    ASSERT_EQ(image.size(), row.source.size());
    EXPECT_EQ(image.format(), row.hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    // 16-bit channels are cut to their high byte, which may be one below Qt's rounding.
    EXPECT_LE(largestChannelDifference(image, row.source.convertToFormat(QImage::Format_ARGB32)), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PngDecodeTest,
    ::testing::Values(pngRow("Rgb", QImage::Format_RGB32, 8, 2, false),
                      pngRow("Rgba", QImage::Format_ARGB32, 8, 6, true),
                      pngRow("PaletteWithTransparentEntry", QImage::Format_Indexed8, 8, 3, true),
                      pngRow("OneBit", QImage::Format_Mono, 1, 3, false),
                      pngRow("Grey", QImage::Format_Grayscale8, 8, 0, false),
                      pngRow("Grey16", QImage::Format_Grayscale16, 16, 0, false),
                      pngRow("Rgba16", QImage::Format_RGBA64, 16, 6, true),
                      PngRow{"Interlaced", sample(QImage::Format_RGB32),
                             interlacedPng(sample(QImage::Format_RGB32)), 8, 2, false}),
    [](const ::testing::TestParamInfo<PngRow>& info) { return std::string(info.param.name); });

QByteArray corpusFile(const char* name)
{
    QFile file(QStringLiteral(ZORVAN_TEST_DATA "../fuzz/picture-corpus/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(PictureDecoderTest, JpegGivesColoursNearTheOriginal)
{
    const QRgb colour = qRgb(200, 40, 60);
    QImage flat(16, 16, QImage::Format_RGB32);
    flat.fill(colour);
    const QImage grey = flat.convertToFormat(QImage::Format_Grayscale8);
    const struct
    {
        const char* name;
        QByteArray jpeg;
        QRgb expected;
    } rows[] = {{"colour", encoded(flat, "JPG"), colour},
                {"grey", encoded(grey, "JPG"), grey.pixel(0, 0)},
                {"cmyk", corpusFile("cmyk.jpg"), colour}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QImage image = DecodeJpeg(row.jpeg);
        ASSERT_EQ(image.size(), QSize(16, 16));
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
        QImage expected(16, 16, QImage::Format_RGB32);
        expected.fill(row.expected);
        EXPECT_LE(largestChannelDifference(image, expected), 6);
    }
}

// Returns `bytes` with the bytes at `at` replaced by `patch`.
QByteArray patched(QByteArray bytes, qsizetype at, const QByteArray& patch)
{
    return bytes.replace(at, patch.size(), patch);
}

struct DamagedRow
{
    const char* name;
    std::function<QImage(QByteArrayView)> decode;
    QByteArray data;
};

void PrintTo(const DamagedRow& row, std::ostream* out)
{
    *out << row.name;
}

class DamagedPictureTest : public ::testing::TestWithParam<DamagedRow>
{
};

TEST_P(DamagedPictureTest, GivesNoPicture)
{
    EXPECT_TRUE(GetParam().decode(GetParam().data).isNull());
}

const QByteArray& goodPng()
{
    static const QByteArray png = encoded(sample(QImage::Format_ARGB32, 40, 30), "PNG");
    return png;
}

QByteArray flatPicture(int width, int height, const char* format)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return encoded(image, format);
}

std::vector<DamagedRow> damagedRows()
{
    const QByteArray png = goodPng();
    const qsizetype pixels = png.indexOf("IDAT") + 4;
    const QByteArray jpeg = encoded(sample(QImage::Format_RGB32, 64, 48), "JPG");
    return {
        {"PngByteFlippedInPixels", DecodePng, patched(png, pixels + 20, QByteArray(1, ~png[pixels + 20]))},
        {"PngCutInHalf", DecodePng, png.left(png.size() / 2)},
        {"PngCutBeforeItsEnd", DecodePng, png.left(png.size() - 12)},
        {"PngBadSignature", DecodePng, patched(png, 1, "JPG")},
        {"PngTooWide", DecodePng, flatPicture(30001, 1, "PNG")},
        {"PngTooTall", DecodePng, flatPicture(1, 30001, "PNG")},
        {"PngEmpty", DecodePng, {}},
        {"PngGarbage", DecodePng, QByteArray(300, '\x89')},
        {"JpegCutShort", DecodeJpeg, jpeg.left(jpeg.size() * 2 / 3)},
        {"JpegTooWide", DecodeJpeg, flatPicture(30001, 8, "JPG")},
        {"JpegEmpty", DecodeJpeg, {}},
        {"JpegGarbage", DecodeJpeg, QByteArray("\xFF\xD8\xFF\xE0") + QByteArray(300, '\x17')},
        {"JpegGivenToPng", DecodePng, jpeg},
        {"PngGivenToJpeg", DecodeJpeg, png},
    };
}

INSTANTIATE_TEST_SUITE_P(Rows, DamagedPictureTest, ::testing::ValuesIn(damagedRows()),
                         [](const ::testing::TestParamInfo<DamagedRow>& info) {
                             return std::string(info.param.name);
                         });

TEST(TPictureTest, KindFollowsTheExtensionInAnyCase)
{
    const std::pair<const char*, std::optional<TPictureKind>> rows[] = {
        {"a.bmp", TPictureKind::Bitmap},
        {"a.DIB", TPictureKind::Bitmap},
        {"a.ico", TPictureKind::Icon},
        {"a.wmf", TPictureKind::Metafile},
        {"a.Emf", TPictureKind::EnhancedMetafile},
        {"a.jpg", TPictureKind::Jpeg},
        {"a.JPEG", TPictureKind::Jpeg},
        {"a.jpe", TPictureKind::Jpeg},
        {"a.jfif", TPictureKind::Jpeg},
        {"/x.png/a.PNG", TPictureKind::Png},
        {"a.gif", std::nullopt},
        {"png", std::nullopt},
        {"/x.png/a", std::nullopt},
        {"a.png.txt", std::nullopt}};
    for (const auto& [name, kind] : rows)
        EXPECT_EQ(TPicture::KindOfFile(QString::fromLatin1(name)), kind) << name;
}

TEST(TPictureTest, LoadsTheSamplePicturesAsTheirKinds)
{
    const std::pair<const char*, TPictureKind> rows[] = {{"slunce.png", TPictureKind::Png},
                                                         {"dum.jpg", TPictureKind::Jpeg},
                                                         {"hvezda.bmp", TPictureKind::Bitmap},
                                                         {"tuzka.ico", TPictureKind::Icon}};
    for (const auto& [name, kind] : rows) {
        const QString fileName = QStringLiteral(ZORVAN_PROGRAM_DIR "clipart/") + QLatin1String(name);
        TPicture picture;
        picture.LoadFromFile(fileName);
        EXPECT_EQ(picture.Kind(), kind) << name;
        EXPECT_FALSE(picture.Image().isNull()) << name;
        QFile file(fileName);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(picture.FileData(), file.readAll()) << name;
    }
}

TEST(TPictureTest, RefusedFilesThrowAndLeaveThePictureAsItWas)
{
    QTemporaryDir folder;
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile file(folder.filePath(QLatin1String(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const QByteArray png = goodPng();
    TPicture picture;
    picture.LoadFromFile(write("dobry.png", png));
    for (const QString& fileName : {write("obrazek.gif", png), folder.filePath(QStringLiteral("chybi.png")),
                                    write("kresba.emf", QByteArray(100, '\1')), write("vykres.wmf", png),
                                    write("poskozeny.png", png.left(100)), write("jinak.bmp", png)}) {
        EXPECT_THROW(picture.LoadFromFile(fileName), EInvalidGraphic) << qPrintable(fileName);
        EXPECT_EQ(picture.Kind(), TPictureKind::Png);
        EXPECT_EQ(picture.FileData(), png);
    }
}

} // namespace
