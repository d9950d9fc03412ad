#include "platform/PlainTextLists.h"

#include "format/FormatValues.h"
#include "format/TextFormatProperties.h"
#include "rtf/RtfListNumbering.h"

#include <QHash>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

using namespace TextFormatProperties;

namespace PlainTextLists {

QString withLabels(const QTextDocument& document, int from, const QString& text)
{
    const int to = from + int(text.size());
    // Items are numbered by counting them in document order; QTextList::itemNumber searches
    // the whole list and is asked only for a list's first item in the text.
    QHash<const QTextList*, int> items;
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
        const int level = intProperty(format, BlockListLevel, 0);
        const int offset = block.position() - from;
        result += QStringView(text).mid(copied, offset - copied);
        // Bullets change with the level as word processors draw them: •, ◦, ▪, • ...
        static constexpr char16_t Bullets[] = {u'\u2022', u'\u25E6', u'\u25AA'};
        const QString label = numbering == PFN_BULLET
                                  ? QString(QChar(Bullets[level % 3]))
                                  : RtfListNumbering::labelText(numbering, style, start + value);
        result += QString(4 * (level + 1), u' ') + label + u' ';
        copied = offset;
    }
    result += QStringView(text).mid(copied);
    return result;
}

} // namespace PlainTextLists
