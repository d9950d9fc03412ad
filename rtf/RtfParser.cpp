#include "rtf/RtfParser.h"

#include "rtf/RtfCodePage.h"

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
        m_decoding.leadByte = -1;
    const QByteArray captured = closed.ownsCapture ? m_reading->takeCapture() : QByteArray();
    closeDestination(closed, captured);
    while (!m_fields.empty() && m_fields.back().depth > m_stack.size()) {
        finishField(m_fields.back());
        m_fields.pop_back();
    }
    while (!m_shapes.empty() && m_shapes.back().depth > m_stack.size())
        m_shapes.pop_back();
    if (m_stack.size() == 1)
        m_documentClosed = true; // text after the document's closing brace is not part of it
}

void RtfParser::closeDestination(const GroupState& closed, const QByteArray& captured)
{
    if (closed.destination == Destination::FontTable) {
        commitFont();
        return;
    }
    if (closed.destination == top().destination)
        return;
    switch (closed.destination) {
    case Destination::Picture:
        finishPicture(captured);
        break;
    case Destination::Object:
        finishObject(captured);
        break;
    case Destination::Shape:
        finishShape(captured);
        break;
    case Destination::List:
        if (m_list.id != 0)
            m_tables.listDefinitions.insert(m_list.id, m_list.levels);
        m_list = PendingList();
        break;
    case Destination::LevelText:
        if (!m_list.levels.isEmpty())
            m_list.levels.last().levelText = levelTextOf(captured);
        break;
    case Destination::ListOverride:
        if (m_override.index != 0)
            m_tables.listOverrides.insert(m_override.index, m_override.list);
        break;
    case Destination::Pn:
        top().para.pn = closed.para.pn;
        break;
    case Destination::PnText:
        closePnText();
        break;
    case Destination::ColorTable:
        m_colorTableRead = true;
        break;
    case Destination::Note:
        finishNote(captured);
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

// Control words and symbols.

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
        applyColorWord(word.as<RtfColorWord>(), parameter);
        return;
    case RtfWordGroup::Character:
        if (isTextDestination())
            applyCharacterWord(word.as<RtfCharacterWord>(), parameter, hasParameter);
        return;
    case RtfWordGroup::Paragraph:
        if (isTextDestination())
            applyParagraphWord(word.as<RtfParagraphWord>(), parameter, hasParameter);
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
        applyPictureWord(word.as<RtfPictureWord>(), parameter);
        return;
    case RtfWordGroup::Shape:
        applyShapeWord(word.as<RtfShapeWord>(), parameter);
        return;
    }
}

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
        m_font.bytes.append(char(byte));
    else if (isTextDestination())
        decodeByte(byte);
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
                m_decoding.leadByte = -1;
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
        for (qsizetype index = 0; index < size; ++index) {
            if (data[index] == ';')
                commitFont();
            else
                m_font.bytes.append(data[index]);
        }
        return;
    case Destination::ColorTable:
        for (qsizetype index = 0; index < size; ++index) {
            if (data[index] == ';')
                commitColor();
        }
        return;
    case Destination::Picture:
        m_picture.appendHex(data, size);
        return;
    case Destination::PropertyName:
        if (m_propertyName.size() < 64)
            m_propertyName.append(data, std::min<qsizetype>(size, 64));
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
        m_picture.data.append(data, size);
}

const RtfCodePage& RtfParser::codePage()
{
    const int font = top().chars.codePageFont >= 0 ? top().chars.codePageFont : m_tables.defaultFont;
    if (m_decoding.page && m_decoding.pageFont == font)
        return *m_decoding.page;
    int page = m_decoding.ansiCodePage;
    if (const auto found = m_tables.fonts.constFind(font);
        found != m_tables.fonts.cend() && found->codePage > 0)
        page = found->codePage;
    m_decoding.page = &RtfCodePage::forCodePage(page);
    m_decoding.pageFont = font;
    return *m_decoding.page;
}

void RtfParser::decodeByte(unsigned char byte)
{
    const RtfCodePage& page = codePage();
    if (page.codePage() != 65001 && m_decoding.leadByte < 0 && !page.isLeadByte(byte)) {
        emitCharacter(page.decode(byte));
        return;
    }
    QString decoded;
    if (page.codePage() == 65001) {
        if (!m_decoding.utf8)
            m_decoding.utf8 = std::make_unique<QStringDecoder>(QStringDecoder::Utf8);
        const char single = char(byte);
        decoded = m_decoding.utf8->decode(QByteArrayView(&single, 1));
    } else if (m_decoding.leadByte >= 0) {
        page.decodePair(static_cast<unsigned char>(m_decoding.leadByte), byte, decoded);
        m_decoding.leadByte = -1;
    } else {
        m_decoding.leadByte = byte;
        return;
    }
    for (QChar character : std::as_const(decoded))
        emitCharacter(character.unicode());
}

// A character of text, to where the current destination keeps text.
void RtfParser::emitCharacter(char16_t character)
{
    switch (top().destination) {
    case Destination::Body:
        appendCharacter(character);
        return;
    case Destination::FieldInstruction:
        if (!m_fields.empty())
            m_fields.back().instruction += QChar(character);
        return;
    case Destination::PnText:
        m_pnText.text += QChar(character);
        return;
    case Destination::FontTable:
        decodeFontName();
        m_font.text += QChar(character);
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
