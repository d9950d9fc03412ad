#include "office/DocxNotesWriter.h"

#include <QTextDocument>
#include <QXmlStreamWriter>

int DocxNotesWriter::add(const QByteArray& group, int codePage, bool& endnote)
{
    OfficeNote note(group, codePage);
    endnote = note.endnote;
    std::vector<OfficeNote>& notes = endnote ? m_endnotes : m_footnotes;
    notes.push_back(std::move(note));
    return int(notes.size());
}

bool DocxNotesWriter::has(Kind kind) const
{
    return !(kind == Kind::Footnotes ? m_footnotes : m_endnotes).empty();
}

QByteArray DocxNotesWriter::xml(Kind kind, DocxBodyWriter::Shared& shared,
                                DocxRelationships& relationships) const
{
    const bool footnotes = kind == Kind::Footnotes;
    const QString note = footnotes ? QStringLiteral("w:footnote") : QStringLiteral("w:endnote");
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    DocxBodyWriter::startPart(xml, footnotes ? QStringLiteral("w:footnotes") : QStringLiteral("w:endnotes"));
    // The line Word draws above the notes, and above those that go on from the page before.
    for (const auto& [id, type] : {std::pair{"-1", "separator"}, std::pair{"0", "continuationSeparator"}}) {
        xml.writeStartElement(note);
        xml.writeAttribute(QStringLiteral("w:type"), QLatin1String(type));
        xml.writeAttribute(QStringLiteral("w:id"), QLatin1String(id));
        xml.writeStartElement(QStringLiteral("w:p"));
        xml.writeStartElement(QStringLiteral("w:r"));
        xml.writeEmptyElement(QStringLiteral("w:") + QLatin1String(type));
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeEndElement();
    }
    DocxBodyWriter body(xml, relationships, shared, nullptr, nullptr);
    const std::vector<OfficeNote>& notes = footnotes ? m_footnotes : m_endnotes;
    for (size_t index = 0; index < notes.size(); ++index) {
        xml.writeStartElement(note);
        xml.writeAttribute(QStringLiteral("w:id"), QString::number(index + 1));
        body.write(*notes.at(index).document,
                   footnotes ? QStringLiteral("w:footnoteRef") : QStringLiteral("w:endnoteRef"));
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return bytes;
}
