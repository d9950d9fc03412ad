#include "format/TextFormatProperties.h"
#include "tests/rtf/RtfTestSupport.h"

#include <gtest/gtest.h>

using namespace TextFormatProperties;

namespace {

// A picture character as the reader made it: shown (an image) or kept (its RTF is kept and
// a placeholder shown), and its size in pixels.
struct ReadPicture
{
    bool kept = false;
    QSize size;
    friend bool operator==(const ReadPicture&, const ReadPicture&) = default;
    friend void PrintTo(const ReadPicture& picture, std::ostream* out)
    {
        *out << (picture.kept ? "kept " : "shown ") << picture.size.width() << "x" << picture.size.height();
    }
};

std::vector<ReadPicture> readPictures(const QTextDocument& document)
{
    std::vector<ReadPicture> result;
    for (const QTextImageFormat& format : picturesOf(document)) {
        const bool kept = format.hasProperty(ObjectRtf);
        EXPECT_TRUE(kept || !shownImage(document, format).isNull()) << "a shown picture without its image";
        result.push_back({kept, QSizeF(format.width(), format.height()).toSize()});
    }
    return result;
}

struct ShapeCase
{
    const char* file;
    std::vector<ReadPicture> pictures;
};

void PrintTo(const ShapeCase& test, std::ostream* out)
{
    *out << test.file;
}

class RtfShapeTest : public testing::TestWithParam<ShapeCase>
{
};

TEST_P(RtfShapeTest, ShapesShowTheirPictureOnceAndSurviveASave)
{
    const QByteArray rtf = sampleRtf(GetParam().file);
    ASSERT_FALSE(rtf.isEmpty());
    const auto document = readRtf(rtf);
    EXPECT_EQ(readPictures(*document), GetParam().pictures);
    const auto again = readRtf(writeRtf(*document));
    EXPECT_EQ(readPictures(*again), GetParam().pictures);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RtfShapeTest,
    testing::Values(
        // The picture of a SHAPE field's shape, at the shape's extent, then at its own goal size.
        ShapeCase{"shape-libreoffice-field.rtf", {{false, {96, 64}}, {false, {40, 20}}}},
        // The picture of "pib", not the fill picture nor the metafile of the result; a shape
        // without "pib" shows the picture of its result.
        ShapeCase{"shape-word-pib.rtf", {{false, {40, 20}}, {false, {60, 30}}}},
        // The picture for older readers only where the shape picture gives none.
        ShapeCase{"shape-shppict.rtf", {{false, {20, 10}}, {false, {30, 15}}}},
        // A rectangle and a metafile-only shape are kept at their size; a text box shows its
        // text instead.
        ShapeCase{"shape-without-picture.rtf", {{true, {100, 50}}, {true, {60, 30}}}}));

TEST(RtfShapeTextTest, ATextBoxShowsItsTextOnceAndTheShapesAreWrittenBackAsRead)
{
    const auto document = readRtf(sampleRtf("shape-without-picture.rtf"));
    const QString text = document->toPlainText();
    EXPECT_EQ(text.count(QStringLiteral("Text v rámečku")), 1) << text.toStdString();
    const QByteArray written = writeRtf(*document);
    EXPECT_EQ(written.count("{\\shp "), 2);
    EXPECT_EQ(written.count("\\dprect"), 1);
}

TEST(RtfShapeTextTest, LibreOfficeDocumentsKeepOnePicturePerShapePicture)
{
    for (const char* name : {"libreoffice-jazyky.rtf", "libreoffice-poznamky.rtf"}) {
        QFile file(QStringLiteral(ZORVAN_TEST_DATA "interop/") + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const auto document = readRtf(file.readAll());
        const std::vector<ReadPicture> pictures = readPictures(*document);
        ASSERT_EQ(pictures.size(), 1u) << name;
        EXPECT_FALSE(pictures[0].kept) << name;
        EXPECT_EQ(readPictures(*readRtf(writeRtf(*document))), pictures) << name;
    }
}

} // namespace
