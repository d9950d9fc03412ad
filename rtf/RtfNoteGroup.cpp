#include "rtf/RtfNoteGroup.h"

#include "format/FormatValues.h"
#include "format/TextFormatProperties.h"
#include "format/Units.h"
#include "rtf/RtfCharacterWriter.h"
#include "rtf/RtfListNumbering.h"
#include "rtf/RtfOutput.h"
#include "rtf/RtfWriterTables.h"

#include <QTextBlock>
#include <QTextDocument>

#include <cmath>

using namespace TextFormatProperties;

namespace RtfNoteGroup {

QString automaticMark(Kind kind, int number)
{
    switch (kind) {
    case Kind::Footnote:
        return QString::number(number);
    case Kind::Endnote:
        return RtfListNumbering::numberText(PFN_LCROMAN, number);
    }
    return {};
}

QByteArray write(const QTextDocument& note, Kind kind, const QString& customMark)
{
    QByteArray group;
    const RtfOutput::Sink sink = [&group](const char* data, qsizetype size) {
        group.append(data, size);
        return true;
    };
    RtfOutput out(sink);
    RtfWriterTables tables(note.defaultFont().family()); // unused but for the character writer
    const qreal points = note.defaultFont().pointSizeF();
    RtfCharacterWriter characters(tables, out, points > 0 ? int(std::lround(points * TwipsPerPoint)) : 240);

    // Spelt as the reader keeps a note read, so that a note read back keeps the same group.
    out.put(kind == Kind::Endnote ? "{\\footnote \\ftnalt\\pard\\plain " : "{\\footnote \\pard\\plain ");
    if (customMark.isEmpty()) {
        out.put("{\\super\\chftn}");
    } else {
        out.put("{\\super ");
        out.putText(customMark, RtfOutput::Encoding::Windows1250);
        out.put('}');
    }
    const QString firstLetter = note.begin().text().left(1);
    if (firstLetter.isEmpty() || !firstLetter.at(0).isSpace())
        out.put(' ');
    for (QTextBlock block = note.begin(); block.isValid(); block = block.next()) {
        if (block != note.begin()) {
            characters.endParagraph();
            out.put("\\par\\pard ");
        }
        characters.startParagraph();
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            QString text = fragment.fragment().text();
            text.remove(QChar::ObjectReplacementCharacter); // pictures stay with the note's file
            if (text.isEmpty())
                continue;
            RtfCharacterWriter::Chars chars = characters.charsOf(fragment.fragment().charFormat());
            chars.font = 0;
            chars.foreground = 0;
            chars.background = 0;
            characters.write(RtfCharacterWriter::forText(chars, 238, text));
            out.putText(text, RtfOutput::Encoding::Windows1250);
        }
    }
    characters.endParagraph();
    out.put('}');
    out.flush();
    return group;
}

void setNote(QTextCharFormat& mark, const QByteArray& group, bool numbered)
{
    mark.setProperty(CharNoteRtf, group);
    mark.setProperty(CharNoteNumbered, numbered);
    mark.setProperty(CharNoteCodePage, CodePage);
}

} // namespace RtfNoteGroup
