#pragma once

// Writes the content of a document as OpenDocument text (the body of content.xml): paragraphs
// with their automatic styles, list paragraphs inside nested <text:list> elements, spans of
// formatted text with tabs, line breaks and runs of spaces, links, pictures in frames, tables
// with spanned and covered cells, and notes with their text in place.

#include "office/OfficeFlow.h"

#include <QHash>
#include <QList>
#include <QString>

class OdtStyles;
class OfficeLists;
class OfficePictures;
class QTextDocument;
class QXmlStreamWriter;

class OdtBodyWriter : private OfficeFlow::Visitor
{
public:
    // What the writers of one file share: its styles and pictures and the counts that name
    // its frames, tables and notes.
    struct Context
    {
        OdtStyles& styles;
        OfficePictures& pictures;
        int frames = 0;
        int tables = 0;
        int notes = 0;
    };

    // `lists` is null for a note's text, which has neither lists nor notes of its own.
    OdtBodyWriter(QXmlStreamWriter& xml, Context& context, const OfficeLists* lists);

    void write(const QTextDocument& document);

private:
    void paragraph(const QTextBlock& block) override;
    void table(const QTextTable& table) override;

    void enterListItem(const QTextBlock& block, int list, int level);
    void closeLists();
    void writeRun(const OfficeRun& run);
    void writeText(QStringView text);
    void writeNote(const OfficeRun& run);
    void writePicture(const OfficeRun& run);
    void switchLink(const QString& link);

    QXmlStreamWriter& m_xml;
    Context& m_context;
    const OfficeLists* m_lists;
    const QTextDocument* m_document = nullptr;
    int m_list = -1;          // the nested list whose <text:list> elements are open
    QList<bool> m_itemOpen;   // for each open <text:list>, whether an item of it is open
    QString m_link;           // the link open in the paragraph being written
    bool m_afterSpace = true; // a space here would be collapsed into the one before
    QString m_noteSign;       // the sign of the note whose text this writes, until its text begins
    // The styles of the document's formats, by their indexes: a document has few formats and
    // many paragraphs and runs.
    QHash<int, QString> m_textStyles;
    QHash<std::pair<int, int>, QString> m_paragraphStyles; // by block and mark format
};
