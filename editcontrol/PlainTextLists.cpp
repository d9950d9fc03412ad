#include "editcontrol/PlainTextLists.h"

#include "rtf/ListLabels.h"

#include <QTextBlock>
#include <QTextDocument>

namespace PlainTextLists {

QString withLabels(const QTextDocument& document, int from, const QString& text)
{
    const int to = from + int(text.size());
    ListLabels labels;
    QString result;
    int copied = 0;
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        if (!block.textList() || block.position() < from)
            continue;
        const QString label = labels.labelOf(block);
        if (label.isEmpty())
            continue;
        const int offset = block.position() - from;
        result += QStringView(text).mid(copied, offset - copied);
        result += QString(4 * (ListLabels::levelOf(block) + 1), u' ') + label + u' ';
        copied = offset;
    }
    result += QStringView(text).mid(copied);
    return result;
}

} // namespace PlainTextLists
