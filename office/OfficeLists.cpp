#include "office/OfficeLists.h"

#include "format/FormatValues.h"
#include "format/TextFormatProperties.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

using namespace TextFormatProperties;

OfficeLists::OfficeLists(const QTextDocument& document)
{
    auto follows = RtfListTable::Follows::OtherParagraph;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextList* list = block.textList();
        if (list)
            m_table.addParagraph(list, block.blockFormat(), follows);
        follows = list ? RtfListTable::Follows::ListParagraph : RtfListTable::Follows::OtherParagraph;
    }
}

QString OfficeLists::labelTemplate(const Level& level, int index)
{
    if (!level.levelText.isEmpty())
        return level.levelText;
    const QString number{QChar(char16_t(index))};
    switch (level.style) {
    case PFNS_PARENS:
        return u'(' + number + u')';
    case PFNS_PERIOD:
        return number + u'.';
    case PFNS_PLAIN:
        return number;
    case PFNS_NONUMBER:
        return {};
    default:
        return number + u')';
    }
}

int OfficeLists::numberOf(const QTextBlock& block)
{
    const QTextList* list = block.textList();
    if (!list)
        return 0;
    return intProperty(block.blockFormat(), BlockNumberingStart, 1) + list->itemNumber(block);
}
