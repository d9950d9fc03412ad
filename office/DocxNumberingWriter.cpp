#include "office/DocxNumberingWriter.h"

#include "format/FormatValues.h"
#include "office/OfficeLists.h"
#include "rtf/ListLabels.h"

#include <QXmlStreamWriter>

namespace {

QString formatName(int numbering)
{
    switch (numbering) {
    case PFN_BULLET:
        return QStringLiteral("bullet");
    case PFN_LCLETTER:
        return QStringLiteral("lowerLetter");
    case PFN_UCLETTER:
        return QStringLiteral("upperLetter");
    case PFN_LCROMAN:
        return QStringLiteral("lowerRoman");
    case PFN_UCROMAN:
        return QStringLiteral("upperRoman");
    case 0:
        return QStringLiteral("none");
    default:
        return QStringLiteral("decimal");
    }
}

// The label with its numbers as Word writes them: the number of level N as %N+1.
QString levelText(const OfficeLists::Level& level, int index)
{
    if (level.numbering == PFN_BULLET)
        return ListLabels::bulletOf(index);
    QString text;
    for (QChar character : OfficeLists::labelTemplate(level, index)) {
        if (character.unicode() < OfficeLists::LevelCount)
            text += u'%' + QString::number(character.unicode() + 1);
        else
            text += character;
    }
    return text;
}

void writeValue(QXmlStreamWriter& xml, const QString& element, const QString& value)
{
    xml.writeEmptyElement(element);
    xml.writeAttribute(QStringLiteral("w:val"), value);
}

void writeLevel(QXmlStreamWriter& xml, const OfficeLists::Level& level, int index)
{
    xml.writeStartElement(QStringLiteral("w:lvl"));
    xml.writeAttribute(QStringLiteral("w:ilvl"), QString::number(index));
    writeValue(xml, QStringLiteral("w:start"), QString::number(level.start));
    writeValue(xml, QStringLiteral("w:numFmt"), formatName(level.numbering));
    // A legal level shows the numbers of the levels above in arabic too.
    if (level.legal)
        xml.writeEmptyElement(QStringLiteral("w:isLgl"));
    writeValue(xml, QStringLiteral("w:lvlText"), levelText(level, index));
    writeValue(xml, QStringLiteral("w:lvlJc"), QStringLiteral("left"));
    xml.writeStartElement(QStringLiteral("w:pPr"));
    xml.writeEmptyElement(QStringLiteral("w:ind"));
    xml.writeAttribute(QStringLiteral("w:left"), QString::number(level.leftIndent));
    if (level.firstIndent < 0)
        xml.writeAttribute(QStringLiteral("w:hanging"), QString::number(-level.firstIndent));
    else
        xml.writeAttribute(QStringLiteral("w:firstLine"), QString::number(level.firstIndent));
    xml.writeEndElement();
    xml.writeEndElement();
}

} // namespace

namespace DocxNumberingWriter {

QByteArray xml(const OfficeLists& lists)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeStartElement(QStringLiteral("w:numbering"));
    xml.writeAttribute(QStringLiteral("xmlns:w"),
                       QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main"));
    for (int list = 0; list < lists.count(); ++list) {
        xml.writeStartElement(QStringLiteral("w:abstractNum"));
        xml.writeAttribute(QStringLiteral("w:abstractNumId"), QString::number(list));
        writeValue(xml, QStringLiteral("w:multiLevelType"), QStringLiteral("multilevel"));
        const OfficeLists::Levels levels = lists.levels(list);
        for (int index = 0; index < OfficeLists::LevelCount; ++index)
            writeLevel(xml, levels.at(index), index);
        xml.writeEndElement();
    }
    // Each list its own numbering: lists of one abstract numbering would count on together.
    for (int list = 0; list < lists.count(); ++list) {
        xml.writeStartElement(QStringLiteral("w:num"));
        xml.writeAttribute(QStringLiteral("w:numId"), QString::number(list + 1));
        writeValue(xml, QStringLiteral("w:abstractNumId"), QString::number(list));
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return bytes;
}

} // namespace DocxNumberingWriter
