#include "RtfTestSupport.h"

#include "format/TextFormatProperties.h"

#include <QDate>
#include <QLocale>

using namespace TextFormatProperties;

namespace {

const QByteArray Header = "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fcharset238 Arial;}"
                          "{\\f1\\fcharset2 Symbol;}{\\f2\\fcharset2 Wingdings;}}";

// Text of a document without its final paragraph mark.
QString textOf(const QTextDocument& document)
{
    return document.toPlainText();
}

struct SymbolCase
{
    const char* body;
    const char16_t* text;
    const char* written; // what the save writes for the symbols: the characters, each with its byte
};

TEST(RtfSymbolFieldTest, SymbolFontBytesAreTheirCharactersAndAreWrittenBackAsTheSameBytes)
{
    const SymbolCase cases[] = {
        {"{\\f1 a\\'c5W}", u"α⊕Ω", "\\u945a\\u8853\\'c5\\u937W"},
        {"{\\f1\\u-3999?}", u"α", "\\u945a"},
        {"{\\f2 J\\'fd}", u"\uF04A\uF0FD", "\\u-4022J\\u-3843\\'fd"},
        {"{\\f0 a\\'e8}", u"ač", "a\\'e8"},
    };
    for (const SymbolCase& test : cases) {
        const auto document = readRtf(Header + test.body + "}");
        EXPECT_EQ(textOf(*document), QString::fromUtf16(test.text)) << test.body;
        const QByteArray written = writeRtf(*document);
        EXPECT_TRUE(written.contains(test.written)) << test.body << "\n" << written.constData();
        EXPECT_EQ(textOf(*readRtf(written)), QString::fromUtf16(test.text)) << test.body;
    }
}

struct FieldCase
{
    const char* body;
    QString text;
    const char* instruction; // kept on the result; empty when the field keeps none
};

TEST(RtfSymbolFieldTest, FieldsShowWhatTheirKindMakesWithoutAResultAndKeepTheirInstruction)
{
    const QString today = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    const FieldCase cases[] = {
        // Wingdings' bytes are their codes' characters, as LibreOffice shows them where the font is
        // missing; so are the bytes of a font the document does not know.
        {"{\\field{\\*\\fldinst SYMBOL 253 \\\\f \"Wingdings\" \\\\s 12}}", QStringLiteral("ý"),
         "SYMBOL 253 \\f \"Wingdings\" \\s 12"},
        {"{\\field{\\*\\fldinst SYMBOL 61623 \\\\f \"Wingdings\"}{\\fldrslt }}", QString(QChar(0xF0B7)),
         "SYMBOL 61623 \\f \"Wingdings\""},
        {"{\\field{\\*\\fldinst SYMBOL 183 \\\\f \"Neznamy\"}{\\fldrslt }}", QStringLiteral("·"),
         "SYMBOL 183 \\f \"Neznamy\""},
        {"{\\field{\\*\\fldinst SYMBOL 97 \\\\f \"Symbol\"}{\\fldrslt }}", QStringLiteral("α"),
         "SYMBOL 97 \\f \"Symbol\""},
        {"{\\field{\\*\\fldinst SYMBOL 9786 \\\\u}}", QStringLiteral("☺"), "SYMBOL 9786 \\u"},
        {"{\\field{\\*\\fldinst { PAGE }}{\\fldrslt }}", QStringLiteral("1"), "PAGE"},
        {"{\\field{\\*\\fldinst NUMPAGES \\\\* MERGEFORMAT}}", QStringLiteral("1"),
         "NUMPAGES \\* MERGEFORMAT"},
        {"{\\field{\\*\\fldinst DATE}}", today, "DATE"},
        {"{\\field{\\*\\fldinst PAGE}{\\fldrslt 7}}", QStringLiteral("7"), "PAGE"},
        {"{\\field{\\*\\fldinst REF x}{\\fldrslt 7}}", QStringLiteral("7"), ""},
        {"{\\field{\\*\\fldinst REF x}}", QString(), ""},
        {"\\chpgn \\chdate ", QStringLiteral("1") + today, ""},
    };
    for (const FieldCase& test : cases) {
        const auto document = readRtf(Header + "a" + test.body + "b}");
        EXPECT_EQ(textOf(*document), u'a' + test.text + u'b') << test.body;
        if (test.text.isEmpty())
            continue;
        EXPECT_EQ(formatAt(*document, 1).stringProperty(CharFieldInstruction),
                  QLatin1String(test.instruction))
            << test.body;
        // A save writes the field again, and reading that keeps text and instruction.
        const auto reread = readRtf(writeRtf(*document));
        EXPECT_EQ(textOf(*reread), textOf(*document)) << test.body;
        EXPECT_EQ(formatAt(*reread, 1).stringProperty(CharFieldInstruction), QLatin1String(test.instruction))
            << test.body;
    }
}

TEST(RtfSymbolFieldTest, SymbolFieldTakesItsFontAndSize)
{
    const auto document =
        readRtf(Header + "{\\field{\\*\\fldinst SYMBOL 74 \\\\f \"Wingdings 3\" \\\\s 14}}}");
    const QTextCharFormat format = formatAt(*document, 0);
    EXPECT_EQ(format.fontFamilies().toStringList().value(0), QStringLiteral("Wingdings 3"));
    EXPECT_EQ(charSize(format), 280);
    EXPECT_EQ(charCharset(format), 2);
    EXPECT_TRUE(writeRtf(*document).contains("\\fcharset2 Wingdings 3;"));
}

} // namespace
