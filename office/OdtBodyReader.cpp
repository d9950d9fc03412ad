#include "office/OdtBodyReader.h"

#include "format/ParagraphValues.h"
#include "format/TextFormatProperties.h"
#include "office/DocxTableBuilder.h"
#include "office/OdtStyles.h"
#include "office/ZipArchive.h"
#include "rtf/RtfNoteGroup.h"

#include <QTextDocument>
#include "office/XmlPartReader.h"

#include <algorithm>

using namespace OfficeXml;
using namespace TextFormatProperties;

namespace {

const QLatin1StringView TextNamespace("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
constexpr int MaxSpaces = 1000; // of one <text:s>: a hostile count does not fill the memory
constexpr int MaxColumns = 64;  // as tables of Word documents
constexpr int MaxRowSpan = 1 << 16;

int count(const XmlPartReader& xml, const char* name, int most)
{
    return std::clamp(attribute(xml, QLatin1StringView(name)).toInt(), 1, most);
}

QString styleName(const XmlPartReader& xml)
{
    return attribute(xml, QLatin1StringView("style-name")).toString();
}

bool isBlank(QChar character)
{
    return character == u' ' || character == u'\t' || character == u'\n' || character == u'\r';
}

} // namespace

OdtBodyReader::OdtBodyReader(XmlPartReader& xml, QTextCursor cursor, const OdtStyles& styles,
                             ZipArchive& archive, qint64 pictureLimit, Part part)
    : m_xml(xml), m_cursor(std::move(cursor)), m_styles(styles), m_archive(archive),
      m_pictureLimit(pictureLimit), m_part(part),
      m_pictures(archive, pictureLimit, QStringLiteral("odt-picture"))
{
}

void OdtBodyReader::read()
{
    readBlocks();
}

void OdtBodyReader::readBlocks()
{
    readChildren(m_xml, m_nesting, [this] { readBlockElement(); });
}

void OdtBodyReader::readBlockElement()
{
    const QStringView name = m_xml.name();
    if (name == u"p" || name == u"h")
        readParagraph();
    else if (name == u"list")
        readList();
    else if (name == u"table")
        readTable();
    else if (name == u"frame")
        readFrame(m_markFormat, Anchor::Page);
    else if (name == u"section" || name == u"index-body" || name == u"index-title" ||
             name.endsWith(u"index") || name == u"table-of-content" || name == u"bibliography")
        readBlocks();
    else
        m_xml.skipCurrentElement();
}

// Lists.

void OdtBodyReader::readList()
{
    const Nesting nesting(m_nesting);
    const QString style = styleName(m_xml);
    const std::optional<List> outer = m_list;
    List list;
    if (outer) {
        list = *outer;
        list.level = outer->level + 1;
        if (!style.isEmpty())
            list.style = style;
    } else {
        // A list that continues another takes its numbering, and its style unless it names one.
        const QString continued = attribute(m_xml, QLatin1StringView("continue-list")).toString();
        if (const auto before = m_listsById.constFind(continued); before != m_listsById.cend()) {
            list.id = before->id;
            list.style = before->style;
        } else if (attribute(m_xml, QLatin1StringView("continue-numbering")) == u"true" &&
                   m_lastListOfStyle.contains(style)) {
            list.id = m_lastListOfStyle.value(style);
        } else {
            list.id = ++m_listCount;
        }
        if (!style.isEmpty())
            list.style = style;
        m_lastListOfStyle.insert(list.style, list.id);
    }
    if (const QStringView id = attribute(m_xml, QLatin1StringView("id")); !id.isEmpty())
        m_listsById.insert(id.toString(), list);
    m_list = list;
    while (m_xml.readNextStartElement()) {
        const bool item = m_xml.name() == u"list-item";
        if (!nesting.allowsMore() || (!item && m_xml.name() != u"list-header")) {
            m_xml.skipCurrentElement();
            continue;
        }
        // Only the first paragraph of an item shows its label; a header shows none.
        m_list->numbered = item;
        m_list->restart.reset();
        if (const int start = attribute(m_xml, QLatin1StringView("start-value")).toInt(); item && start > 0)
            m_list->restart = start;
        readBlocks();
    }
    m_list = outer;
}

// Tables.

void OdtBodyReader::readTable()
{
    const Nesting nesting(m_nesting);
    QList<int> widths;
    std::optional<DocxTableBuilder> table;
    QHash<int, std::pair<int, int>> merges; // by column: the columns and the rows still to merge
    // Columns and rows may stand in groups; the columns come first.
    const auto readContent = [&](const auto& self) -> void {
        const Nesting group(m_nesting);
        while (m_xml.readNextStartElement()) {
            const QStringView name = m_xml.name();
            if (name == u"table-column") {
                const int width = m_styles.columnWidth(styleName(m_xml));
                for (int repeated = count(m_xml, "number-columns-repeated", MaxColumns);
                     repeated > 0 && widths.size() < MaxColumns; --repeated)
                    widths.append(width > 0 ? width : 1440);
                m_xml.skipCurrentElement();
            } else if (name == u"table-row") {
                if (!table)
                    table.emplace(m_cursor, widths);
                readRow(*table, merges);
            } else if ((name == u"table-columns" || name == u"table-header-columns" ||
                        name == u"table-column-group" || name == u"table-rows" ||
                        name == u"table-header-rows" || name == u"table-row-group") &&
                       group.allowsMore()) {
                self(self);
            } else {
                m_xml.skipCurrentElement();
            }
        }
    };
    readContent(readContent);
    if (!table)
        return;
    m_cursor = table->finish();
    m_blockFresh = true;
}

void OdtBodyReader::readRow(DocxTableBuilder& table, QHash<int, std::pair<int, int>>& merges)
{
    using Merge = DocxTableBuilder::VerticalMerge;
    table.startRow();
    int column = 0;
    int covered = 0; // covered cells that belong to the cell spanning columns before them
    while (m_xml.readNextStartElement()) {
        const QStringView name = m_xml.name();
        if (name == u"covered-table-cell") {
            for (int repeated = count(m_xml, "number-columns-repeated", MaxColumns); repeated > 0;
                 --repeated, ++column) {
                if (covered > 0) {
                    --covered;
                } else if (const auto merge = merges.find(column); merge != merges.end()) {
                    // The cell continues the one above that spans rows.
                    table.startCell(merge->first, Merge::Continue);
                    covered = merge->first - 1;
                    if (--merge->second == 0)
                        merges.erase(merge);
                } else {
                    table.startCell(1, Merge::None);
                }
            }
            m_xml.skipCurrentElement();
            continue;
        }
        if (name != u"table-cell") {
            m_xml.skipCurrentElement();
            continue;
        }
        const int columns = count(m_xml, "number-columns-spanned", MaxColumns);
        const int rows = count(m_xml, "number-rows-spanned", MaxRowSpan);
        const int repeated = count(m_xml, "number-columns-repeated", MaxColumns);
        merges.remove(column);
        if (rows > 1)
            merges.insert(column, {columns, rows - 1});
        const std::optional<QTextCursor> cell =
            table.startCell(columns, rows > 1 ? Merge::Restart : Merge::None);
        covered = columns - 1;
        ++column;
        if (cell) {
            m_cursor = *cell;
            m_blockFresh = true;
            readBlocks();
        } else {
            m_xml.skipCurrentElement();
        }
        // Repeated cells are empty ones in the documents that repeat them.
        for (int more = 1; more < repeated; ++more, ++column)
            table.startCell(1, Merge::None);
    }
}

// Paragraphs.

void OdtBodyReader::readParagraph()
{
    const QString style = styleName(m_xml);
    startParagraph(style);
    readInline(m_markFormat);
    if (m_styles.paragraph(style).pageBreakAfter)
        m_pageBreakPending = true;
}

void OdtBodyReader::startParagraph(const QString& name)
{
    const OdtStyles::Paragraph style = m_styles.paragraph(name);
    // The paragraph's style, then its list level, then its own properties.
    DocxParagraphProperties properties = style.common;
    ListItemValues item;
    if (m_list) {
        const QString listStyle = m_list->style.isEmpty() ? style.listStyle : m_list->style;
        if (const auto level = m_styles.listStyles().level(listStyle, m_list->level)) {
            properties.merge(level->indents);
            // A paragraph without a label starts where the item's text does.
            if (!m_list->numbered || level->numbering == 0)
                properties.firstLine = 0;
            if (m_list->numbered && level->numbering != 0) {
                item.numbering = level->numbering;
                item.start = level->start;
                item.style = level->style;
                item.level = std::min(m_list->level, ListRuns::MaxLevel);
                if (item.numbering != PFN_BULLET)
                    item.levelText = level->levelText;
            }
        }
    }
    properties.merge(style.own);
    ParagraphValues values = properties.values();
    // Tab stops are measured from the paragraph's indent.
    for (int& tab : values.tabs)
        tab += values.leftIndent;
    if (m_pageBreakPending) {
        values.pageBreakBefore = true;
        m_pageBreakPending = false;
    }
    if (item.numbering != 0) {
        // An item that gives its number starts the numbering of its level again from it.
        if (m_list->restart)
            m_lists.restart(m_list->id, item.level, *m_list->restart - item.start);
        item.start += m_lists.enter(m_list->id, item.level);
    }
    const QTextBlockFormat blockFormat = blockFormatOf(values, item);
    m_markFormat = style.text;
    if (m_blockFresh) {
        m_cursor.setBlockFormat(blockFormat);
        m_cursor.setBlockCharFormat(m_markFormat);
        m_blockFresh = false;
    } else {
        m_cursor.insertBlock(blockFormat, m_markFormat);
    }
    if (item.numbering != 0)
        m_lists.add(m_cursor, m_list->id, item.level, item.numbering);
    if (m_list)
        m_list->numbered = false;
    m_afterSpace = true;
}

// Text.

void OdtBodyReader::readInline(const QTextCharFormat& format)
{
    const Nesting nesting(m_nesting);
    while (!m_xml.atEnd()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::Characters:
            insertCollapsed(m_xml.text(), format);
            break;
        case QXmlStreamReader::StartElement:
            if (nesting.allowsMore())
                readInlineElement(format);
            else
                m_xml.skipCurrentElement();
            break;
        case QXmlStreamReader::EndElement:
            return;
        default:
            break;
        }
    }
}

void OdtBodyReader::readInlineElement(const QTextCharFormat& format)
{
    const QStringView name = m_xml.name();
    if (name == u"span") {
        readInline(m_styles.text(styleName(m_xml), format));
    } else if (name == u"a") {
        QTextCharFormat linked = m_styles.text(styleName(m_xml), format);
        setCharLink(linked, attribute(m_xml, QLatin1StringView("href")).toString());
        readInline(linked);
    } else if (name == u"s") {
        insertText(QString(count(m_xml, "c", MaxSpaces), u' '), format);
        m_xml.skipCurrentElement();
    } else if (name == u"tab") {
        insertText(QStringLiteral("\t"), format);
        m_xml.skipCurrentElement();
    } else if (name == u"line-break") {
        insertText(QString(QChar::LineSeparator), format);
        m_xml.skipCurrentElement();
    } else if (name == u"frame") {
        readFrame(format, Anchor::Text);
    } else if (name == u"note" && m_part == Part::Text) {
        readNote(format);
    } else if (m_xml.namespaceUri() == TextNamespace && name != u"note" && name != u"ruby-text") {
        // Fields, marks and the other wrappers of text show the text they hold.
        readInline(format);
    } else {
        // Comments, drawings, tracked changes.
        m_xml.skipCurrentElement();
    }
}

void OdtBodyReader::readFrame(const QTextCharFormat& format, Anchor anchor)
{
    const auto length = [&](const char* name) {
        return twipsToPixels(OdtLength::twips(attribute(m_xml, QLatin1StringView(name))).value_or(0));
    };
    const QSizeF size(length("width"), length("height"));
    bool shown = false; // a frame holds a picture in several kinds, the best first
    while (m_xml.readNextStartElement()) {
        QString part = attribute(m_xml, QLatin1StringView("href")).toString();
        if (part.startsWith(QLatin1StringView("./")))
            part.remove(0, 2);
        if (m_xml.name() != u"image" || shown || part.isEmpty() || !m_archive.contains(part)) {
            m_xml.skipCurrentElement();
            continue;
        }
        // A picture on the page, between paragraphs, stands in a paragraph of its own.
        if (anchor == Anchor::Page) {
            startParagraph(QString());
            anchor = Anchor::Text;
        }
        switch (m_pictures.insert(m_cursor, part, size, format)) {
        case OfficePictures::Result::Inserted:
            shown = true;
            m_afterSpace = false;
            break;
        case OfficePictures::Result::NotAPicture:
            break;
        case OfficePictures::Result::Failed:
            m_xml.raiseError(m_pictures.errorString());
            return;
        }
        m_xml.skipCurrentElement();
    }
}

// Notes.

void OdtBodyReader::readNote(const QTextCharFormat& format)
{
    const auto kind = attribute(m_xml, QLatin1StringView("note-class")) == u"endnote"
                          ? RtfNoteGroup::Kind::Endnote
                          : RtfNoteGroup::Kind::Footnote;
    QString label; // a mark of the author's own instead of the note's number
    QTextDocument note;
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() == u"note-citation") {
            label = attribute(m_xml, QLatin1StringView("label")).toString();
            m_xml.skipCurrentElement();
        } else if (m_xml.name() == u"note-body") {
            OdtBodyReader(m_xml, QTextCursor(&note), m_styles, m_archive, m_pictureLimit, Part::Note).read();
        } else {
            m_xml.skipCurrentElement();
        }
    }
    // A note without a mark of its own is numbered as the notes come, as LibreOffice numbers it:
    // the citation a file holds is only what its writer showed (AbiWord writes 21, 22 ... there).
    const int number = ++(kind == RtfNoteGroup::Kind::Footnote ? m_footnotes : m_endnotes);
    const QString citation = label.isEmpty() ? RtfNoteGroup::automaticMark(kind, number) : label;
    QTextCharFormat mark = format;
    mark.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    RtfNoteGroup::setNote(mark, RtfNoteGroup::write(note, kind, label), label.isEmpty());
    insertText(citation, mark);
}

void OdtBodyReader::insertText(const QString& text, const QTextCharFormat& format)
{
    m_cursor.insertText(plainText(text), format);
    m_afterSpace = false;
}

void OdtBodyReader::insertCollapsed(QStringView text, const QTextCharFormat& format)
{
    // Each run of white space is one space, and none at the start of a paragraph.
    QString collapsed;
    collapsed.reserve(text.size());
    for (const QChar character : text) {
        if (!isBlank(character)) {
            collapsed += character;
            m_afterSpace = false;
        } else if (!m_afterSpace) {
            collapsed += u' ';
            m_afterSpace = true;
        }
    }
    if (collapsed.isEmpty())
        return;
    m_cursor.insertText(plainText(collapsed), format);
}
