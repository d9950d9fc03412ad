#include "rtf/RtfListTable.h"

#include "format/FormatValues.h"
#include "format/TextFormatProperties.h"
#include "rtf/ListLabels.h"
#include "rtf/RtfListNumbering.h"
#include "rtf/RtfOutput.h"

#include <QTextList>

#include <algorithm>
#include <cstring>

using namespace TextFormatProperties;

namespace {

// A numbered level's text: its number (placeholder \'0N for level N) with the characters
// the Windows numbering style puts around it.
void putLevelText(RtfOutput& out, int level, int style)
{
    const char* before = style == PFNS_PARENS ? "(" : "";
    const char* after = RtfListNumbering::afterText(style);
    const int length = 1 + int(std::strlen(before) + std::strlen(after));
    out.put("{\\leveltext\\'0");
    out.put(char('0' + length));
    out.put(before);
    out.put("\\'0");
    out.put(char('0' + level));
    out.put(after);
    out.put(";}{\\levelnumbers\\'0");
    out.put(char('1' + std::strlen(before)));
    out.put(";}");
}

// A level text kept from reading, its numbers (the characters 0..8) as \'0N with their
// positions in \levelnumbers; other characters as themselves, or \uN when not plain ASCII.
void putKeptLevelText(RtfOutput& out, const QString& text)
{
    out.put("{\\leveltext\\'");
    out.putHex(uchar(std::min<qsizetype>(text.size(), 255)));
    QByteArray positions;
    for (qsizetype i = 0; i < text.size() && i < 255; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 9) {
            out.put("\\'0");
            out.put(char('0' + c));
            positions.append(uchar(i + 1));
        } else if (c >= 0x20 && c < 0x7f && c != u'\\' && c != u'{' && c != u'}' && c != u';') {
            out.put(char(c));
        } else {
            out.putWord("\\u", int(qint16(c)));
            out.put(" ?");
        }
    }
    out.put(";}{\\levelnumbers");
    for (char position : positions) {
        out.put("\\'");
        out.putHex(uchar(position));
    }
    out.put(";}");
}

} // namespace

QByteArray RtfListTable::keyOf(const Levels& levels)
{
    QByteArray key;
    for (const Level& level : levels) {
        for (int value : {int(level.used), level.numbering, level.start, level.style, level.leftIndent,
                          level.firstIndent, int(level.legal)})
            key += QByteArray::number(value) + ',';
        key += level.levelText.toUtf8() + '|';
    }
    return key;
}

void RtfListTable::addParagraph(const QTextList* list, const QTextBlockFormat& format, Follows follows)
{
    if (const auto known = m_nestedListOf.constFind(list); known != m_nestedListOf.cend()) {
        m_current = *known;
        return;
    }
    const int level = std::clamp(intProperty(format, BlockListLevel, 0), 0, LevelCount - 1);
    const int offset = blockOffset(format);
    Level definition{true,
                     RtfListNumbering::numberingOf(format, list),
                     intProperty(format, BlockNumberingStart, 1),
                     intProperty(format, BlockNumberingStyle, PFNS_PERIOD),
                     blockStartIndent(format) + offset,
                     -offset,
                     format.stringProperty(BlockListLevelText),
                     format.boolProperty(BlockListLegal)};
    if (follows == Follows::OtherParagraph || !continuesCurrent(level, definition)) {
        m_current = int(m_nestedLists.size());
        m_nestedLists.append(Levels{});
    }
    Level& slot = m_nestedLists[m_current][level];
    if (!slot.used)
        slot = definition;
    m_nestedListOf.insert(list, m_current);
    m_levelOf.insert(list, level);
}

// A new list right after a list paragraph goes into the same nested list when it lies
// under one of its levels and its own level, if already there, numbers the same way.
bool RtfListTable::continuesCurrent(int level, const Level& definition) const
{
    if (m_current < 0)
        return false;
    const Levels& levels = m_nestedLists.at(m_current);
    const bool under =
        std::any_of(levels.begin(), levels.begin() + level, [](const Level& outer) { return outer.used; });
    return under && (!levels[level].used || levels[level].sameNumbering(definition));
}

RtfListTable::Levels RtfListTable::completed(const Levels& levels)
{
    Levels result = levels;
    const auto firstUsed = std::find_if(levels.begin(), levels.end(), [](const Level& l) { return l.used; });
    Level above = firstUsed == levels.end() ? Level{} : *firstUsed;
    for (int level = 0; level < LevelCount; ++level) {
        Level& slot = result[level];
        if (slot.used) {
            above = slot;
            continue;
        }
        slot = Level{false, above.numbering, 1, above.style, 720 * (level + 1), -360, {}};
    }
    return result;
}

void RtfListTable::writeLevel(RtfOutput& out, int level, const Level& definition)
{
    const int levelFormat = RtfListNumbering::levelFormatOf(definition.numbering);
    out.putWord("{\\listlevel\\levelnfc", levelFormat);
    out.putWord("\\levelnfcn", levelFormat);
    out.putWord("\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat", definition.start);
    if (definition.legal)
        out.put("\\levellegal1");
    if (definition.numbering == PFN_BULLET) {
        out.putWord("{\\leveltext\\'01\\u", ListLabels::bulletOf(level).unicode());
        out.put(" ?;}{\\levelnumbers;}");
    } else if (!definition.levelText.isEmpty()) {
        putKeptLevelText(out, definition.levelText);
    } else {
        putLevelText(out, level, definition.style);
    }
    out.putWord("\\fi", definition.firstIndent);
    out.putWord("\\li", definition.leftIndent);
    out.put('}');
}

void RtfListTable::write(RtfOutput& out) const
{
    // The \listid of each nested list: that of the first one with the same levels.
    QList<int> listIds;
    QHash<QByteArray, int> idOfLevels;
    out.put("{\\*\\listtable");
    for (qsizetype index = 0; index < m_nestedLists.size(); ++index) {
        const Levels& levels = m_nestedLists.at(index);
        const int id = int(index + 1);
        const int sameId = idOfLevels.value(keyOf(levels), id);
        listIds.append(sameId);
        if (sameId != id)
            continue;
        idOfLevels.insert(keyOf(levels), id);
        out.putWord("\n{\\list\\listtemplateid", id);
        const Levels written = completed(levels);
        for (int level = 0; level < LevelCount; ++level)
            writeLevel(out, level, written[level]);
        out.putWord("{\\listname ;}\\listid", id);
        out.put('}');
        out.flushIfFull();
    }
    out.put("}\n{\\*\\listoverridetable");
    for (qsizetype index = 0; index < m_nestedLists.size(); ++index) {
        out.putWord("{\\listoverride\\listid", listIds.at(index));
        out.putWord("\\listoverridecount0\\ls", int(index + 1));
        out.put('}');
        out.flushIfFull();
    }
    out.put("}\n");
}
