#include "office/OdtBodyWriter.h"

#include "format/FormatValues.h"
#include "format/TextFormatProperties.h"
#include "office/OdtStyles.h"
#include "office/OfficeLists.h"
#include "office/OfficeNote.h"
#include "office/OfficePictures.h"
#include "rtf/RtfListNumbering.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QXmlStreamWriter>

using namespace TextFormatProperties;

namespace {

// A length in pixels (96 dpi) in points.
QString pixelPoints(qreal pixels)
{
    return OdtStyles::points(pixelsToTwips(pixels));
}

} // namespace

OdtBodyWriter::OdtBodyWriter(QXmlStreamWriter& xml, Context& context, const OfficeLists* lists)
    : m_xml(xml), m_context(context), m_lists(lists)
{
}

void OdtBodyWriter::write(const QTextDocument& document)
{
    m_document = &document;
    OfficeFlow::walk(document.rootFrame()->begin(), *this);
    closeLists();
}

// Lists.

void OdtBodyWriter::enterListItem(const QTextBlock& block, int list, int level)
{
    if (list != m_list)
        closeLists();
    m_list = list;
    while (m_itemOpen.size() > level + 1) {
        if (m_itemOpen.takeLast())
            m_xml.writeEndElement();
        m_xml.writeEndElement();
    }
    if (m_itemOpen.size() == level + 1 && m_itemOpen.last()) {
        m_xml.writeEndElement();
        m_itemOpen.last() = false;
    }
    bool opened = false;
    // A deeper level without items above it stands in items that show no paragraph.
    while (m_itemOpen.size() < level + 1) {
        if (!m_itemOpen.isEmpty() && !m_itemOpen.last()) {
            m_xml.writeStartElement(QStringLiteral("text:list-item"));
            m_itemOpen.last() = true;
        }
        m_xml.writeStartElement(QStringLiteral("text:list"));
        if (m_itemOpen.isEmpty())
            m_xml.writeAttribute(QStringLiteral("text:style-name"), OdtStyles::listStyle(list));
        m_itemOpen.append(false);
        opened = true;
    }
    m_xml.writeStartElement(QStringLiteral("text:list-item"));
    m_itemOpen.last() = true;
    // A <text:list> just opened starts from its first item's number as the model counts it, so
    // a list taken up again after other paragraphs goes on with its own numbers.
    if (opened && RtfListNumbering::numberingOf(block.blockFormat(), block.textList()) != PFN_BULLET)
        m_xml.writeAttribute(QStringLiteral("text:start-value"),
                             QString::number(OfficeLists::numberOf(block)));
}

void OdtBodyWriter::closeLists()
{
    while (!m_itemOpen.isEmpty()) {
        if (m_itemOpen.takeLast())
            m_xml.writeEndElement();
        m_xml.writeEndElement();
    }
    m_list = -1;
}

// Paragraphs and runs.

void OdtBodyWriter::paragraph(const QTextBlock& block)
{
    const QTextList* list = block.textList();
    if (list && m_lists && m_lists->indexOf(list) >= 0)
        enterListItem(block, m_lists->indexOf(list), m_lists->levelOf(list));
    else
        closeLists();
    m_xml.writeStartElement(QStringLiteral("text:p"));
    const std::pair key{block.blockFormatIndex(), block.charFormatIndex()};
    auto paragraphStyle = m_paragraphStyles.find(key);
    if (paragraphStyle == m_paragraphStyles.end())
        paragraphStyle = m_paragraphStyles.insert(key, m_context.styles.paragraphStyle(block));
    m_xml.writeAttribute(QStringLiteral("text:style-name"), *paragraphStyle);
    m_afterSpace = true;
    for (const OfficeRun& run : OfficeFlow::runsOf(block))
        writeRun(run);
    switchLink({});
    m_xml.writeEndElement();
}

void OdtBodyWriter::switchLink(const QString& link)
{
    if (link == m_link)
        return;
    if (!m_link.isEmpty())
        m_xml.writeEndElement();
    m_link = link;
    if (link.isEmpty())
        return;
    m_xml.writeStartElement(QStringLiteral("text:a"));
    m_xml.writeAttribute(QStringLiteral("xlink:type"), QStringLiteral("simple"));
    m_xml.writeAttribute(QStringLiteral("xlink:href"), link);
}

void OdtBodyWriter::writeRun(const OfficeRun& run)
{
    switchLink(run.link);
    auto known = m_textStyles.find(run.formatIndex);
    if (known == m_textStyles.end())
        known = m_textStyles.insert(run.formatIndex, m_context.styles.textStyle(run.format));
    const QString style = *known;
    if (!style.isEmpty()) {
        m_xml.writeStartElement(QStringLiteral("text:span"));
        m_xml.writeAttribute(QStringLiteral("text:style-name"), style);
    }
    if (run.picture) {
        for (QChar character : run.text)
            if (character == QChar::ObjectReplacementCharacter)
                writePicture(run);
    } else if (!run.note.isEmpty() && m_lists) {
        writeNote(run);
    } else {
        // OpenDocument shows a note's mark before its text by itself: the mark the note's text
        // begins with, its number or its own sign, is left out.
        QString text = run.text;
        text.remove(OfficeNote::NumberMark);
        if (!text.isEmpty() && !m_noteSign.isEmpty() && text.startsWith(m_noteSign))
            text.remove(0, m_noteSign.size());
        if (!run.text.isEmpty())
            m_noteSign.clear();
        writeText(text);
    }
    if (!style.isEmpty())
        m_xml.writeEndElement();
}

void OdtBodyWriter::writeText(QStringView text)
{
    for (const OfficeFlow::Piece& piece : OfficeFlow::piecesOf(text)) {
        switch (piece.kind) {
        case OfficeFlow::PieceKind::Tab:
            m_xml.writeEmptyElement(QStringLiteral("text:tab"));
            m_afterSpace = false;
            continue;
        case OfficeFlow::PieceKind::LineBreak:
            m_xml.writeEmptyElement(QStringLiteral("text:line-break"));
            m_afterSpace = false;
            continue;
        case OfficeFlow::PieceKind::Text:
            break;
        }
        // Readers collapse spaces after a space and drop them at a paragraph's start: those
        // are written as <text:s>.
        const QString& characters = piece.text;
        qsizetype index = 0;
        while (index < characters.size()) {
            qsizetype end = index;
            while (end < characters.size() && !(characters.at(end) == u' ' && m_afterSpace)) {
                m_afterSpace = characters.at(end) == u' ';
                ++end;
            }
            if (end > index)
                m_xml.writeCharacters(characters.mid(index, end - index));
            qsizetype spaces = 0;
            while (end < characters.size() && characters.at(end) == u' ') {
                ++spaces;
                ++end;
            }
            if (spaces > 0) {
                m_xml.writeEmptyElement(QStringLiteral("text:s"));
                if (spaces > 1)
                    m_xml.writeAttribute(QStringLiteral("text:c"), QString::number(spaces));
            }
            index = end;
        }
    }
}

void OdtBodyWriter::writeNote(const OfficeRun& run)
{
    const OfficeNote note(run.note, run.noteCodePage);
    m_xml.writeStartElement(QStringLiteral("text:note"));
    m_xml.writeAttribute(QStringLiteral("text:id"), QStringLiteral("ftn%1").arg(++m_context.notes));
    m_xml.writeAttribute(QStringLiteral("text:note-class"),
                         note.endnote ? QStringLiteral("endnote") : QStringLiteral("footnote"));
    m_xml.writeStartElement(QStringLiteral("text:note-citation"));
    if (!run.noteNumbered)
        m_xml.writeAttribute(QStringLiteral("text:label"), run.text);
    m_xml.writeCharacters(run.text);
    m_xml.writeEndElement();
    m_xml.writeStartElement(QStringLiteral("text:note-body"));
    const bool afterSpace = m_afterSpace;
    OdtBodyWriter body(m_xml, m_context, nullptr);
    if (!run.noteNumbered)
        body.m_noteSign = run.text;
    body.write(*note.document);
    m_afterSpace = afterSpace;
    m_xml.writeEndElement();
    m_xml.writeEndElement();
}

void OdtBodyWriter::writePicture(const OfficeRun& run)
{
    const OfficePictures::Placed placed = m_context.pictures.add(*m_document, run.format.toImageFormat());
    if (placed.fileName.isEmpty())
        return;
    m_xml.writeStartElement(QStringLiteral("draw:frame"));
    m_xml.writeAttribute(QStringLiteral("draw:style-name"), OdtStyles::pictureStyle());
    m_xml.writeAttribute(QStringLiteral("draw:name"), QStringLiteral("Obrázek %1").arg(++m_context.frames));
    m_xml.writeAttribute(QStringLiteral("text:anchor-type"), QStringLiteral("as-char"));
    m_xml.writeAttribute(QStringLiteral("svg:width"), pixelPoints(placed.size.width()));
    m_xml.writeAttribute(QStringLiteral("svg:height"), pixelPoints(placed.size.height()));
    m_xml.writeAttribute(QStringLiteral("draw:z-index"), QStringLiteral("0"));
    m_xml.writeEmptyElement(QStringLiteral("draw:image"));
    m_xml.writeAttribute(QStringLiteral("xlink:href"), QStringLiteral("Pictures/") + placed.fileName);
    m_xml.writeAttribute(QStringLiteral("xlink:type"), QStringLiteral("simple"));
    m_xml.writeAttribute(QStringLiteral("xlink:show"), QStringLiteral("embed"));
    m_xml.writeAttribute(QStringLiteral("xlink:actuate"), QStringLiteral("onLoad"));
    m_xml.writeAttribute(QStringLiteral("draw:mime-type"), placed.mimeType);
    m_xml.writeEndElement();
    m_afterSpace = false;
}

// Tables.

void OdtBodyWriter::table(const QTextTable& table)
{
    closeLists();
    const OdtStyles::TableStyles styles = m_context.styles.tableStyles(OfficeFlow::columnWidths(table));
    m_xml.writeStartElement(QStringLiteral("table:table"));
    m_xml.writeAttribute(QStringLiteral("table:name"), QStringLiteral("Tabulka%1").arg(++m_context.tables));
    m_xml.writeAttribute(QStringLiteral("table:style-name"), styles.table);
    for (const QString& column : styles.columns) {
        m_xml.writeEmptyElement(QStringLiteral("table:table-column"));
        m_xml.writeAttribute(QStringLiteral("table:style-name"), column);
    }
    for (int row = 0; row < table.rows(); ++row) {
        m_xml.writeStartElement(QStringLiteral("table:table-row"));
        for (int column = 0; column < table.columns(); ++column) {
            if (OfficeFlow::placeOf(table, row, column) != OfficeFlow::CellPlace::Origin) {
                m_xml.writeEmptyElement(QStringLiteral("table:covered-table-cell"));
                continue;
            }
            const QTextTableCell cell = table.cellAt(row, column);
            m_xml.writeStartElement(QStringLiteral("table:table-cell"));
            m_xml.writeAttribute(QStringLiteral("table:style-name"), OdtStyles::cellStyle());
            if (cell.columnSpan() > 1)
                m_xml.writeAttribute(QStringLiteral("table:number-columns-spanned"),
                                     QString::number(cell.columnSpan()));
            if (cell.rowSpan() > 1)
                m_xml.writeAttribute(QStringLiteral("table:number-rows-spanned"),
                                     QString::number(cell.rowSpan()));
            m_xml.writeAttribute(QStringLiteral("office:value-type"), QStringLiteral("string"));
            OfficeFlow::walk(cell.begin(), *this);
            closeLists();
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement();
    }
    m_xml.writeEndElement();
}
