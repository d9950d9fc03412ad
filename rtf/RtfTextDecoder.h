#pragma once

// How the bytes of RTF text become characters: in the code page of the font that the text
// is in (its font table entry, else the document's ANSI code page), two bytes to a
// character in double-byte code pages, and as UTF-8 in code page 65001, whose characters
// may be cut between \'hh escapes.

#include "rtf/RtfCodePage.h"
#include "rtf/RtfReaderState.h"

#include <QStringDecoder>

#include <memory>
#include <optional>

class RtfTextDecoder
{
public:
    explicit RtfTextDecoder(const RtfDocumentTables& tables) : m_tables(tables) {}

    // \ansicpg, \mac, \pc, \pca: the code page of fonts that do not name one.
    int ansiCodePage() const { return m_ansiCodePage; }
    void setAnsiCodePage(int codePage)
    {
        m_ansiCodePage = codePage;
        forgetPage();
    }

    // The code page of text in a font (-1: the document's default font). The page found
    // last is kept until forgetPage, which the font table, the default font or the ANSI
    // code page changing call for.
    const RtfCodePage& codePage(int font)
    {
        const int number = font >= 0 ? font : m_tables.defaultFont;
        if (m_page && m_pageFont == number)
            return *m_page;
        return findPage(number);
    }
    void forgetPage() { m_pageFont.reset(); }

    // Decodes a byte of text in page, handing each character it completes to emit: none
    // for the first byte of a double-byte character or of a UTF-8 sequence.
    template <typename Emit> void decode(unsigned char byte, const RtfCodePage& page, Emit&& emit)
    {
        if (page.codePage() != Utf8Page && m_leadByte < 0 && !page.isLeadByte(byte)) {
            emit(page.decode(byte));
            return;
        }
        for (QChar character : decodeSequence(byte, page))
            emit(character.unicode());
    }
    // Text that is not a byte of the page (plain ASCII, \u, a new format) ends a
    // double-byte character whose trail byte did not come.
    void dropLeadByte() { m_leadByte = -1; }

private:
    static constexpr int Utf8Page = 65001;

    const RtfCodePage& findPage(int number); // a font of the table, or -1
    QString decodeSequence(unsigned char byte, const RtfCodePage& page);

    const RtfDocumentTables& m_tables;
    int m_ansiCodePage = 1252;
    const RtfCodePage* m_page = nullptr;
    std::optional<int> m_pageFont; // the font m_page belongs to; none when it must be looked up
    int m_leadByte = -1;           // the first byte of a double-byte character, or -1
    std::unique_ptr<QStringDecoder> m_utf8;
};
