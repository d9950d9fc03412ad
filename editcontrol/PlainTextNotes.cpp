#include "editcontrol/PlainTextNotes.h"

#include "format/TextFormatProperties.h"
#include "rtf/RtfReader.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using namespace TextFormatProperties;

namespace {

// A note's text as the RTF reader reads its group, its paragraphs joined by blanks, its
// bytes in the code page of the document it came from. The note's automatic number
// (\chftn) is left out: the mark before the text shows it.
QString noteText(const QByteArray& group, int codePage)
{
    static constexpr QByteArrayView Opening = "{\\footnote";
    static const QRegularExpression AutomaticNumber(QStringLiteral("\\\\chftn(?![a-z])"));
    const QByteArray body = group.startsWith(Opening) ? group.mid(Opening.size()) : group;
    const QByteArray header = codePage > 0 ? "{\\rtf1\\ansi\\ansicpg" + QByteArray::number(codePage) + ' '
                                           : QByteArray("{\\rtf1\\ansi ");
    const QByteArray rtf = header + QString::fromLatin1(body).remove(AutomaticNumber).toLatin1();
    QTextDocument document;
    RtfReader reader{QTextCursor(&document)};
    reader.feed(rtf.constData(), rtf.size());
    reader.finish();
    QString text = document.toPlainText();
    text.remove(QChar::ObjectReplacementCharacter);
    return text.simplified();
}

} // namespace

namespace PlainTextNotes {

QString notesText(const QTextDocument& document, int from, int to)
{
    QStringList notes[2]; // footnotes, endnotes
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment piece = fragment.fragment();
            const QByteArray group = piece.charFormat().property(CharNoteRtf).toByteArray();
            if (group.isEmpty() || piece.position() < from || piece.position() >= to)
                continue;
            const QString mark = piece.text().remove(QChar::ObjectReplacementCharacter);
            QString text = noteText(group, piece.charFormat().intProperty(CharNoteCodePage));
            if (text.startsWith(mark))
                text = text.mid(mark.size()).trimmed();
            notes[group.contains("\\ftnalt") ? 1 : 0].append(u'[' + mark + QStringLiteral("] ") + text);
        }
    }
    if (notes[0].isEmpty() && notes[1].isEmpty())
        return {};
    return QStringLiteral("\r\r") + Separator.toString() + u'\r' + (notes[0] + notes[1]).join(u'\r');
}

} // namespace PlainTextNotes
