#pragma once

// The Windows code pages that RTF text is written in: decoding of \'hh bytes for the
// reader and Windows-1250 encoding for the writer.

#include <QString>

#include <array>

class RtfCodePage
{
public:
    // The code page of a Windows character set (\fcharsetN); -1 for the set 1 (default),
    // which means the document's code page.
    static int codePageOfCharset(int charset);

    // Fonts of the symbol character set show their bytes as their own pictures, not as
    // letters of a code page. The Symbol font's bytes are read as the characters they
    // show; the bytes of other symbol fonts (Wingdings, Webdings ...), most of which have
    // no Unicode character, as the private-use characters U+F000 + byte that index the
    // font. Both are written back as the same bytes.
    static constexpr int SymbolFontPage = 42;
    static constexpr int FontIndexedPage = 0xF000;
    static int codePageOfSymbolFont(const QString& name);

    // The shared decoder of a code page; an unknown code page gives Windows-1252. The
    // object lives until the program ends. Not thread-safe: user-interface thread only.
    static const RtfCodePage& forCodePage(int codePage);

    int codePage() const { return m_codePage; }
    // The bytes of a symbol font: ASCII bytes, too, are not the letters they would be.
    bool isSymbolFont() const { return m_codePage == SymbolFontPage || m_codePage == FontIndexedPage; }
    bool isLeadByte(unsigned char byte) const { return m_doubleByte && m_lead[byte]; }

    // The character of a single byte; U+FFFD for a byte the code page does not define.
    char16_t decode(unsigned char byte) const { return m_table[byte]; }

    // A lead and trail byte of a double-byte code page, appended to out.
    void decodePair(unsigned char lead, unsigned char trail, QString& out) const;

    // The Windows-1250 byte of a character, or 0 when it has none (below 0x80 the byte is
    // the character itself).
    static unsigned char encode1250(char16_t character);

private:
    explicit RtfCodePage(int codePage);

    int m_codePage = 1252;
    bool m_doubleByte = false;
    QByteArray m_encodingName;
    std::array<char16_t, 256> m_table{};
    std::array<bool, 256> m_lead{};
};
