#include "rtf/RtfPicture.h"

#include "format/TextFormatProperties.h"
#include "tests/rtf/RtfTestSupport.h"

#include <QBuffer>
#include <QTextTable>

#include <gtest/gtest.h>

using namespace TextFormatProperties;

TEST(RtfPictureTest, HexDigitsPairUpAcrossPiecesAndSkipOtherBytes)
{
    RtfPicture picture;
    picture.appendHex("8 9\r\n5", 6);
    picture.appendHex("0a", 2);
    picture.appendHex("Zf", 2);
    EXPECT_EQ(picture.data, QByteArray("\x89\x50\xaf", 3));
}

TEST(RtfPictureTest, DeviceIndependentBitmapsGetTheirFileHeader)
{
    // A 2 x 1 bitmap of 24 bits, bottom-up: blue, red; each row padded to 4 bytes.
    QByteArray data(40, '\0');
    const char header[] = {40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0};
    data.replace(0, 16, QByteArray(header, 16));
    data.append(QByteArray("\xff\x00\x00\x00\x00\xff\x00\x00", 8));
    RtfPicture picture;
    picture.kind = RtfPicture::Kind::Dib;
    picture.data = data;
    const QImage image = picture.image();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(2, 1));
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(1, 0), qRgb(255, 0, 0));

    picture.data.truncate(10); // a damaged header shows nothing
    EXPECT_TRUE(picture.image().isNull());
}

TEST(RtfPictureTest, DeviceDependentBitmapsOfTwentyFourBits)
{
    RtfPicture picture;
    picture.kind = RtfPicture::Kind::Bitmap;
    picture.width = 1;
    picture.height = 2;
    picture.bitsPerPixel = 24;
    picture.bytesPerLine = 4;
    picture.data = QByteArray("\x00\x00\xff\x00\xff\x00\x00\x00", 8);
    const QImage image = picture.image();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(0, 1), qRgb(0, 0, 255));
    picture.height = 100000; // more lines than data
    EXPECT_TRUE(picture.image().isNull());
}

TEST(RtfPictureTest, DisplaySizeComesFromTheGoalAndScale)
{
    RtfPicture picture;
    const QImage image(30, 20, QImage::Format_RGB32);
    EXPECT_EQ(picture.displaySize(image), QSizeF(30, 20));
    picture.goalWidth = 1500;
    picture.goalHeight = 750;
    picture.scaleX = 50;
    EXPECT_EQ(picture.displaySize(image), QSizeF(50, 50));
}

TEST(RtfPictureTest, SampleShowsPngDibAndBinPicturesAndKeepsWhatItCannotShow)
{
    const QByteArray rtf = sampleRtf("features.rtf");
    ASSERT_FALSE(rtf.isEmpty());
    const auto document = readRtf(rtf);
    const std::vector<QTextImageFormat> pictures = picturesOf(*document);
    ASSERT_EQ(pictures.size(), 5u); // PNG (not its metafile twin), DIB, PNG after \bin, WMF, object

    EXPECT_EQ(shownImage(*document, pictures[0]).size(), QSize(3, 2));
    EXPECT_DOUBLE_EQ(pictures[0].width(), 60.0);
    EXPECT_EQ(pictures[0].stringProperty(ObjectPictureKind), QStringLiteral("png"));
    EXPECT_EQ(shownImage(*document, pictures[1]).pixel(0, 1), qRgb(0, 0, 255));
    EXPECT_EQ(shownImage(*document, pictures[2]).size(), QSize(3, 2));
    for (int index : {0, 1, 2})
        EXPECT_FALSE(pictures[index].hasProperty(ObjectRtf)) << index;

    const QByteArray metafile = pictures[3].property(ObjectRtf).toByteArray();
    EXPECT_TRUE(metafile.startsWith("{\\pict "));
    EXPECT_TRUE(metafile.contains("\\wmetafile8\\picw100\\pich100\\picwgoal1500\\pichgoal750"));
    EXPECT_TRUE(metafile.contains("0100090000036c00000000000000"));
    EXPECT_TRUE(metafile.endsWith('}'));
    EXPECT_DOUBLE_EQ(pictures[3].width(), 100.0);

    const QByteArray object = pictures[4].property(ObjectRtf).toByteArray();
    EXPECT_TRUE(object.startsWith("{\\object "));
    EXPECT_TRUE(object.contains("{\\*\\objdata 01050000020000000700000050427275736800}"));
    EXPECT_TRUE(object.endsWith("}}}"));
    EXPECT_EQ(shownImage(*document, pictures[4]).size(), QSize(3, 2)); // its result picture
    EXPECT_DOUBLE_EQ(pictures[4].width(), 40.0);                       // \objw600
}

TEST(RtfPictureTest, KeptGroupsAreWrittenBackUnchanged)
{
    const auto document = readRtf(sampleRtf("features.rtf"));
    const QByteArray written = writeRtf(*document);
    const std::vector<QTextImageFormat> pictures = picturesOf(*document);
    ASSERT_EQ(pictures.size(), 5u);
    EXPECT_TRUE(written.contains(pictures[3].property(ObjectRtf).toByteArray()));
    EXPECT_TRUE(written.contains(pictures[4].property(ObjectRtf).toByteArray()));

    const auto again = readRtf(written);
    const std::vector<QTextImageFormat> reread = picturesOf(*again);
    ASSERT_EQ(reread.size(), 5u);
    EXPECT_EQ(reread[3].property(ObjectRtf), pictures[3].property(ObjectRtf));
    EXPECT_EQ(reread[4].property(ObjectRtf), pictures[4].property(ObjectRtf));
    EXPECT_EQ(shownImage(*again, reread[1]),
              shownImage(*document, pictures[1]).convertToFormat(shownImage(*again, reread[1]).format()));
    EXPECT_EQ(writeRtf(*again), written);
}

TEST(RtfPictureTest, JpegIsWrittenBackAsJpeg)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(QColor(40, 90, 200));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&buffer, "JPEG"));
    const QByteArray rtf = "{\\rtf1 {\\pict\\jpegblip\\picw8\\pich8 " + jpeg.toHex() + "}}";
    const auto document = readRtf(rtf);
    const std::vector<QTextImageFormat> pictures = picturesOf(*document);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(shownImage(*document, pictures[0]).size(), QSize(8, 8));
    const QByteArray written = writeRtf(*document);
    EXPECT_TRUE(written.contains("{\\pict\\jpegblip\\picw8\\pich8\\picwgoal120\\pichgoal120"));
    EXPECT_TRUE(written.contains(jpeg.left(32).toHex()));
}

TEST(RtfPictureTest, SampleKeepsTheRestOfItsContent)
{
    const auto document = readRtf(sampleRtf("features.rtf"));
    const QString text = document->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Odkaz: example.cz a poznámka1.")));
    EXPECT_FALSE(text.contains(QStringLiteral("Záhlaví")));
    EXPECT_FALSE(text.contains(QStringLiteral("pod čarou")));
    EXPECT_FALSE(text.contains(QStringLiteral("Ukázka")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("Poslední stránka")));
    EXPECT_EQ(charLink(formatAt(*document, 7)), QStringLiteral("https://example.cz/"));
    EXPECT_NE(qobject_cast<QTextTable*>(document->rootFrame()->childFrames().value(0)), nullptr);
    EXPECT_TRUE(document->lastBlock().blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
}

TEST(RtfPictureTest, EachKeptGroupEndsWithItsOwnBraceEvenAfterDamagedNesting)
{
    const auto document = readRtf(
        "{\\rtf1 {\\pict\\wmetafile8{\\*\\blipuid 1}{\\pict\\emfblip 01}02}{\\pict\\wmetafile8 03} x}");
    const std::vector<QTextImageFormat> pictures = picturesOf(*document);
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].property(ObjectRtf).toByteArray(),
              QByteArray("{\\pict \\wmetafile8{\\*\\blipuid 1}{\\pict\\emfblip 01}02}"));
    EXPECT_EQ(pictures[1].property(ObjectRtf).toByteArray(), QByteArray("{\\pict \\wmetafile8 03}"));
    EXPECT_TRUE(document->toPlainText().endsWith(QStringLiteral(" x")));
}
