#include "rtf/RtfCodePage.h"

#include "rtf/RtfSymbolEncoding.h"

#include <QHash>
#include <QStringDecoder>

#include <memory>

namespace {

QByteArray encodingName(int codePage)
{
    switch (codePage) {
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    case 10000:
        return "macintosh";
    case 10007:
        return "x-mac-cyrillic";
    case 65001:
        return "UTF-8";
    case 437:
    case 850:
    case 852:
    case 866:
        return "IBM" + QByteArray::number(codePage);
    case 874:
        return "windows-874";
    default:
        return "windows-" + QByteArray::number(codePage);
    }
}

bool isDoubleByteCodePage(int codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

} // namespace

int RtfCodePage::codePageOfCharset(int charset)
{
    switch (charset) {
    case 0:
        return 1252;
    case 1:
        return -1;
    case 2:
        return 1252; // the names of symbol fonts; their text: codePageOfSymbolFont
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return -1;
    }
}

int RtfCodePage::codePageOfSymbolFont(const QString& name)
{
    return name.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0 ? SymbolFontPage : FontIndexedPage;
}

const RtfCodePage& RtfCodePage::forCodePage(int codePage)
{
    // Only code pages that exist are kept, so that damaged input naming many numbers does
    // not fill the cache.
    static QHash<int, std::shared_ptr<RtfCodePage>> cache;
    if (codePage <= 0 || codePage > 65535)
        codePage = 1252;
    if (auto found = cache.constFind(codePage); found != cache.cend())
        return **found;
    auto page = std::shared_ptr<RtfCodePage>(new RtfCodePage(codePage));
    if (page->m_encodingName.isEmpty() && codePage != 1252)
        return forCodePage(1252);
    cache.insert(codePage, page);
    return *page;
}

RtfCodePage::RtfCodePage(int codePage) : m_codePage(codePage), m_doubleByte(isDoubleByteCodePage(codePage))
{
    for (int byte = 0; byte < 0x80; ++byte)
        m_table[byte] = char16_t(byte);
    for (int byte = 0x80; byte < 0x100; ++byte)
        m_table[byte] = 0xFFFD;
    if (isSymbolFont()) {
        for (int byte = 0; byte < 0x100; ++byte)
            m_table[byte] = codePage == SymbolFontPage
                                ? RtfSymbolEncoding::decode(static_cast<unsigned char>(byte))
                                : char16_t(FontIndexedPage + byte);
        m_encodingName = "symbol";
        return;
    }
    if (codePage == 65001) {
        // UTF-8 bytes are gathered by the reader like double-byte text; single bytes stay unknown.
        m_encodingName = "UTF-8";
        return;
    }
    QStringDecoder decoder(encodingName(codePage).constData());
    if (!decoder.isValid())
        return;
    m_encodingName = encodingName(codePage);
    if (m_doubleByte) {
        for (int byte = 0x81; byte < 0xFF; ++byte)
            m_lead[byte] = codePage == 932 ? (byte <= 0x9F || byte >= 0xE0) : true;
    }
    for (int byte = 0x80; byte < 0x100; ++byte) {
        if (m_lead[byte])
            continue;
        const char single = char(byte);
        QStringDecoder one(m_encodingName.constData(), QStringDecoder::Flag::Stateless);
        const QString text = one.decode(QByteArrayView(&single, 1));
        if (text.size() == 1)
            m_table[byte] = text.at(0).unicode();
    }
}

void RtfCodePage::decodePair(unsigned char lead, unsigned char trail, QString& out) const
{
    const char bytes[2] = {char(lead), char(trail)};
    QStringDecoder decoder(m_encodingName.constData(), QStringDecoder::Flag::Stateless);
    out += decoder.decode(QByteArrayView(bytes, 2));
}

unsigned char RtfCodePage::encode1250(char16_t character)
{
    static const std::unique_ptr<std::array<unsigned char, 0x10000>> table = [] {
        auto result = std::make_unique<std::array<unsigned char, 0x10000>>();
        result->fill(0);
        const RtfCodePage& page = forCodePage(1250);
        for (int byte = 0x80; byte < 0x100; ++byte) {
            if (page.m_table[byte] != 0xFFFD)
                (*result)[page.m_table[byte]] = static_cast<unsigned char>(byte);
        }
        for (int byte = 0; byte < 0x80; ++byte)
            (*result)[byte] = static_cast<unsigned char>(byte);
        return result;
    }();
    return (*table)[character];
}
