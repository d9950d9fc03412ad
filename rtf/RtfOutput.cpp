#include "rtf/RtfOutput.h"

#include "rtf/RtfCodePage.h"
#include "rtf/RtfSymbolEncoding.h"

namespace {

constexpr qsizetype ChunkSize = 64 * 1024;
constexpr int SymbolCharset = 2;

} // namespace

RtfOutput::RtfOutput(const Sink& sink) : m_sink(sink)
{
    m_out.reserve(ChunkSize + 4096);
}

RtfOutput::Encoding RtfOutput::encodingOf(int charset, const QString& family)
{
    if (charset != SymbolCharset)
        return encodingOf(charset);
    return RtfCodePage::codePageOfSymbolFont(family) == RtfCodePage::SymbolFontPage ? Encoding::SymbolFont
                                                                                    : Encoding::FontIndexed;
}

// The byte a character is written as in text of an encoding, or 0 when it has none.
unsigned char RtfOutput::byteOf(char16_t character, Encoding encoding)
{
    switch (encoding) {
    case Encoding::Windows1250:
        return RtfCodePage::encode1250(character);
    case Encoding::UnicodeOnly:
        return 0;
    case Encoding::SymbolFont:
        return RtfSymbolEncoding::encode(character);
    case Encoding::FontIndexed:
        return character >= RtfCodePage::FontIndexedPage && character <= RtfCodePage::FontIndexedPage + 0xFF
                   ? static_cast<unsigned char>(character - RtfCodePage::FontIndexedPage)
                   : 0;
    }
    return 0;
}

// The byte after \uN that readers without Unicode read instead (\uc1).
void RtfOutput::putFallback(unsigned char byte)
{
    if (byte < 0x20 || byte >= 0x80) {
        put("\\'");
        putHex(byte);
        return;
    }
    if (byte == '\\' || byte == '{' || byte == '}')
        put('\\');
    put(char(byte));
}

void RtfOutput::putText(QStringView text, Encoding encoding)
{
    const bool symbolBytes = encoding == Encoding::SymbolFont || encoding == Encoding::FontIndexed;
    for (const QChar character : text) {
        const char16_t code = character.unicode();
        if (symbolBytes) {
            // A character of a symbol font goes out as itself (\uN), for readers that know
            // the character, followed by the font's byte, for readers that know the font.
            if (const unsigned char byte = byteOf(code, encoding); byte != 0 && byte != code) {
                putWord("\\u", int(qint16(code)));
                putFallback(byte);
                continue;
            }
        }
        if (code >= 0x20 && code < 0x80) {
            if (code == '\\' || code == '{' || code == '}')
                put('\\');
            put(char(code));
            continue;
        }
        switch (code) {
        case u'\t':
            put("\\tab ");
            continue;
        case QChar::LineSeparator:
            put("\\line ");
            continue;
        case 0x00A0:
            put("\\~");
            continue;
        case 0x00AD:
            put("\\-");
            continue;
        case 0x2011:
            put("\\_");
            continue;
        default:
            break;
        }
        if (code < 0x20)
            continue;
        if (const unsigned char byte = byteOf(code, encoding)) {
            put("\\'");
            putHex(byte);
            continue;
        }
        putWord("\\u", int(qint16(code)));
        put('?');
    }
}

void RtfOutput::flushIfFull()
{
    if (m_out.size() >= ChunkSize)
        flush();
}

void RtfOutput::flush()
{
    if (!m_out.isEmpty() && !m_failed && !m_sink(m_out.constData(), m_out.size()))
        m_failed = true;
    m_out.resize(0);
}
