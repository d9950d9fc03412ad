#include "platform/PictureDecoder.h"
#include "platform/TPicture.h"
#include "platform/ZvExceptions.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Decoder = QImage (*)(QByteArrayView);

// A seed of the picture fuzzer, without the first byte that chooses its decoder.
QByteArray fuzzSeed(const char* name)
{
    QFile file(QStringLiteral(ZORVAN_TEST_DATA "../fuzz/picture-corpus/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll().mid(1) : QByteArray();
}

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A picture whose pixels all differ, so that a misplaced row shows.
QImage gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x * y) % 256));
    }
    return image;
}

int largestChannelDifference(const QImage& one, const QImage& other)
{
    int largest = 0;
    for (int y = 0; y < one.height(); ++y) {
        for (int x = 0; x < one.width(); ++x) {
            for (int shift : {0, 8, 16, 24}) {
                const int a = one.pixel(x, y) >> shift & 0xFF;
                largest = std::max(largest, std::abs(a - int(other.pixel(x, y) >> shift & 0xFF)));
            }
        }
    }
    return largest;
}

struct SeedRow
{
    const char* seed;
    Decoder decode;
    QImage::Format format;
};

void PrintTo(const SeedRow& row, std::ostream* out)
{
    *out << row.seed;
}

class PictureDecoderTest : public ::testing::TestWithParam<SeedRow>
{
};

// Qt's own readers serve as the reference. 16-bit PNG channels are cut to
// their high byte, which may be one below Qt's rounding; the two JPEG decoders
// may round colours a little differently.
TEST_P(PictureDecoderTest, GivesThePixelsQtsReaderGives)
{
    const QByteArray data = fuzzSeed(GetParam().seed);
    const QImage expected = QImage::fromData(data).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(expected.isNull());
    const QImage image = GetParam().decode(data);
    ASSERT_EQ(image.size(), expected.size());
    EXPECT_EQ(image.format(), GetParam().format);
    EXPECT_LE(largestChannelDifference(image, expected), GetParam().decode == DecodePng ? 1 : 4);
}

INSTANTIATE_TEST_SUITE_P(Seeds, PictureDecoderTest,
                         ::testing::Values(SeedRow{"png-rgb", DecodePng, QImage::Format_RGB32},
                                           SeedRow{"png-rgba", DecodePng, QImage::Format_ARGB32},
                                           SeedRow{"png-palette", DecodePng, QImage::Format_ARGB32},
                                           SeedRow{"png-mono", DecodePng, QImage::Format_RGB32},
                                           SeedRow{"png-gray16", DecodePng, QImage::Format_RGB32},
                                           SeedRow{"png-rgba16", DecodePng, QImage::Format_ARGB32},
                                           SeedRow{"png-interlaced", DecodePng, QImage::Format_RGB32},
                                           SeedRow{"jpeg-baseline", DecodeJpeg, QImage::Format_RGB32},
                                           SeedRow{"jpeg-progressive", DecodeJpeg, QImage::Format_RGB32},
                                           SeedRow{"jpeg-gray", DecodeJpeg, QImage::Format_RGB32},
                                           SeedRow{"jpeg-cmyk", DecodeJpeg, QImage::Format_RGB32}),
                         [](const ::testing::TestParamInfo<SeedRow>& info) {
                             return QByteArray(info.param.seed).replace('-', '_').toStdString();
                         });

TEST(DamagedPictureTest, GivesNoPicture)
{
    const QByteArray png = encoded(gradient(40, 30), "PNG");
    const qsizetype pixels = png.indexOf("IDAT") + 4;
    const QByteArray flipped = QByteArray(png).replace(pixels + 20, 1, QByteArray(1, ~png[pixels + 20]));
    const QByteArray jpeg = encoded(gradient(64, 48), "JPG");
    ASSERT_FALSE(DecodePng(png).isNull());
    ASSERT_FALSE(DecodeJpeg(jpeg).isNull());
    const struct
    {
        const char* name;
        Decoder decode;
        QByteArray data;
    } rows[] = {{"png byte flipped in the pixels", DecodePng, flipped},
                {"png cut in half", DecodePng, png.left(png.size() / 2)},
                {"png without its end chunk", DecodePng, png.left(png.size() - 12)},
                {"png bad signature", DecodePng, QByteArray(png).replace(1, 3, "JPG")},
                {"png too wide", DecodePng, encoded(gradient(30001, 1), "PNG")},
                {"png too tall", DecodePng, encoded(gradient(1, 30001), "PNG")},
                {"png empty", DecodePng, {}},
                {"png garbage", DecodePng, QByteArray(300, '\x89')},
                {"jpeg given to png", DecodePng, jpeg},
                {"jpeg cut short", DecodeJpeg, jpeg.left(jpeg.size() * 2 / 3)},
                {"jpeg too wide", DecodeJpeg, encoded(gradient(30001, 8), "JPG")},
                {"jpeg empty", DecodeJpeg, {}},
                {"jpeg garbage", DecodeJpeg, QByteArray("\xFF\xD8\xFF\xE0") + QByteArray(300, '\x17')},
                {"png given to jpeg", DecodeJpeg, png}};
    for (const auto& row : rows)
        EXPECT_TRUE(row.decode(row.data).isNull()) << row.name;
}

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
        QFile file(QStringLiteral(ZORVAN_PROGRAM_DIR "clipart/") + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        TPicture picture;
        picture.LoadFromFile(file.fileName());
        EXPECT_EQ(picture.Kind(), kind) << name;
        EXPECT_FALSE(picture.Image().isNull()) << name;
        EXPECT_EQ(picture.FileData(), file.readAll()) << name;
    }
}

TEST(TPictureTest, RefusedFilesThrowAndLeaveThePictureAsItWas)
{
    const QByteArray png = encoded(gradient(4, 4), "PNG");
    QTemporaryDir folder;
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile file(folder.filePath(QLatin1String(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    TPicture picture;
    picture.LoadFromFile(write("dobry.png", png));
    for (const QString& fileName :
         {write("obrazek.gif", png), folder.filePath(QStringLiteral("chybi.png")), write("kresba.emf", png),
          write("vykres.wmf", png), write("poskozeny.png", png.left(40)), write("jinak.bmp", png)}) {
        EXPECT_THROW(picture.LoadFromFile(fileName), EInvalidGraphic) << qPrintable(fileName);
        EXPECT_EQ(picture.Kind(), TPictureKind::Png);
        EXPECT_EQ(picture.FileData(), png);
    }
}

} // namespace
