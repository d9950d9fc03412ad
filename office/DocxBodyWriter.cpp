#include "office/DocxBodyWriter.h"

#include "format/TextFormatProperties.h"
#include "office/DocxRelationships.h"
#include "office/OfficeLists.h"
#include "office/OfficeNote.h"
#include "office/OfficePictures.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QXmlStreamWriter>

#include <cmath>
#include <numeric>

namespace {

// Drawings measure in English metric units: 914400 an inch, 9525 a pixel at 96 dpi.
constexpr qint64 EmuPerPixel = 9525;

void writeValue(QXmlStreamWriter& xml, const QString& element, const QString& value)
{
    xml.writeEmptyElement(element);
    xml.writeAttribute(QStringLiteral("w:val"), value);
}

enum class VerticalMerge { None, Restart, Continue };

void writeCellProperties(QXmlStreamWriter& xml, int width, int span, VerticalMerge merge)
{
    xml.writeStartElement(QStringLiteral("w:tcPr"));
    xml.writeEmptyElement(QStringLiteral("w:tcW"));
    xml.writeAttribute(QStringLiteral("w:w"), QString::number(width));
    xml.writeAttribute(QStringLiteral("w:type"), QStringLiteral("dxa"));
    if (span > 1)
        writeValue(xml, QStringLiteral("w:gridSpan"), QString::number(span));
    switch (merge) {
    case VerticalMerge::None:
        break;
    case VerticalMerge::Restart:
        writeValue(xml, QStringLiteral("w:vMerge"), QStringLiteral("restart"));
        break;
    case VerticalMerge::Continue:
        xml.writeEmptyElement(QStringLiteral("w:vMerge"));
        break;
    }
    xml.writeEndElement();
}

void writeTableProperties(QXmlStreamWriter& xml, int width)
{
    xml.writeStartElement(QStringLiteral("w:tblPr"));
    xml.writeEmptyElement(QStringLiteral("w:tblW"));
    xml.writeAttribute(QStringLiteral("w:w"), QString::number(width));
    xml.writeAttribute(QStringLiteral("w:type"), QStringLiteral("dxa"));
    // Every line drawn, as the editor draws a table.
    xml.writeStartElement(QStringLiteral("w:tblBorders"));
    for (const char* side : {"w:top", "w:left", "w:bottom", "w:right", "w:insideH", "w:insideV"}) {
        xml.writeEmptyElement(QLatin1String(side));
        xml.writeAttribute(QStringLiteral("w:val"), QStringLiteral("single"));
        xml.writeAttribute(QStringLiteral("w:sz"), QStringLiteral("4"));
        xml.writeAttribute(QStringLiteral("w:space"), QStringLiteral("0"));
        xml.writeAttribute(QStringLiteral("w:color"), QStringLiteral("000000"));
    }
    xml.writeEndElement();
    xml.writeEmptyElement(QStringLiteral("w:tblLayout"));
    xml.writeAttribute(QStringLiteral("w:type"), QStringLiteral("fixed"));
    xml.writeEndElement();
}

} // namespace

DocxBodyWriter::DocxBodyWriter(QXmlStreamWriter& xml, DocxRelationships& relationships, Shared& shared,
                               const OfficeLists* lists, NoteSink* notes)
    : m_xml(xml), m_relationships(relationships), m_shared(shared), m_lists(lists), m_notes(notes)
{
}

void DocxBodyWriter::startPart(QXmlStreamWriter& xml, const QString& root)
{
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeStartElement(root);
    xml.writeAttribute(QStringLiteral("xmlns:w"),
                       QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main"));
    xml.writeAttribute(QStringLiteral("xmlns:r"),
                       QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships"));
    xml.writeAttribute(
        QStringLiteral("xmlns:wp"),
        QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing"));
}

void DocxBodyWriter::write(const QTextDocument& document, const QString& numberElement)
{
    m_document = &document;
    m_numberElement = numberElement;
    OfficeFlow::walk(document.rootFrame()->begin(), *this);
}

void DocxBodyWriter::paragraph(const QTextBlock& block)
{
    m_xml.writeStartElement(QStringLiteral("w:p"));
    DocxFormatWriter::Numbering numbering;
    if (const QTextList* list = block.textList(); list && m_lists && m_lists->indexOf(list) >= 0)
        numbering = {m_lists->indexOf(list) + 1, m_lists->levelOf(list)};
    DocxFormatWriter::writeParagraphProperties(m_xml, block, numbering, m_shared.defaults);
    for (const OfficeRun& run : OfficeFlow::runsOf(block))
        writeRun(run);
    switchLink({});
    m_xml.writeEndElement();
}

void DocxBodyWriter::switchLink(const QString& link)
{
    if (link == m_link)
        return;
    switchField({});
    if (!m_link.isEmpty())
        m_xml.writeEndElement();
    m_link = link;
    if (link.isEmpty())
        return;
    m_xml.writeStartElement(QStringLiteral("w:hyperlink"));
    if (link.startsWith(u'#')) {
        m_xml.writeAttribute(QStringLiteral("w:anchor"), link.mid(1));
    } else {
        const QString id =
            m_relationships.add(QStringLiteral("hyperlink"), link, DocxRelationships::Mode::External);
        m_xml.writeAttribute(QStringLiteral("r:id"), id);
    }
}

void DocxBodyWriter::switchField(const QString& field)
{
    if (field == m_field)
        return;
    if (!m_field.isEmpty())
        m_xml.writeEndElement();
    m_field = field;
    if (field.isEmpty())
        return;
    m_xml.writeStartElement(QStringLiteral("w:fldSimple"));
    m_xml.writeAttribute(QStringLiteral("w:instr"), field);
}

void DocxBodyWriter::writeRun(const OfficeRun& run)
{
    switchLink(run.link);
    switchField(run.field);
    if (run.picture) {
        for (QChar character : run.text)
            if (character == QChar::ObjectReplacementCharacter)
                writePicture(run);
        return;
    }
    if (!run.note.isEmpty() && m_notes) {
        writeNoteReference(run);
        return;
    }
    // A note's own number stands among the text of its paragraph.
    QStringView text = run.text;
    for (qsizetype mark = text.indexOf(OfficeNote::NumberMark); mark >= 0;
         mark = text.indexOf(OfficeNote::NumberMark)) {
        writeText(run, text.left(mark));
        if (!m_numberElement.isEmpty()) {
            m_xml.writeStartElement(QStringLiteral("w:r"));
            DocxFormatWriter::writeRunProperties(m_xml, run.format, m_shared.defaults);
            m_xml.writeEmptyElement(m_numberElement);
            m_xml.writeEndElement();
        }
        text = text.mid(mark + 1);
    }
    writeText(run, text);
}

void DocxBodyWriter::writeText(const OfficeRun& run, QStringView text)
{
    const QList<OfficeFlow::Piece> pieces = OfficeFlow::piecesOf(text);
    if (pieces.isEmpty())
        return;
    m_xml.writeStartElement(QStringLiteral("w:r"));
    DocxFormatWriter::writeRunProperties(m_xml, run.format, m_shared.defaults);
    for (const OfficeFlow::Piece& piece : pieces) {
        switch (piece.kind) {
        case OfficeFlow::PieceKind::Text:
            m_xml.writeStartElement(QStringLiteral("w:t"));
            m_xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            m_xml.writeCharacters(piece.text);
            m_xml.writeEndElement();
            break;
        case OfficeFlow::PieceKind::Tab:
            m_xml.writeEmptyElement(QStringLiteral("w:tab"));
            break;
        case OfficeFlow::PieceKind::LineBreak:
            m_xml.writeEmptyElement(QStringLiteral("w:br"));
            break;
        }
    }
    m_xml.writeEndElement();
}

void DocxBodyWriter::writeNoteReference(const OfficeRun& run)
{
    bool endnote = false;
    const int id = m_notes->add(run.note, run.noteCodePage, endnote);
    m_xml.writeStartElement(QStringLiteral("w:r"));
    DocxFormatWriter::writeRunProperties(m_xml, run.format, m_shared.defaults);
    m_xml.writeEmptyElement(endnote ? QStringLiteral("w:endnoteReference")
                                    : QStringLiteral("w:footnoteReference"));
    if (!run.noteNumbered)
        m_xml.writeAttribute(QStringLiteral("w:customMarkFollows"), QStringLiteral("1"));
    m_xml.writeAttribute(QStringLiteral("w:id"), QString::number(id));
    if (!run.noteNumbered) {
        m_xml.writeStartElement(QStringLiteral("w:t"));
        m_xml.writeCharacters(run.text);
        m_xml.writeEndElement();
    }
    m_xml.writeEndElement();
}

void DocxBodyWriter::writePicture(const OfficeRun& run)
{
    const OfficePictures::Placed placed = m_shared.pictures.add(*m_document, run.format.toImageFormat());
    if (placed.fileName.isEmpty())
        return;
    const QString id =
        m_relationships.add(QStringLiteral("image"), QStringLiteral("media/") + placed.fileName);
    const QString width = QString::number(std::llround(placed.size.width() * EmuPerPixel));
    const QString height = QString::number(std::llround(placed.size.height() * EmuPerPixel));
    const QString number = QString::number(++m_shared.drawings);
    const QString a = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/main");
    const QString pic = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/picture");
    const auto empty = [&](const QString& element,
                           std::initializer_list<std::pair<const char*, QString>> attributes) {
        m_xml.writeEmptyElement(element);
        for (const auto& [name, value] : attributes)
            m_xml.writeAttribute(QLatin1String(name), value);
    };
    m_xml.writeStartElement(QStringLiteral("w:r"));
    DocxFormatWriter::writeRunProperties(m_xml, run.format, m_shared.defaults);
    m_xml.writeStartElement(QStringLiteral("w:drawing"));
    m_xml.writeStartElement(QStringLiteral("wp:inline"));
    for (const char* distance : {"distT", "distB", "distL", "distR"})
        m_xml.writeAttribute(QLatin1String(distance), QStringLiteral("0"));
    empty(QStringLiteral("wp:extent"), {{"cx", width}, {"cy", height}});
    empty(QStringLiteral("wp:docPr"), {{"id", number}, {"name", QStringLiteral("Picture ") + number}});
    m_xml.writeStartElement(QStringLiteral("a:graphic"));
    m_xml.writeAttribute(QStringLiteral("xmlns:a"), a);
    m_xml.writeStartElement(QStringLiteral("a:graphicData"));
    m_xml.writeAttribute(QStringLiteral("uri"), pic);
    m_xml.writeStartElement(QStringLiteral("pic:pic"));
    m_xml.writeAttribute(QStringLiteral("xmlns:pic"), pic);
    m_xml.writeStartElement(QStringLiteral("pic:nvPicPr"));
    empty(QStringLiteral("pic:cNvPr"), {{"id", number}, {"name", placed.fileName}});
    empty(QStringLiteral("pic:cNvPicPr"), {});
    m_xml.writeEndElement();
    m_xml.writeStartElement(QStringLiteral("pic:blipFill"));
    empty(QStringLiteral("a:blip"), {{"r:embed", id}});
    m_xml.writeStartElement(QStringLiteral("a:stretch"));
    empty(QStringLiteral("a:fillRect"), {});
    m_xml.writeEndElement();
    m_xml.writeEndElement();
    m_xml.writeStartElement(QStringLiteral("pic:spPr"));
    m_xml.writeStartElement(QStringLiteral("a:xfrm"));
    empty(QStringLiteral("a:off"), {{"x", QStringLiteral("0")}, {"y", QStringLiteral("0")}});
    empty(QStringLiteral("a:ext"), {{"cx", width}, {"cy", height}});
    m_xml.writeEndElement();
    m_xml.writeStartElement(QStringLiteral("a:prstGeom"));
    m_xml.writeAttribute(QStringLiteral("prst"), QStringLiteral("rect"));
    empty(QStringLiteral("a:avLst"), {});
    m_xml.writeEndElement();
    m_xml.writeEndElement(); // spPr
    m_xml.writeEndElement(); // pic
    m_xml.writeEndElement(); // graphicData
    m_xml.writeEndElement(); // graphic
    m_xml.writeEndElement(); // inline
    m_xml.writeEndElement(); // drawing
    m_xml.writeEndElement(); // r
}

void DocxBodyWriter::table(const QTextTable& table)
{
    const QList<int> widths = OfficeFlow::columnWidths(table);
    m_xml.writeStartElement(QStringLiteral("w:tbl"));
    writeTableProperties(m_xml, std::accumulate(widths.cbegin(), widths.cend(), 0));
    m_xml.writeStartElement(QStringLiteral("w:tblGrid"));
    for (int width : widths) {
        m_xml.writeEmptyElement(QStringLiteral("w:gridCol"));
        m_xml.writeAttribute(QStringLiteral("w:w"), QString::number(width));
    }
    m_xml.writeEndElement();
    for (int row = 0; row < table.rows(); ++row) {
        m_xml.writeStartElement(QStringLiteral("w:tr"));
        for (int column = 0; column < table.columns();) {
            const QTextTableCell cell = table.cellAt(row, column);
            const int span = std::max(1, std::min(cell.columnSpan(), table.columns() - column));
            const int width = std::accumulate(widths.cbegin() + column, widths.cbegin() + column + span, 0);
            switch (OfficeFlow::placeOf(table, row, column)) {
            case OfficeFlow::CellPlace::Origin:
                m_xml.writeStartElement(QStringLiteral("w:tc"));
                writeCellProperties(m_xml, width, span,
                                    cell.rowSpan() > 1 ? VerticalMerge::Restart : VerticalMerge::None);
                OfficeFlow::walk(cell.begin(), *this);
                m_xml.writeEndElement();
                break;
            case OfficeFlow::CellPlace::Below:
                // The cell goes on from the row above: Word wants a cell here all the same.
                m_xml.writeStartElement(QStringLiteral("w:tc"));
                writeCellProperties(m_xml, width, span, VerticalMerge::Continue);
                m_xml.writeEmptyElement(QStringLiteral("w:p"));
                m_xml.writeEndElement();
                break;
            case OfficeFlow::CellPlace::Covered: // not met: cells are passed over by their spans
                break;
            }
            column += span;
        }
        m_xml.writeEndElement();
    }
    m_xml.writeEndElement();
}
