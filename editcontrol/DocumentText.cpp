#include "editcontrol/DocumentText.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>

namespace DocumentText {

int length(const QTextDocument& document)
{
    return std::max(0, document.characterCount() - 1);
}

QString range(const QTextDocument& document, CHARRANGE range)
{
    const int textLength = length(document);
    const int from = range.cpMin < 0 ? 0 : std::min<int>(range.cpMin, textLength);
    const int to = range.cpMax < 0 ? textLength : std::min<int>(range.cpMax, textLength);
    if (to <= from)
        return {};
    QString result;
    result.reserve(to - from);
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        const int blockStart = block.position();
        const QString text = block.text();
        const int a = std::max(from, blockStart) - blockStart;
        const int b = std::min<int>(to - blockStart, int(text.size()));
        if (b > a)
            result += QStringView(text).mid(a, b - a);
        // The block's break (paragraph, or the start or end of a table) is one CR.
        if (blockStart + text.size() < to)
            result += QLatin1Char('\r');
    }
    // Soft line breaks are vertical tabs, non-breaking spaces stay as they are.
    result.replace(QChar::LineSeparator, QChar(0x0B));
    return result;
}

QString fitted(const QString& text, const QTextCursor& cursor, LONG limit)
{
    const qint64 selected = cursor.selectionEnd() - cursor.selectionStart();
    const qint64 room = std::max<qint64>(0, qint64(limit) - (length(*cursor.document()) - selected));
    return text.size() <= room ? text : text.left(room);
}

void replaceAll(QTextDocument& document, const QString& text, LONG limit)
{
    // Inserting over the old text would give the new text the old text's last
    // format; plain text comes in the document's default format instead.
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    if (QTextList* list = cursor.currentList())
        list->remove(cursor.block());
    cursor.setBlockFormat(QTextBlockFormat());
    cursor.setBlockCharFormat(QTextCharFormat());
    cursor.insertText(text.left(limit), QTextCharFormat());
    cursor.endEditBlock();
}

} // namespace DocumentText
