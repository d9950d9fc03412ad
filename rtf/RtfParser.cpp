#include "rtf/RtfParser.h"

#include <algorithm>

namespace {

// Groups deeper than this do not get a state of their own; they are still counted.
constexpr std::size_t MaxDepth = 512;

} // namespace

RtfParser::RtfParser(QTextCursor cursor) : m_builder(std::move(cursor), m_tables)
{
}

bool RtfParser::detect(const char* data, qsizetype size, qsizetype& consumed)
{
    static constexpr char Signature[] = "{\\rtf";
    static constexpr qsizetype SignatureLength = sizeof(Signature) - 1;
    consumed = 0;
    while (consumed < size && m_head.size() < SignatureLength) {
        const char c = data[consumed];
        if (m_head.isEmpty() && (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\0')) {
            ++consumed;
            continue;
        }
        m_head.append(c);
        ++consumed;
        if (Signature[m_head.size() - 1] != c) {
            m_detection = Detection::NotRtf;
            m_error = QStringLiteral("The data is not RTF: it does not begin with {\\rtf.");
            return false;
        }
    }
    if (m_head.size() == SignatureLength) {
        m_detection = Detection::Rtf;
        m_builder.begin();
        m_tokenizer.feed(m_head.constData(), m_head.size());
    }
    return true;
}

bool RtfParser::feed(const char* data, qsizetype size)
{
    if (m_detection == Detection::NotRtf || m_finished)
        return m_detection != Detection::NotRtf;
    if (m_detection == Detection::Undecided) {
        qsizetype consumed = 0;
        if (!detect(data, size, consumed))
            return false;
        data += consumed;
        size -= consumed;
    }
    if (m_detection == Detection::Rtf && size > 0)
        m_tokenizer.feed(data, size);
    return true;
}

bool RtfParser::finish()
{
    if (m_finished)
        return m_detection == Detection::Rtf;
    m_finished = true;
    if (m_detection != Detection::Rtf) {
        if (m_detection == Detection::Undecided)
            m_error = QStringLiteral("The data is not RTF: it is empty or shorter than {\\rtf.");
        m_detection = Detection::NotRtf;
        return false;
    }
    m_tokenizer.finish();
    // A truncated file leaves groups open: close them so that fields and tables end. A
    // picture or object cut off is dropped: its kept text would not be valid RTF.
    m_truncated = m_stack.size() > 1;
    m_overflowDepth = 0;
    while (m_stack.size() > 1 && !m_documentClosed)
        groupClose();
    m_builder.finish();
    return true;
}

void RtfParser::abandon()
{
    if (!m_finished && m_detection == Detection::Rtf)
        finish();
}

// Groups.

void RtfParser::groupOpen()
{
    m_skipCount = 0;
    m_starred = false;
    if (m_documentClosed)
        return;
    if (m_stack.size() >= MaxDepth) {
        ++m_overflowDepth;
        return;
    }
    m_stack.push_back(m_stack.back());
    m_stack.back().ownsCapture = false; // the capture ends with the group that started it
}

void RtfParser::groupClose()
{
    m_skipCount = 0;
    m_starred = false;
    if (m_documentClosed)
        return;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    if (m_stack.size() <= 1)
        return; // an extra closing brace
    if (m_stack.size() == 2) {
        if (!m_pendingDrawings.isEmpty()) {
            m_builder.endParagraph(RtfDocumentBuilder::ParagraphEnd::Break, top().para, top().chars);
            replayDrawings();
        }
        m_builder.endText(top().para);
    }
    GroupState closed = std::move(m_stack.back());
    m_stack.pop_back();
    if (!(closed.chars == top().chars))
        m_decoder.dropLeadByte();
    const QByteArray captured = closed.ownsCapture ? m_reading->takeCapture() : QByteArray();
    closeDestination(closed, captured);
    while (m_fields.hasEnded(m_stack.size()))
        m_fields.finish(top(),
                        m_truncated ? RtfFieldReader::Ending::Truncated : RtfFieldReader::Ending::Complete);
    m_pictures.closeGroup(m_stack.size());
    if (m_stack.size() == 1)
        m_documentClosed = true; // text after the document's closing brace is not part of it
}

void RtfParser::closeDestination(const GroupState& closed, const QByteArray& captured)
{
    if (closed.destination == Destination::FontTable) {
        m_fonts.commit();
        return;
    }
    if (closed.destination == top().destination)
        return;
    switch (closed.destination) {
    case Destination::Picture:
        if (!m_truncated)
            m_pictures.finishPicture(captured, top());
        break;
    case Destination::Object:
        if (!m_truncated)
            m_pictures.finishObject(captured, top());
        break;
    case Destination::Shape:
        if (!m_truncated)
            m_pictures.finishShape(captured, top());
        break;
    case Destination::List:
        m_lists.finishList();
        break;
    case Destination::LevelText:
        m_lists.finishLevelText(captured);
        break;
    case Destination::ListOverride:
        m_lists.finishOverride();
        break;
    case Destination::Pn:
        top().para.pn = closed.para.pn;
        break;
    case Destination::PnText:
        m_lists.finishPnText(top().para.pn);
        break;
    case Destination::ColorTable:
        m_colors.finish();
        break;
    case Destination::Note:
        if (!m_truncated)
            m_notes.finishNote(captured, top().para);
        break;
    case Destination::Drawing:
        finishDrawing(captured);
        break;
    case Destination::Body:
    case Destination::Skip:
    case Destination::FontTable:
    case Destination::FieldInstruction:
    case Destination::ObjectResult:
    case Destination::ListTable:
    case Destination::ListLevel:
    case Destination::ListOverrideTable:
    case Destination::ShapeProperty:
    case Destination::PropertyName:
    case Destination::PropertyValue:
        break;
    }
}

// Control symbols.

void RtfParser::controlSymbol(char symbol)
{
    if (m_skipCount > 0) {
        --m_skipCount;
        return;
    }
    if (m_documentClosed)
        return;
    if (symbol == '*') {
        m_starred = true;
        return;
    }
    m_starred = false;
    char16_t character = 0;
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        character = char16_t(symbol);
        break;
    case '~':
        character = 0x00A0;
        break;
    case '-':
        character = 0x00AD;
        break;
    case '_':
        character = 0x2011;
        break;
    case '\t':
        character = u'\t';
        break;
    default:
        return;
    }
    emitCharacter(character);
}

// Text.

bool RtfParser::isTextDestination() const
{
    switch (m_stack.back().destination) {
    case Destination::Body:
    case Destination::FieldInstruction:
    case Destination::PnText:
        return true;
    case Destination::Skip:
    case Destination::Note:
    case Destination::Drawing:
    case Destination::FontTable:
    case Destination::ColorTable:
    case Destination::Picture:
    case Destination::Object:
    case Destination::ObjectResult:
    case Destination::ListTable:
    case Destination::List:
    case Destination::ListLevel:
    case Destination::LevelText:
    case Destination::ListOverrideTable:
    case Destination::ListOverride:
    case Destination::Pn:
    case Destination::Shape:
    case Destination::ShapeProperty:
    case Destination::PropertyName:
    case Destination::PropertyValue:
        return false;
    }
    return false;
}

void RtfParser::hexByte(unsigned char byte)
{
    if (m_skipCount > 0) {
        --m_skipCount;
        return;
    }
    m_starred = false;
    if (m_documentClosed)
        return;
    if (top().destination == Destination::FontTable)
        m_fonts.appendByte(char(byte));
    else if (isTextDestination())
        decodeByte(byte);
}

// Word writes a bad escape as the fallback of a \uN now and then ("\u345\'9"); LibreOffice
// takes it as the character skipped, and so the text after it is kept.
void RtfParser::badHexEscape()
{
    if (m_skipCount > 0)
        --m_skipCount;
}

void RtfParser::text(const char* data, qsizetype size)
{
    m_starred = false;
    if (m_skipCount > 0) {
        const qsizetype skipped = std::min<qsizetype>(m_skipCount, size);
        m_skipCount -= int(skipped);
        data += skipped;
        size -= skipped;
        if (size == 0)
            return;
    }
    if (m_documentClosed)
        return;
    switch (top().destination) {
    case Destination::Body: {
        if (codePage().isSymbolFont()) {
            for (qsizetype index = 0; index < size; ++index)
                decodeByte(static_cast<unsigned char>(data[index]));
            return;
        }
        const GroupState& group = top();
        qsizetype index = 0;
        while (index < size) {
            qsizetype end = index;
            while (end < size && ((data[end] >= 0x20 && data[end] < 0x7F) || data[end] == '\t'))
                ++end;
            if (end > index) {
                m_decoder.dropLeadByte();
                m_builder.appendLatin1(data + index, end - index, group.chars, group.para);
                index = end;
                continue;
            }
            if (data[index] != '\0')
                decodeByte(static_cast<unsigned char>(data[index]));
            ++index;
        }
        return;
    }
    case Destination::FieldInstruction:
    case Destination::PnText:
        for (qsizetype index = 0; index < size; ++index)
            decodeByte(static_cast<unsigned char>(data[index]));
        return;
    case Destination::FontTable:
        m_fonts.appendText(data, size);
        return;
    case Destination::ColorTable:
        m_colors.appendText(data, size);
        return;
    case Destination::Picture:
        m_pictures.appendHex(data, size);
        return;
    case Destination::PropertyName:
        m_pictures.appendPropertyName(data, size);
        return;
    case Destination::Skip:
    case Destination::Note:
    case Destination::Drawing:
    case Destination::Object:
    case Destination::ObjectResult:
    case Destination::ListTable:
    case Destination::List:
    case Destination::ListLevel:
    case Destination::LevelText:
    case Destination::ListOverrideTable:
    case Destination::ListOverride:
    case Destination::Pn:
    case Destination::Shape:
    case Destination::ShapeProperty:
    case Destination::PropertyValue:
        return;
    }
}

void RtfParser::binary(const char* data, qsizetype size)
{
    if (m_skipBinary || m_documentClosed)
        return;
    if (top().destination == Destination::Picture)
        m_pictures.appendBinary(data, size);
}

// A character of text, to where the current destination keeps text.
void RtfParser::emitCharacter(char16_t character)
{
    switch (top().destination) {
    case Destination::Body:
        appendCharacter(character);
        return;
    case Destination::FieldInstruction:
        m_fields.appendInstruction(character);
        return;
    case Destination::PnText:
        m_lists.appendPnText(character);
        return;
    case Destination::FontTable:
        m_fonts.appendCharacter(character);
        return;
    case Destination::Skip:
    case Destination::Note:
    case Destination::Drawing:
    case Destination::ColorTable:
    case Destination::Picture:
    case Destination::Object:
    case Destination::ObjectResult:
    case Destination::ListTable:
    case Destination::List:
    case Destination::ListLevel:
    case Destination::LevelText:
    case Destination::ListOverrideTable:
    case Destination::ListOverride:
    case Destination::Pn:
    case Destination::Shape:
    case Destination::ShapeProperty:
    case Destination::PropertyName:
    case Destination::PropertyValue:
        return;
    }
}
