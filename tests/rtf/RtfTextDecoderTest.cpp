// Bytes of text to characters: double-byte and UTF-8 characters complete only with their
// last byte, and the code page follows the font table when told that it changed.

#include "rtf/RtfTextDecoder.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

struct DecoderFixture
{
    RtfDocumentTables tables;
    RtfTextDecoder decoder{tables};

    std::u16string decode(int font, std::initializer_list<unsigned char> bytes)
    {
        std::u16string text;
        for (unsigned char byte : bytes)
            decoder.decode(byte, decoder.codePage(font), [&text](char16_t character) { text += character; });
        return text;
    }
};

TEST(RtfTextDecoderTest, MultiByteCharactersCompleteWithTheirLastByte)
{
    DecoderFixture shiftJis;
    shiftJis.decoder.setAnsiCodePage(932);
    EXPECT_EQ(shiftJis.decode(-1, {0x93}), u"");
    EXPECT_EQ(shiftJis.decode(-1, {0xFA, 0x41}), u"日A");

    DecoderFixture utf8;
    utf8.tables.fonts.insert(0, FontDefinition{QStringLiteral("Arial"), 0, 65001});
    EXPECT_EQ(utf8.decode(0, {0xC5, 0xBE, 0xE6, 0x97}), u"ž");
    EXPECT_EQ(utf8.decode(0, {0xA5}), u"日");
}

TEST(RtfTextDecoderTest, DroppedLeadByteLeavesTheNextByteAlone)
{
    DecoderFixture fixture;
    fixture.decoder.setAnsiCodePage(932);
    EXPECT_EQ(fixture.decode(-1, {0x93}), u"");
    fixture.decoder.dropLeadByte();
    EXPECT_EQ(fixture.decode(-1, {0x41}), u"A");
}

TEST(RtfTextDecoderTest, CodePageIsTheFontsElseTheDocumentsAndFollowsTheTableWhenTold)
{
    DecoderFixture fixture;
    fixture.decoder.setAnsiCodePage(1250);
    fixture.tables.fonts.insert(1, FontDefinition{QStringLiteral("Arial"), 204, 1251});
    fixture.tables.fonts.insert(2, FontDefinition{QStringLiteral("Courier"), 1, -1});
    EXPECT_EQ(fixture.decoder.codePage(-1).codePage(), 1250); // no default font
    EXPECT_EQ(fixture.decoder.codePage(2).codePage(), 1250);
    fixture.decoder.setAnsiCodePage(1252);
    EXPECT_EQ(fixture.decoder.codePage(2).codePage(), 1252);

    EXPECT_EQ(fixture.decoder.codePage(1).codePage(), 1251);
    fixture.tables.fonts[1].codePage = 1250;
    fixture.decoder.forgetPage();
    EXPECT_EQ(fixture.decoder.codePage(1).codePage(), 1250);
    fixture.tables.defaultFont = 1;
    EXPECT_EQ(fixture.decoder.codePage(-1).codePage(), 1250);
}

} // namespace
