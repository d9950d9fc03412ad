// Control words, handed on by their group.

#include "rtf/RtfParser.h"

#include "rtf/RtfCodePage.h"
#include "rtf/RtfField.h"
#include "rtf/RtfFormatWords.h"

#include <algorithm>

void RtfParser::controlWord(std::string_view name, bool hasParameter, int parameter)
{
    const RtfControlWord word = rtfControlWord(name);
    // \bin starts binary data wherever it stands, so that the data is never read as RTF.
    const bool binary = word.group == RtfWordGroup::Binary;
    if (m_skipCount > 0) {
        --m_skipCount;
        if (binary) {
            m_skipBinary = true;
            m_reading->startBinary(parameter);
        }
        return;
    }
    const bool starred = std::exchange(m_starred, false);
    if (binary) {
        m_skipBinary = top().destination != Destination::Picture;
        m_reading->startBinary(hasParameter ? parameter : 0);
        return;
    }
    if (m_documentClosed || top().destination == Destination::Skip || top().destination == Destination::Note)
        return;
    if (top().destination == Destination::Drawing) {
        // Of a drawing object only the text box is read.
        if (word.group == RtfWordGroup::Destination &&
            word.as<RtfDestinationWord>() == RtfDestinationWord::DrawingText)
            applyDestinationWord(RtfDestinationWord::DrawingText);
        return;
    }
    if (m_overflowDepth > 0 && !word.producesContent())
        return;
    if (starred) {
        // An ignorable destination is read when the reader knows it, else skipped.
        if (word.group != RtfWordGroup::Destination || !applyDestinationWord(word.as<RtfDestinationWord>()))
            top().destination = Destination::Skip;
        return;
    }
    switch (word.group) {
    case RtfWordGroup::Unknown:
    case RtfWordGroup::Binary: // started above
        return;
    case RtfWordGroup::Document:
        applyDocumentWord(word.as<RtfDocumentWord>(), parameter);
        return;
    case RtfWordGroup::Destination:
        applyDestinationWord(word.as<RtfDestinationWord>());
        return;
    case RtfWordGroup::FontTable:
        applyFontWord(word.as<RtfFontWord>(), parameter);
        return;
    case RtfWordGroup::ColorTable:
        if (top().destination == Destination::ColorTable)
            m_colors.applyWord(word.as<RtfColorWord>(), parameter);
        return;
    case RtfWordGroup::Character:
        if (isTextDestination())
            RtfFormatWords::applyCharacterWord(top().chars, word.as<RtfCharacterWord>(), parameter,
                                               hasParameter);
        return;
    case RtfWordGroup::Paragraph:
        if (isTextDestination())
            RtfFormatWords::applyParagraphWord(top().para, word.as<RtfParagraphWord>(), parameter,
                                               hasParameter);
        return;
    case RtfWordGroup::Table:
        if (isTextDestination())
            applyTableWord(word.as<RtfTableWord>(), parameter);
        return;
    case RtfWordGroup::Content:
        applyContentWord(word.as<RtfContentWord>(), parameter, hasParameter);
        return;
    case RtfWordGroup::List:
        applyListWord(word.as<RtfListWord>(), parameter, hasParameter);
        return;
    case RtfWordGroup::Picture:
        m_pictures.applyWord(top().destination, word.as<RtfPictureWord>(), parameter);
        return;
    case RtfWordGroup::Shape:
        m_pictures.applyShapeWord(word.as<RtfShapeWord>(), parameter);
        return;
    }
}

void RtfParser::applyDocumentWord(RtfDocumentWord word, int parameter)
{
    switch (word) {
    case RtfDocumentWord::AnsiCodePage:
        if (parameter > 0)
            m_decoder.setAnsiCodePage(parameter);
        return;
    case RtfDocumentWord::Mac:
        m_decoder.setAnsiCodePage(10000);
        return;
    case RtfDocumentWord::Pc:
        m_decoder.setAnsiCodePage(437);
        return;
    case RtfDocumentWord::Pca:
        m_decoder.setAnsiCodePage(850);
        return;
    case RtfDocumentWord::DefaultFont:
        m_tables.defaultFont = parameter;
        m_decoder.forgetPage();
        return;
    case RtfDocumentWord::DefaultLanguage:
        m_tables.defaultLanguage = std::max(parameter, 0);
        return;
    case RtfDocumentWord::UnicodeSkip:
        top().unicodeSkip = std::clamp(parameter, 0, 16);
        return;
    }
}

void RtfParser::applyFontWord(RtfFontWord word, int parameter)
{
    if (top().destination == Destination::FontTable) {
        m_fonts.applyWord(word, parameter);
        return;
    }
    // In text, \f selects a font of the table, whose code page decodes the bytes that
    // follow.
    if (word == RtfFontWord::Font && isTextDestination()) {
        RtfFormatWords::setRunFont(top().chars, parameter);
        top().chars.codePageFont = parameter;
    }
}

void RtfParser::applyTableWord(RtfTableWord word, int parameter)
{
    switch (word) {
    case RtfTableWord::RowDefaults:
        m_builder.clearCellBoundaries();
        break;
    case RtfTableWord::CellBoundary:
        m_builder.addCellBoundary(parameter);
        break;
    }
}

void RtfParser::applyContentWord(RtfContentWord word, int parameter, bool hasParameter)
{
    // \u gives a character to whatever destination keeps text; the other words add to
    // the body only.
    if (word == RtfContentWord::Unicode) {
        if (hasParameter)
            applyUnicodeWord(parameter);
        return;
    }
    if (top().destination != Destination::Body)
        return;
    switch (word) {
    case RtfContentWord::Par:
    case RtfContentWord::NestedRow:
        endParagraph(RtfDocumentBuilder::ParagraphEnd::Break);
        return;
    case RtfContentWord::Page:
        endParagraph(RtfDocumentBuilder::ParagraphEnd::PageBreak);
        return;
    case RtfContentWord::Line:
        appendCharacter(QChar::LineSeparator);
        return;
    case RtfContentWord::Tab:
    case RtfContentWord::NestedCell:
        appendCharacter(u'\t');
        return;
    case RtfContentWord::Cell:
        top().para.inTable = true; // \cell ends a cell even where \intbl was forgotten
        m_builder.endCell(top().para);
        return;
    case RtfContentWord::Row:
        m_builder.endRow();
        return;
    case RtfContentWord::FootnoteNumber:
        m_notes.appendAutomaticMark(top());
        return;
    case RtfContentWord::PageNumber:
        appendText(RtfField::valueOf(RtfField::Kind::PageNumber));
        return;
    case RtfContentWord::CurrentDate:
        appendText(RtfField::valueOf(RtfField::Kind::Date));
        return;
    case RtfContentWord::CurrentTime:
        appendText(RtfField::valueOf(RtfField::Kind::Time));
        return;
    case RtfContentWord::Unicode: // read above
        return;
    case RtfContentWord::EmDash:
    case RtfContentWord::EnDash:
    case RtfContentWord::Bullet:
    case RtfContentWord::LeftQuote:
    case RtfContentWord::RightQuote:
    case RtfContentWord::LeftDoubleQuote:
    case RtfContentWord::RightDoubleQuote:
    case RtfContentWord::EmSpace:
    case RtfContentWord::EnSpace:
    case RtfContentWord::QuarterSpace:
    case RtfContentWord::ZeroWidthJoiner:
    case RtfContentWord::ZeroWidthNonJoiner:
    case RtfContentWord::LeftToRightMark:
    case RtfContentWord::RightToLeftMark:
        appendCharacter(rtfSpecialCharacter(word));
        return;
    }
}

// \uN, followed by as many replacement characters as \uc says.
void RtfParser::applyUnicodeWord(int parameter)
{
    int value = parameter < 0 ? parameter + 65536 : parameter;
    // The Symbol font's own numbering (U+F000 + byte) means the character the byte shows.
    if (value >= RtfCodePage::FontIndexedPage && value <= RtfCodePage::FontIndexedPage + 0xFF &&
        codePage().codePage() == RtfCodePage::SymbolFontPage)
        value = codePage().decode(static_cast<unsigned char>(value - RtfCodePage::FontIndexedPage));
    m_decoder.dropLeadByte();
    if (value > 0 && value <= 0xFFFF) {
        emitCharacter(char16_t(value));
    } else if (value > 0xFFFF && value <= 0x10FFFF) {
        emitCharacter(QChar::highSurrogate(char32_t(value)));
        emitCharacter(QChar::lowSurrogate(char32_t(value)));
    }
    m_skipCount = top().unicodeSkip;
}

void RtfParser::applyListWord(RtfListWord word, int parameter, bool hasParameter)
{
    if (isTextDestination()) {
        // In text only \ls counts: the list of the paragraph.
        if (word == RtfListWord::ListOverrideIndex)
            top().para.listOverride = parameter;
        return;
    }
    if (top().destination == Destination::Pn) {
        RtfListReader::applyPnWord(top().para.pn, word, parameter, hasParameter);
        return;
    }
    m_lists.applyTableWord(top().destination, word, parameter);
}
