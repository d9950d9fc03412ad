#include "rtf/RtfCharacterWriter.h"

#include "format/TextFormatProperties.h"
#include "rtf/RtfOutput.h"
#include "rtf/RtfScript.h"
#include "rtf/RtfWriterTables.h"

#include <QTextCharFormat>

#include <algorithm>

using namespace TextFormatProperties;

RtfCharacterWriter::RtfCharacterWriter(RtfWriterTables& tables, RtfOutput& out, int defaultSize)
    : m_tables(tables), m_out(out), m_defaultSize(defaultSize)
{
}

RtfCharacterWriter::Chars RtfCharacterWriter::charsOf(const QTextCharFormat& format)
{
    Chars chars;
    chars.font = m_tables.fontIndex(format);
    const int size = charSize(format);
    chars.size = std::clamp((size > 0 ? size : m_defaultSize) / 10, 1, 3276);
    chars.bold = format.fontWeight() >= QFont::DemiBold;
    chars.italic = format.fontItalic();
    chars.underline = format.fontUnderline();
    chars.strike = format.fontStrikeOut();
    chars.protect = format.boolProperty(CharProtected);
    chars.hidden = charHidden(format);
    chars.language = charLanguage(format);
    chars.noProof = charNoProof(format);
    if (!charAutoColor(format) && format.foreground().style() != Qt::NoBrush)
        chars.foreground = m_tables.colorIndex(format.foreground().color());
    if (!charAutoBackColor(format) && format.background().style() != Qt::NoBrush)
        chars.background = m_tables.colorIndex(format.background().color());
    if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        chars.script = RtfScriptPosition::Subscript;
    else if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        chars.script = RtfScriptPosition::Superscript;
    chars.up = charOffset(format) / 10;
    return chars;
}

RtfCharacterWriter::Chars RtfCharacterWriter::forText(Chars chars, int charset, QStringView text)
{
    bool asian = false;
    for (const QChar character : text) {
        // Below Hebrew every character is Latin or a space.
        if (character.unicode() < 0x0590)
            continue;
        switch (rtfScriptClassOf(character.unicode())) {
        case RtfScriptClass::Asian:
            asian = true;
            break;
        case RtfScriptClass::Complex:
            chars.complex = true;
            break;
        case RtfScriptClass::Weak:
        case RtfScriptClass::Latin:
            break;
        }
    }
    // Shift-JIS, Hangul, Johab, GB2312 and Big5.
    chars.eastAsian =
        asian && (charset == 128 || charset == 129 || charset == 130 || charset == 134 || charset == 136);
    // Hebrew, Arabic and Thai.
    chars.complexFont = chars.complex && (charset == 177 || charset == 178 || charset == 222);
    return chars;
}

void RtfCharacterWriter::write(const Chars& chars)
{
    if (m_written && chars == m_chars)
        return;
    // LibreOffice drops the rest of a paragraph when a sub- or superscript run
    // is ended by \plain alone; \nosupersub first keeps the text.
    if (m_written && m_chars.script != RtfScriptPosition::Normal && chars.script != m_chars.script)
        m_out.put("\\nosupersub");
    m_chars = chars;
    m_written = true;
    m_out.put("\\plain");
    // Readers take \af and \afs after \rtlch as the font and size of complex-script text
    // and \af after \dbch as the font of East Asian text; \ltrch and \loch turn the words
    // that follow back to Latin text. A complex-script run always gets its size: readers
    // give such text a size of its own otherwise.
    if (chars.complex) {
        m_out.put("\\rtlch");
        if (chars.complexFont)
            m_out.putWord("\\af", chars.font);
        m_out.putWord("\\afs", chars.size);
        m_out.put("\\ltrch");
    }
    if (chars.eastAsian) {
        m_out.putWord("\\dbch\\af", chars.font);
        m_out.put("\\loch");
    }
    m_out.putWord("\\f", chars.font);
    m_out.putWord("\\fs", chars.size);
    if (chars.bold)
        m_out.put("\\b");
    if (chars.italic)
        m_out.put("\\i");
    if (chars.underline)
        m_out.put("\\ul");
    if (chars.strike)
        m_out.put("\\strike");
    if (chars.foreground)
        m_out.putWord("\\cf", chars.foreground);
    // LibreOffice shows \chcbpat as the background of the text (and exports it as such);
    // \highlight is what WordPad and the rich edit control read.
    if (chars.background) {
        m_out.putWord("\\chcbpat", chars.background);
        m_out.putWord("\\highlight", chars.background);
    }
    switch (chars.script) {
    case RtfScriptPosition::Normal:
        break;
    case RtfScriptPosition::Subscript:
        m_out.put("\\sub");
        break;
    case RtfScriptPosition::Superscript:
        m_out.put("\\super");
        break;
    }
    if (chars.up > 0)
        m_out.putWord("\\up", chars.up);
    else if (chars.up < 0)
        m_out.putWord("\\dn", -chars.up);
    if (chars.protect)
        m_out.put("\\protect");
    if (chars.hidden)
        m_out.put("\\v");
    if (chars.language)
        m_out.putWord("\\lang", chars.language);
    if (chars.noProof)
        m_out.put("\\noproof");
    m_out.put(' ');
}

void RtfCharacterWriter::endParagraph()
{
    // LibreOffice loses a sub- or superscript run that is still open at the
    // paragraph's end, and the paragraph break with it.
    if (m_written && m_chars.script != RtfScriptPosition::Normal)
        m_out.put("\\nosupersub");
}

void RtfCharacterWriter::enterGroup()
{
    m_charsOutside = m_chars;
    m_writtenOutside = m_written;
}

void RtfCharacterWriter::leaveGroup()
{
    m_chars = m_charsOutside;
    m_written = m_writtenOutside;
}
