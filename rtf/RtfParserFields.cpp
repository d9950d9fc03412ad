// Fields that the reader gives a result, footnotes and endnotes, and the text boxes of old
// drawing objects.

#include "rtf/RtfParser.h"

#include "rtf/RtfCodePage.h"
#include "rtf/RtfField.h"
#include "rtf/RtfListNumbering.h"

#include <QScopedValueRollback>

#include <algorithm>

namespace {

constexpr int SymbolCharset = 2;

} // namespace

// Fields.

void RtfParser::finishField(const Field& field)
{
    if (m_truncated || m_builder.contentAdded() != field.contentBefore ||
        top().destination != Destination::Body)
        return;
    const RtfField parsed = RtfField::parse(field.instruction);
    CharState chars = top().chars;
    QString result;
    switch (parsed.kind) {
    case RtfField::Kind::Other:
    case RtfField::Kind::Hyperlink:
        return;
    case RtfField::Kind::Symbol:
        result = symbolOf(parsed, chars);
        break;
    case RtfField::Kind::PageNumber:
    case RtfField::Kind::PageCount:
    case RtfField::Kind::Date:
    case RtfField::Kind::Time:
        result = RtfField::valueOf(parsed.kind);
        break;
    }
    if (result.isEmpty())
        return;
    chars.field = keepFieldInstruction(field.instruction);
    m_decoding.leadByte = -1;
    for (QChar character : std::as_const(result))
        m_builder.appendCharacter(character.unicode(), chars, top().para);
}

// The result of a field that computes its value keeps its instruction, so that a save
// writes the field again; returns the instruction's number for CharState::field.
int RtfParser::keepFieldInstruction(const QString& instruction)
{
    m_tables.fieldInstructions.append(instruction.trimmed());
    return int(m_tables.fieldInstructions.size() - 1);
}

// The character of a SYMBOL field, in the font (\f) and size (\s, points) it names: a
// byte of the font's code page, or with \u a Unicode character.
QString RtfParser::symbolOf(const RtfField& field, CharState& chars)
{
    bool valid = false;
    const int code = field.arguments.value(0).toInt(&valid, 0);
    if (!valid || code <= 0 || code > 0xFFFF)
        return {};
    if (const QString font = field.switches.value(QStringLiteral("\\f")); !font.isEmpty()) {
        chars.font = fontNamed(font);
        chars.codePageFont = chars.font;
    }
    if (const int points = field.switches.value(QStringLiteral("\\s")).toInt(); points > 0)
        chars.size = std::min(points, 1638) * 2;
    const int fontNumber = chars.font >= 0 ? chars.font : m_tables.defaultFont;
    const int fontPage = m_tables.fonts.value(fontNumber).codePage;
    const RtfCodePage& page = RtfCodePage::forCodePage(fontPage > 0 ? fontPage : m_decoding.ansiCodePage);
    if (!field.switches.contains(QStringLiteral("\\u")) && code <= 0xFF)
        return QString(QChar(page.decode(static_cast<unsigned char>(code))));
    // The Symbol font's own numbering (U+F000 + byte) means the character the byte shows.
    if (code >= RtfCodePage::FontIndexedPage && code <= RtfCodePage::FontIndexedPage + 0xFF &&
        page.isSymbolFont())
        return QString(QChar(page.decode(static_cast<unsigned char>(code - RtfCodePage::FontIndexedPage))));
    return QString(QChar(char16_t(code)));
}

// The number of the font of a name, added to the table when the table has none: a font
// known to hold symbols is of the symbol character set.
int RtfParser::fontNamed(const QString& name)
{
    for (auto it = m_tables.fonts.cbegin(); it != m_tables.fonts.cend(); ++it) {
        if (it->name.compare(name, Qt::CaseInsensitive) == 0)
            return it.key();
    }
    static const QStringList symbolFonts{QStringLiteral("Symbol"),      QStringLiteral("Wingdings"),
                                         QStringLiteral("Wingdings 2"), QStringLiteral("Wingdings 3"),
                                         QStringLiteral("Webdings"),    QStringLiteral("Marlett"),
                                         QStringLiteral("ZapfDingbats")};
    FontDefinition font;
    font.name = name;
    if (symbolFonts.contains(name, Qt::CaseInsensitive)) {
        font.charset = SymbolCharset;
        font.codePage = RtfCodePage::codePageOfSymbolFont(name);
    }
    int number = 0;
    for (auto it = m_tables.fonts.cbegin(); it != m_tables.fonts.cend(); ++it)
        number = std::max(number, it.key() + 1);
    m_tables.fonts.insert(number, font);
    m_decoding.pageFont.reset();
    return number;
}

// Notes.

bool RtfParser::startKeptBodyGroup(Destination destination, QByteArrayView opening)
{
    GroupState& state = top();
    if (state.destination != Destination::Body || m_reading->isCapturing()) {
        state.destination = Destination::Skip;
        return false;
    }
    state.destination = destination;
    captureGroup(opening);
    return true;
}

void RtfParser::startNote()
{
    startKeptBodyGroup(Destination::Note, "{\\footnote ");
}

// The note becomes part of its reference mark: the automatic number just read, or else
// the character before it, the note's own mark. A note without a mark is dropped.
void RtfParser::finishNote(const QByteArray& captured)
{
    if (m_truncated || captured.isEmpty())
        return;
    const bool numbered = m_automaticMark.end == m_builder.contentAdded();
    const bool endnote = captured.contains("\\ftnalt");
    QString mark;
    if (numbered && endnote) {
        --m_footnotes; // the number was counted as a footnote's
        mark = RtfListNumbering::numberText(PFN_LCROMAN, ++m_endnotes); // i, ii, iii as usual
    }
    m_tables.notes.append({captured, numbered, m_decoding.ansiCodePage});
    const int note = int(m_tables.notes.size() - 1);
    if (!m_builder.markNote(numbered ? m_automaticMark.length : 1, note, mark, top().para))
        m_tables.notes.removeLast();
    m_automaticMark = AutomaticMark();
}

// Drawing objects.

void RtfParser::startDrawing()
{
    if (m_replayedDrawing >= 0) {
        top().destination = Destination::Drawing; // read again for its text box
        return;
    }
    startKeptBodyGroup(Destination::Drawing, "{\\*\\do ");
}

// Read for the first time, a drawing object waits for the end of its paragraph; an object
// without a text box shows nothing and is dropped.
void RtfParser::finishDrawing(const QByteArray& captured)
{
    if (!m_truncated && captured.contains("\\dptxbxtext"))
        m_pendingDrawings.append(captured);
}

void RtfParser::startDrawingText()
{
    GroupState& state = top();
    if (m_replayedDrawing < 0) {
        state.destination = Destination::Skip;
        return;
    }
    state.destination = Destination::Body;
    state.chars = CharState();
    state.para = ParaState();
    state.para.drawing = m_replayedDrawing;
}

void RtfParser::endParagraph(RtfDocumentBuilder::ParagraphEnd end)
{
    m_builder.endParagraph(end, top().para, top().chars);
    replayDrawings();
}

void RtfParser::replayDrawings()
{
    if (m_pendingDrawings.isEmpty() || m_replayedDrawing >= 0)
        return;
    const QList<QByteArray> drawings = std::exchange(m_pendingDrawings, {});
    for (const QByteArray& drawing : drawings) {
        m_tables.drawings.append(drawing);
        m_replayedDrawing = int(m_tables.drawings.size() - 1);
        const std::size_t depth = m_stack.size();
        RtfTokenizer tokenizer(*this);
        const QScopedValueRollback reading(m_reading, &tokenizer);
        tokenizer.feed(drawing.constData(), drawing.size());
        tokenizer.finish();
        while (m_stack.size() > depth)
            groupClose();
        m_replayedDrawing = -1;
    }
}
