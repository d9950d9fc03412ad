#include "rtf/RtfFontTableReader.h"

#include "rtf/RtfCodePage.h"
#include "rtf/RtfReaderState.h"
#include "rtf/RtfTextDecoder.h"

#include <algorithm>

namespace {

constexpr int SymbolCharset = 2;

} // namespace

void RtfFontTableReader::applyWord(RtfFontWord word, int parameter)
{
    switch (word) {
    case RtfFontWord::Font:
        if (!m_font.bytes.trimmed().isEmpty() || !m_font.text.trimmed().isEmpty())
            commit();
        m_font = PendingFont();
        m_font.number = parameter;
        break;
    case RtfFontWord::Charset:
        m_font.charset = std::clamp(parameter, 0, 255);
        break;
    case RtfFontWord::CodePage:
        m_font.codePage = parameter > 0 ? parameter : -1;
        break;
    }
}

void RtfFontTableReader::appendText(const char* data, qsizetype size)
{
    for (qsizetype index = 0; index < size; ++index) {
        if (data[index] == ';')
            commit();
        else
            m_font.bytes.append(data[index]);
    }
}

void RtfFontTableReader::appendCharacter(char16_t character)
{
    decodeName();
    m_font.text += QChar(character);
}

// The bytes of a font's name so far, in the font's code page, to its name's text.
void RtfFontTableReader::decodeName()
{
    const int fontCodePage =
        m_font.codePage > 0 ? m_font.codePage : RtfCodePage::codePageOfCharset(m_font.charset);
    const RtfCodePage& page =
        RtfCodePage::forCodePage(fontCodePage > 0 ? fontCodePage : m_decoder.ansiCodePage());
    const QByteArray& bytes = m_font.bytes;
    for (qsizetype index = 0; index < bytes.size(); ++index) {
        const auto byte = static_cast<unsigned char>(bytes.at(index));
        if (page.isLeadByte(byte) && index + 1 < bytes.size()) {
            page.decodePair(byte, static_cast<unsigned char>(bytes.at(++index)), m_font.text);
            continue;
        }
        m_font.text += QChar(page.decode(byte));
    }
    m_font.bytes.clear();
}

void RtfFontTableReader::commit()
{
    decodeName();
    if (m_font.number >= 0 && !m_tables.fonts.contains(m_font.number)) {
        FontDefinition font;
        font.charset = m_font.charset;
        font.name = m_font.text.trimmed();
        if (m_font.charset == SymbolCharset)
            font.codePage = RtfCodePage::codePageOfSymbolFont(font.name);
        else
            font.codePage =
                m_font.codePage > 0 ? m_font.codePage : RtfCodePage::codePageOfCharset(m_font.charset);
        m_tables.fonts.insert(m_font.number, font);
    }
    m_font.text.clear();
    m_font.number = -1;
    m_decoder.forgetPage();
}
