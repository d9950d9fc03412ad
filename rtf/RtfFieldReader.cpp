#include "rtf/RtfFieldReader.h"

#include "rtf/RtfCodePage.h"
#include "rtf/RtfDocumentBuilder.h"
#include "rtf/RtfField.h"
#include "rtf/RtfTextDecoder.h"

#include <algorithm>

namespace {

constexpr int SymbolCharset = 2;

} // namespace

void RtfFieldReader::start(std::size_t depth)
{
    m_builder.flushRun();
    m_fields.push_back(Field{depth, {}, m_builder.contentAdded()});
}

void RtfFieldReader::startResult(CharState& chars)
{
    if (m_fields.empty())
        return;
    const RtfField field = RtfField::parse(m_fields.back().instruction);
    if (const QString target = field.linkTarget(); !target.isEmpty()) {
        m_tables.linkTargets.append(target);
        chars.link = int(m_tables.linkTargets.size() - 1);
    }
    if (field.computesResult())
        chars.field = keepInstruction(m_fields.back().instruction);
}

void RtfFieldReader::finish(const GroupState& group, Ending ending)
{
    if (ending == Ending::Complete)
        showResult(m_fields.back(), group);
    m_fields.pop_back();
}

void RtfFieldReader::showResult(const Field& field, const GroupState& group)
{
    if (m_builder.contentAdded() != field.contentBefore || group.destination != Destination::Body)
        return;
    const RtfField parsed = RtfField::parse(field.instruction);
    CharState chars = group.chars;
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
    chars.field = keepInstruction(field.instruction);
    m_decoder.dropLeadByte();
    for (QChar character : std::as_const(result))
        m_builder.appendCharacter(character.unicode(), chars, group.para);
}

// Returns the instruction's number for CharState::field.
int RtfFieldReader::keepInstruction(const QString& instruction)
{
    m_tables.fieldInstructions.append(instruction.trimmed());
    return int(m_tables.fieldInstructions.size() - 1);
}

// The character of a SYMBOL field, in the font (\f) and size (\s, points) it names: a
// byte of the font's code page, or with \u a Unicode character. A byte of a symbol font
// other than Symbol (Wingdings ...) is the character of its code, as LibreOffice reads it:
// where the font is missing a regular font shows that character, where it is installed Qt
// draws the font's own picture for it.
QString RtfFieldReader::symbolOf(const RtfField& field, CharState& chars)
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
    const RtfCodePage& page = RtfCodePage::forCodePage(fontPage > 0 ? fontPage : m_decoder.ansiCodePage());
    if (!field.switches.contains(QStringLiteral("\\u")) && code <= 0xFF)
        return QString(QChar(page.codePage() == RtfCodePage::FontIndexedPage
                                 ? char16_t(code)
                                 : page.decode(static_cast<unsigned char>(code))));
    // The Symbol font's own numbering (U+F000 + byte) means the character the byte shows.
    if (code >= RtfCodePage::FontIndexedPage && code <= RtfCodePage::FontIndexedPage + 0xFF &&
        page.isSymbolFont())
        return QString(QChar(page.decode(static_cast<unsigned char>(code - RtfCodePage::FontIndexedPage))));
    return QString(QChar(char16_t(code)));
}

// The number of the font of a name, added to the table when the table has none: a font
// known to hold symbols is of the symbol character set.
int RtfFieldReader::fontNamed(const QString& name)
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
    m_decoder.forgetPage();
    return number;
}
