#include "office/OfficeNote.h"

#include "rtf/RtfReader.h"

#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>

OfficeNote::OfficeNote(const QByteArray& group, int codePage) : document(std::make_unique<QTextDocument>())
{
    endnote = group.contains("\\ftnalt");
    // The group is read as the body of a document of its own: without its opening word, and
    // with its automatic number written as the character that stands for it.
    static const QRegularExpression opening(QStringLiteral(R"(^\{(\\\*)?\\footnote ?)"));
    static const QRegularExpression number(QStringLiteral(R"(\\chftn(?![a-z]) ?)"));
    QString text = QString::fromLatin1(group);
    text.remove(opening);
    if (text.endsWith(u'}'))
        text.chop(1);
    text.replace(number, QStringLiteral("\\u%1?").arg(int(qint16(NumberMark.unicode()))));
    const QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg" + QByteArray::number(codePage) + ' ' + text.toLatin1() + '}';
    QTextCursor cursor(document.get());
    RtfReader reader(cursor);
    reader.feed(rtf.constData(), rtf.size());
    reader.finish();
}

OfficeNote::~OfficeNote() = default;
OfficeNote::OfficeNote(OfficeNote&&) noexcept = default;
