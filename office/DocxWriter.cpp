#include "office/DocxWriter.h"

#include "format/TextFormatProperties.h"
#include "format/Units.h"
#include "office/DocxBodyWriter.h"
#include "office/DocxNotesWriter.h"
#include "office/DocxNumberingWriter.h"
#include "office/DocxRelationships.h"
#include "office/OfficeFlow.h"
#include "office/OfficeLists.h"
#include "office/OfficePictureParts.h"
#include "office/ZipWriter.h"

#include <QIODevice>
#include <QTextDocument>
#include <QXmlStreamWriter>

#include <cmath>
#include <string_view>

namespace {

const QString WordMain = QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.");

QByteArray contentTypes(const QStringList& parts)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeStartElement(QStringLiteral("Types"));
    xml.writeDefaultNamespace(QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types"));
    for (const auto& [extension, type] :
         {std::pair{"rels", "application/vnd.openxmlformats-package.relationships+xml"},
          std::pair{"xml", "application/xml"}, std::pair{"png", "image/png"}, std::pair{"jpeg", "image/jpeg"},
          std::pair{"wmf", "image/x-wmf"}, std::pair{"emf", "image/x-emf"}}) {
        xml.writeEmptyElement(QStringLiteral("Default"));
        xml.writeAttribute(QStringLiteral("Extension"), QLatin1String(extension));
        xml.writeAttribute(QStringLiteral("ContentType"), QLatin1String(type));
    }
    // word/document.xml is the document's main part, the others are named by their kind.
    for (const QString& part : parts) {
        const QString kind = part.section(u'/', -1).section(u'.', 0, 0);
        xml.writeEmptyElement(QStringLiteral("Override"));
        xml.writeAttribute(QStringLiteral("PartName"), QStringLiteral("/word/") + part);
        xml.writeAttribute(QStringLiteral("ContentType"),
                           WordMain + (kind == u"document" ? QStringLiteral("document.main") : kind) +
                               QStringLiteral("+xml"));
    }
    xml.writeEndDocument();
    return bytes;
}

// The defaults are the font and size of most of the text, Czech, and paragraphs without spacing.
// The paragraph style Normal names the font and size again: readers that keep the defaults
// apart from the styles show them as the text's own.
QByteArray styles(const QFont& font)
{
    const int size = font.pointSizeF() > 0 ? int(std::lround(font.pointSizeF() * 2)) : 24;
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    const auto writeRunDefaults = [&] {
        xml.writeStartElement(QStringLiteral("w:rPr"));
        xml.writeEmptyElement(QStringLiteral("w:rFonts"));
        for (const char* script : {"w:ascii", "w:hAnsi", "w:eastAsia", "w:cs"})
            xml.writeAttribute(QLatin1String(script), font.family());
        for (const char* element : {"w:sz", "w:szCs"}) {
            xml.writeEmptyElement(QLatin1String(element));
            xml.writeAttribute(QStringLiteral("w:val"), QString::number(size));
        }
        xml.writeEmptyElement(QStringLiteral("w:lang"));
        xml.writeAttribute(QStringLiteral("w:val"), QStringLiteral("cs-CZ"));
        xml.writeEndElement();
    };
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeStartElement(QStringLiteral("w:styles"));
    xml.writeAttribute(QStringLiteral("xmlns:w"),
                       QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main"));
    xml.writeStartElement(QStringLiteral("w:docDefaults"));
    xml.writeStartElement(QStringLiteral("w:rPrDefault"));
    writeRunDefaults();
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("w:pPrDefault"));
    xml.writeStartElement(QStringLiteral("w:pPr"));
    xml.writeEmptyElement(QStringLiteral("w:spacing"));
    xml.writeAttribute(QStringLiteral("w:after"), QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("w:line"), QStringLiteral("240"));
    xml.writeAttribute(QStringLiteral("w:lineRule"), QStringLiteral("auto"));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    for (const auto& [type, id, name] :
         {std::tuple{"paragraph", "Normal", "Normal"},
          std::tuple{"character", "DefaultParagraphFont", "Default Paragraph Font"},
          std::tuple{"table", "TableNormal", "Normal Table"}}) {
        xml.writeStartElement(QStringLiteral("w:style"));
        xml.writeAttribute(QStringLiteral("w:type"), QLatin1String(type));
        xml.writeAttribute(QStringLiteral("w:default"), QStringLiteral("1"));
        xml.writeAttribute(QStringLiteral("w:styleId"), QLatin1String(id));
        xml.writeEmptyElement(QStringLiteral("w:name"));
        xml.writeAttribute(QStringLiteral("w:val"), QLatin1String(name));
        if (std::string_view(id) == "Normal")
            writeRunDefaults();
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return bytes;
}

// An A4 page with margins of 2.5 cm, as Czech documents have.
void writeSection(QXmlStreamWriter& xml)
{
    xml.writeStartElement(QStringLiteral("w:sectPr"));
    xml.writeEmptyElement(QStringLiteral("w:pgSz"));
    xml.writeAttribute(QStringLiteral("w:w"), QStringLiteral("11906"));
    xml.writeAttribute(QStringLiteral("w:h"), QStringLiteral("16838"));
    xml.writeEmptyElement(QStringLiteral("w:pgMar"));
    for (const char* side : {"w:top", "w:right", "w:bottom", "w:left"})
        xml.writeAttribute(QLatin1String(side), QStringLiteral("1417"));
    for (const char* side : {"w:header", "w:footer"})
        xml.writeAttribute(QLatin1String(side), QStringLiteral("708"));
    xml.writeAttribute(QStringLiteral("w:gutter"), QStringLiteral("0"));
    xml.writeEndElement();
}

} // namespace

bool DocxWriter::write(const QTextDocument& document, QIODevice& device)
{
    m_error.clear();
    OfficePictureParts pictures;
    OfficeLists lists(document);
    DocxNotesWriter notes;
    DocxRelationships relationships;
    DocxBodyWriter::Shared shared{pictures, OfficeFlow::prevailingFont(document)};

    QByteArray main;
    {
        QXmlStreamWriter xml(&main);
        DocxBodyWriter::startPart(xml, QStringLiteral("w:document"));
        xml.writeStartElement(QStringLiteral("w:body"));
        DocxBodyWriter body(xml, relationships, shared, &lists, &notes);
        body.write(document);
        writeSection(xml);
        xml.writeEndDocument();
    }

    QList<std::pair<QString, QByteArray>> parts; // under word/
    relationships.add(QStringLiteral("styles"), QStringLiteral("styles.xml"));
    parts.append({QStringLiteral("styles.xml"), styles(shared.defaults)});
    if (lists.count() > 0) {
        relationships.add(QStringLiteral("numbering"), QStringLiteral("numbering.xml"));
        parts.append({QStringLiteral("numbering.xml"), DocxNumberingWriter::xml(lists)});
    }
    for (const auto& [kind, name] : {std::pair{DocxNotesWriter::Kind::Footnotes, "footnotes"},
                                     std::pair{DocxNotesWriter::Kind::Endnotes, "endnotes"}}) {
        if (!notes.has(kind))
            continue;
        const QString file = QLatin1String(name) + QStringLiteral(".xml");
        DocxRelationships noteRelationships;
        relationships.add(QLatin1String(name), file);
        parts.append({file, notes.xml(kind, shared, noteRelationships)});
        if (!noteRelationships.isEmpty())
            parts.append(
                {QStringLiteral("_rels/") + file + QStringLiteral(".rels"), noteRelationships.xml()});
    }

    QStringList overrides{QStringLiteral("document.xml")};
    for (const auto& part : parts)
        if (!part.first.startsWith(u"_rels/"))
            overrides.append(part.first);
    DocxRelationships package;
    package.add(QStringLiteral("officeDocument"), QStringLiteral("word/document.xml"));

    ZipWriter zip;
    bool added = zip.add(QStringLiteral("[Content_Types].xml"), contentTypes(overrides)) &&
                 zip.add(QStringLiteral("_rels/.rels"), package.xml()) &&
                 zip.add(QStringLiteral("word/document.xml"), main) &&
                 zip.add(QStringLiteral("word/_rels/document.xml.rels"), relationships.xml());
    for (const auto& [name, bytes] : parts)
        added = added && zip.add(QStringLiteral("word/") + name, bytes);
    for (const OfficePictureParts::Part& picture : pictures.parts())
        added = added && zip.add(QStringLiteral("word/media/") + picture.fileName, picture.data,
                                 ZipWriter::Compression::Stored);
    if (!added || !zip.finishInto(device)) {
        m_error = zip.errorString();
        return false;
    }
    return true;
}
