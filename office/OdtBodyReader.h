#pragma once

// Reads the text of an OpenDocument text (the <office:text> of content.xml) into a
// QTextDocument: paragraphs and headings with their styles, spans, white space as the format
// collapses it, tabs, line and page breaks, links, lists with their levels, tables with
// merged cells, pictures, and footnotes and endnotes (kept as the RTF reader keeps them, as
// note groups on their reference marks).

#include "format/ListRuns.h"
#include "office/OfficePictures.h"
#include "office/OfficeXml.h"

#include <QHash>
#include <QTextCharFormat>
#include <QTextCursor>

#include <optional>

class DocxTableBuilder;
class OdtStyles;
class XmlPartReader;
class ZipArchive;

class OdtBodyReader
{
public:
    // The text of the document, or of a note, which holds no notes of its own.
    enum class Part { Text, Note };

    // Pictures are read from `archive`, each under `pictureLimit` bytes.
    OdtBodyReader(XmlPartReader& xml, QTextCursor cursor, const OdtStyles& styles, ZipArchive& archive,
                  qint64 pictureLimit, Part part = Part::Text);

    // Reads the children of <office:text>, the current element, up to its end. A fault is
    // raised on the XML reader.
    void read();

private:
    using Nesting = OfficeXml::Nesting;

    // The list whose items are being read.
    struct List
    {
        qint64 id = 0;              // the same for lists that continue one another
        QString style;              // the list style; empty: the paragraphs' own
        int level = 0;              // 0-based
        bool numbered = false;      // the next paragraph is the item's first and shows its label
        std::optional<int> restart; // the number the next item shows, where the item says
    };

    void readBlocks();
    void readBlockElement();
    void readList();
    void readListItem(List& list);
    void readTable();
    void readRow(DocxTableBuilder& table, QHash<int, std::pair<int, int>>& merges);
    void readParagraph();
    void startParagraph(const QString& styleName);
    void readInline(const QTextCharFormat& format);
    void readInlineElement(const QTextCharFormat& format);
    // Where a frame stands: in a paragraph's text, or on the page between paragraphs.
    enum class Anchor { Text, Page };

    void readFrame(const QTextCharFormat& format, Anchor anchor);
    void readNote(const QTextCharFormat& format);
    void insertText(const QString& text, const QTextCharFormat& format);
    void insertCollapsed(QStringView text, const QTextCharFormat& format);

    XmlPartReader& m_xml;
    QTextCursor m_cursor;
    const OdtStyles& m_styles;
    ZipArchive& m_archive;
    qint64 m_pictureLimit;
    Part m_part;
    OfficePictures m_pictures;
    int m_footnotes = 0;
    int m_endnotes = 0;
    ListRuns m_lists;
    std::optional<List> m_list;
    qint64 m_listCount = 0;
    QHash<QString, List> m_listsById;         // by xml:id, for lists that continue them
    QHash<QString, qint64> m_lastListOfStyle; // for lists that continue the numbering
    int m_nesting = 0;

    bool m_blockFresh = true;        // the cursor's paragraph is empty and was given no format yet
    QTextCharFormat m_markFormat;    // of the paragraph being read: its style's text
    bool m_afterSpace = true;        // white space here is collapsed away
    bool m_pageBreakPending = false; // the next paragraph starts a page
};
