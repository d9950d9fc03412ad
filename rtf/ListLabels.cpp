#include "rtf/ListLabels.h"

#include "format/FormatValues.h"
#include "format/TextFormatProperties.h"
#include "rtf/RtfListNumbering.h"

#include <QTextBlock>
#include <QTextList>

#include <algorithm>

using namespace TextFormatProperties;

QChar ListLabels::bulletOf(int level)
{
    static constexpr char16_t Bullets[] = {u'\u2022', u'\u25E6', u'\u25AA'};
    return QChar(Bullets[std::max(level, 0) % 3]);
}

int ListLabels::levelOf(const QTextBlock& block)
{
    return std::clamp(intProperty(block.blockFormat(), BlockListLevel, 0), 0, LevelCount - 1);
}

int ListLabels::itemIndexOf(const QTextList* list, const QTextBlock& block)
{
    // QTextList::itemNumber searches the whole list; the item after the last
    // one asked for is known at once.
    auto last = m_lastItems.find(list);
    if (last != m_lastItems.end() && *last + 1 < list->count() && list->item(*last + 1) == block)
        return ++*last;
    const int index = list->itemNumber(block);
    m_lastItems.insert(list, index);
    return index;
}

void ListLabels::lookBackFrom(const QTextBlock& block)
{
    // The number of each level above is that of its nearest item before; the
    // items of level 0 are the outermost, so the search ends at one.
    for (QTextBlock before = block.previous(); before.isValid(); before = before.previous()) {
        const QTextList* list = before.textList();
        const QTextBlockFormat format = before.blockFormat();
        if (!list || intProperty(format, BlockNumberingStyle, PFNS_PERIOD) == PFNS_NONUMBER)
            continue;
        const int level = levelOf(before);
        if (!m_known[level]) {
            m_known[level] = true;
            m_numbers[level] = {RtfListNumbering::numberingOf(format, list),
                                intProperty(format, BlockNumberingStart, 1) + list->itemNumber(before)};
        }
        if (level == 0)
            break;
    }
}

QString ListLabels::labelOf(const QTextBlock& block)
{
    const QTextList* list = block.textList();
    if (!list)
        return {};
    const QTextBlockFormat format = block.blockFormat();
    const int level = levelOf(block);
    const int numbering = RtfListNumbering::numberingOf(format, list);
    const int value = intProperty(format, BlockNumberingStart, 1) + itemIndexOf(list, block);
    const int style = intProperty(format, BlockNumberingStyle, PFNS_PERIOD);
    if (style == PFNS_NONUMBER)
        return {};
    m_numbers[level] = {numbering, value};
    m_known[level] = true;
    if (numbering == PFN_BULLET)
        return bulletOf(level);
    // A legal level writes every number in arabic, those of the levels above too.
    const bool legal = format.boolProperty(BlockListLegal);
    const QString levelText = format.stringProperty(BlockListLevelText);
    if (levelText.isEmpty())
        return RtfListNumbering::labelText(legal ? PFN_ARABIC : numbering, style, value);
    // Each number placeholder (the characters 0 .. 8) becomes the current number
    // of that level; levels above not met yet are looked for once.
    if (!m_lookedBack && std::any_of(levelText.cbegin(), levelText.cend(), [&](QChar c) {
            return c.unicode() < LevelCount && !m_known[c.unicode()];
        })) {
        m_lookedBack = true;
        lookBackFrom(block);
    }
    QString label;
    for (QChar c : levelText) {
        if (c.unicode() < LevelCount) {
            const LevelNumber& number = m_numbers[c.unicode()];
            label += RtfListNumbering::numberText(legal ? PFN_ARABIC : number.numbering, number.value);
        } else {
            label += c;
        }
    }
    return label;
}
