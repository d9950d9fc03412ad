#include "rtf/RtfTextDecoder.h"

const RtfCodePage& RtfTextDecoder::findPage(int number)
{
    int page = m_ansiCodePage;
    if (const auto found = m_tables.fonts.constFind(number);
        found != m_tables.fonts.cend() && found->codePage > 0)
        page = found->codePage;
    m_page = &RtfCodePage::forCodePage(page);
    m_pageFont = number;
    return *m_page;
}

QString RtfTextDecoder::decodeSequence(unsigned char byte, const RtfCodePage& page)
{
    QString decoded;
    if (page.codePage() == Utf8Page) {
        if (!m_utf8)
            m_utf8 = std::make_unique<QStringDecoder>(QStringDecoder::Utf8);
        const char single = char(byte);
        decoded = m_utf8->decode(QByteArrayView(&single, 1));
    } else if (m_leadByte >= 0) {
        page.decodePair(static_cast<unsigned char>(m_leadByte), byte, decoded);
        m_leadByte = -1;
    } else {
        m_leadByte = byte;
    }
    return decoded;
}
