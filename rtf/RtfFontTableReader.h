#pragma once

// Reads the font table ({\fonttbl}) into the document's tables: each font's number,
// character set, code page and name. A name's bytes are decoded in the font's own code
// page, which its \fcharset or \cpg gives; the first definition of a number counts.

#include "rtf/RtfKeyword.h"

#include <QByteArray>
#include <QString>

struct RtfDocumentTables;
class RtfTextDecoder;

class RtfFontTableReader
{
public:
    // The decoder gives the document's code page and forgets its page as fonts arrive.
    RtfFontTableReader(RtfDocumentTables& tables, RtfTextDecoder& decoder)
        : m_tables(tables), m_decoder(decoder)
    {
    }

    void start() { m_font = PendingFont(); }
    void applyWord(RtfFontWord word, int parameter);
    // Text of the table: a ";" ends a font's definition, other bytes are its name's.
    void appendText(const char* data, qsizetype size);
    void appendByte(char byte) { m_font.bytes.append(byte); }
    void appendCharacter(char16_t character);
    // Ends the font being read, at a ";" or where the table ends.
    void commit();

private:
    // A font of the font table while its definition is read.
    struct PendingFont
    {
        int number = -1;
        int charset = 1;
        int codePage = -1; // -1: the code page of the charset
        QByteArray bytes;  // bytes of the name not yet decoded
        QString text;      // the name decoded so far
    };

    void decodeName();

    RtfDocumentTables& m_tables;
    RtfTextDecoder& m_decoder;
    PendingFont m_font;
};
