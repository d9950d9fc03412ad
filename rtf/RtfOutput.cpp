#include "rtf/RtfOutput.h"

#include "rtf/RtfCodePage.h"

namespace {

constexpr qsizetype ChunkSize = 64 * 1024;

} // namespace

RtfOutput::RtfOutput(const Sink& sink) : m_sink(sink)
{
    m_out.reserve(ChunkSize + 4096);
}

void RtfOutput::putText(QStringView text, Encoding encoding)
{
    for (const QChar character : text) {
        const char16_t code = character.unicode();
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
        if (const unsigned char byte =
                encoding == Encoding::Windows1250 ? RtfCodePage::encode1250(code) : 0) {
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
