#include "platform/PlainTextCodec.h"

#include <gtest/gtest.h>

namespace {

struct DecodeRow
{
    const char* name;
    QByteArray bytes;
    PlainTextEncoding encoding;
    QString text;
};

void PrintTo(const DecodeRow& row, std::ostream* out)
{
    *out << row.name;
}

class PlainTextDecodeTest : public ::testing::TestWithParam<DecodeRow>
{
};

TEST_P(PlainTextDecodeTest, BytesGiveTheTextWithOneLfPerBreak)
{
    EXPECT_EQ(PlainTextCodec::decode(GetParam().bytes, GetParam().encoding), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PlainTextDecodeTest,
    ::testing::Values(DecodeRow{"Utf8", QStringLiteral("žluťoučký kůň").toUtf8(), PlainTextEncoding::Utf8,
                                QStringLiteral("žluťoučký kůň")},
                      DecodeRow{"Utf8ByteOrderMarkSkipped",
                                QByteArray("\xEF\xBB\xBF") + QStringLiteral("řádek").toUtf8(),
                                PlainTextEncoding::Utf8, QStringLiteral("řádek")},
                      // "žluťoučký" as a Windows program writes it.
                      DecodeRow{"NotUtf8IsWindows1250", QByteArray("\x9e\x6c\x75\x9d\x6f\x75\xe8\x6b\xfd"),
                                PlainTextEncoding::Utf8, QStringLiteral("žluťoučký")},
                      DecodeRow{"EveryBreakKindIsOneLf", QByteArray("a\r\nb\rc\nd\r\n\r\n"),
                                PlainTextEncoding::Utf8, QStringLiteral("a\nb\nc\nd\n\n")},
                      DecodeRow{"Utf16", QByteArray("\x59\x01\r\0\n\0\xAC\x20", 8), PlainTextEncoding::Utf16,
                                QStringLiteral("ř\n€")},
                      DecodeRow{"Utf16OddByteDropped", QByteArray("a\0b", 3), PlainTextEncoding::Utf16,
                                QStringLiteral("a")},
                      DecodeRow{"Empty", QByteArray(), PlainTextEncoding::Utf8, QString()}),
    [](const ::testing::TestParamInfo<DecodeRow>& info) { return std::string(info.param.name); });

TEST(PlainTextCodecTest, ExportedTextHasCrLfBreaksAndNoObjects)
{
    const QChar object = QChar::ObjectReplacementCharacter;
    EXPECT_EQ(PlainTextCodec::exported(QStringLiteral("obrázek ") + object + QStringLiteral(" zde\rdruhý") +
                                       object),
              QStringLiteral("obrázek  zde\r\ndruhý"));
    EXPECT_EQ(PlainTextCodec::exported(QString(object)), QString());
    EXPECT_EQ(PlainTextCodec::exported(QStringLiteral("\r\r")), QStringLiteral("\r\n\r\n"));
}

TEST(PlainTextCodecTest, EncodingIsUtf8OrUtf16InMachineOrder)
{
    EXPECT_EQ(PlainTextCodec::encode(u"ř€", PlainTextEncoding::Utf8), QByteArray("\xC5\x99\xE2\x82\xAC"));
    EXPECT_EQ(PlainTextCodec::encode(u"ř€", PlainTextEncoding::Utf16), QByteArray("\x59\x01\xAC\x20", 4));
}

TEST(PlainTextCodecTest, InsertedBreaksBecomeOneLfEach)
{
    EXPECT_EQ(PlainTextCodec::normalisedBreaks(QStringLiteral("a\r\nb\rc\nd")), QStringLiteral("a\nb\nc\nd"));
    EXPECT_EQ(PlainTextCodec::normalisedBreaks(QStringLiteral("\r\n\r")), QStringLiteral("\n\n"));
}

} // namespace
