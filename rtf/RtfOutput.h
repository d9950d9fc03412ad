#pragma once

// The bytes of RTF being written: control words, numbers, hexadecimal and 7-bit text,
// gathered into chunks that go to the writer's sink.

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <functional>

class RtfOutput
{
public:
    // Receives the RTF in chunks; returns false to stop the writing.
    using Sink = std::function<bool(const char* data, qsizetype size)>;

    // How text outside ASCII is written.
    // Windows1250: characters of the code page as \'hh, the rest as \uN;
    // UnicodeOnly: every non-ASCII character as \uN;
    // SymbolFont, FontIndexed: the bytes of the Symbol font, of another symbol font (see
    // RtfCodePage::SymbolFontPage), other characters as \uN.
    enum class Encoding { Windows1250, UnicodeOnly, SymbolFont, FontIndexed };

    explicit RtfOutput(const Sink& sink);

    // Text in a font of the Central European character set can use Windows-1250 bytes; a
    // reader decodes the bytes of other fonts in their own code page.
    static Encoding encodingOf(int charset)
    {
        return charset == 238 ? Encoding::Windows1250 : Encoding::UnicodeOnly;
    }
    // The encoding of text in a font: symbol fonts write the bytes they were read as.
    static Encoding encodingOf(int charset, const QString& family);

    void put(char c) { m_out.append(c); }
    void put(const char* text) { m_out.append(text); }
    void put(QByteArrayView text) { m_out.append(text); }
    // A control word with its number: putWord("\\fs", 24) writes \fs24.
    void putWord(const char* word, int value)
    {
        m_out.append(word);
        m_out.append(QByteArray::number(value));
    }
    // Two lowercase hexadecimal digits.
    void putHex(unsigned char byte)
    {
        static constexpr char Digits[] = "0123456789abcdef";
        m_out.append(Digits[byte >> 4]);
        m_out.append(Digits[byte & 15]);
    }
    // Text escaped for RTF: braces and backslashes, tabs, line separators and the special
    // spaces and hyphens as control words or symbols, other control characters dropped.
    void putText(QStringView text, Encoding encoding);

    // Hands the bytes gathered so far to the sink once they fill a chunk.
    void flushIfFull();
    // Hands the bytes gathered so far to the sink.
    void flush();
    // The sink refused a chunk; nothing more is handed to it.
    bool failed() const { return m_failed; }

private:
    static unsigned char byteOf(char16_t character, Encoding encoding);
    void putFallback(unsigned char byte);

    const Sink& m_sink;
    QByteArray m_out;
    bool m_failed = false;
};
