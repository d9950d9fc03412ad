#include "platform/PlainTextLists.h"

#include "format/FormatValues.h"
#include "format/TextFormatProperties.h"
#include "rtf/RtfListNumbering.h"

#include <QHash>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>
#include <array>

using namespace TextFormatProperties;

namespace {

constexpr int LevelCount = 9;

struct LevelNumber
{
    int numbering = PFN_ARABIC;
    int value = 1;
};

// A label from its level's text: each number placeholder becomes the current number of
// that level, as that level numbers ("2.1." from "\x00.\x01.").
QString labelFromLevelText(const QString& levelText, const std::array<LevelNumber, LevelCount>& numbers)
{
    QString label;
    for (QChar c : levelText) {
        if (c.unicode() < LevelCount) {
            const LevelNumber& number = numbers[c.unicode()];
            label += RtfListNumbering::numberText(number.numbering, number.value);
        } else {
            label += c;
        }
    }
    return label;
}

} // namespace

namespace PlainTextLists {

QString withLabels(const QTextDocument& document, int from, const QString& text)
{
    const int to = from + int(text.size());
    // Items are numbered by counting them in document order; QTextList::itemNumber searches
    // the whole list and is asked only for a list's first item in the text.
    QHash<const QTextList*, int> items;
    std::array<LevelNumber, LevelCount> numbers; // the last number shown at each level
    QString result;
    int copied = 0;
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        const QTextList* list = block.textList();
        if (!list || block.position() < from)
            continue;
        auto item = items.find(list);
        if (item == items.end())
            item = items.insert(list, list->itemNumber(block));
        const int value = (*item)++;
        const QTextBlockFormat format = block.blockFormat();
        const int style = intProperty(format, BlockNumberingStyle, PFNS_PERIOD);
        if (style == PFNS_NONUMBER)
            continue;
        const int numbering = RtfListNumbering::numberingOf(format, list);
        const int start = intProperty(format, BlockNumberingStart, 1);
        const int level = std::clamp(intProperty(format, BlockListLevel, 0), 0, LevelCount - 1);
        numbers[level] = {numbering, start + value};
        const QString levelText = format.stringProperty(BlockListLevelText);
        const int offset = block.position() - from;
        result += QStringView(text).mid(copied, offset - copied);
        // Bullets change with the level as word processors draw them: •, ◦, ▪, • ...
        static constexpr char16_t Bullets[] = {u'\u2022', u'\u25E6', u'\u25AA'};
        QString label;
        if (numbering == PFN_BULLET)
            label = QChar(Bullets[level % 3]);
        else if (!levelText.isEmpty())
            label = labelFromLevelText(levelText, numbers);
        else
            label = RtfListNumbering::labelText(numbering, style, start + value);
        result += QString(4 * (level + 1), u' ') + label + u' ';
        copied = offset;
    }
    result += QStringView(text).mid(copied);
    return result;
}

} // namespace PlainTextLists
