#pragma once

// Writes the content of a document as WordprocessingML: paragraphs with their formats and list
// numbering, runs of text with tabs and line breaks, links, fields, pictures, tables with
// merged cells, and the reference marks of notes. The main document's body and each note's
// text are written by one of these.

#include "office/DocxFormatWriter.h"
#include "office/OfficeFlow.h"

#include <QFont>
#include <QList>
#include <QString>

class DocxRelationships;
class OfficeLists;
class OfficePictures;
class QTextDocument;
class QXmlStreamWriter;
struct OfficeNote;

class DocxBodyWriter : private OfficeFlow::Visitor
{
public:
    // Where the notes met are kept until their parts are written.
    class NoteSink
    {
    public:
        virtual ~NoteSink() = default;
        // The id of the note read from `group`, kept for its part.
        virtual int add(const QByteArray& group, int codePage, bool& endnote) = 0;
    };

    // What the writers of one document's parts share: its pictures, the count that numbers its
    // drawings, and its default face and size, which runs of that face and size are left to.
    struct Shared
    {
        OfficePictures& pictures;
        QFont defaults;
        int drawings = 0;
    };

    // Pictures and links add relationships of the part written to `relationships`.
    // `lists` and `notes` may be null (a note's text has no lists or notes of its own).
    DocxBodyWriter(QXmlStreamWriter& xml, DocxRelationships& relationships, Shared& shared,
                   const OfficeLists* lists, NoteSink* notes);

    // Starts a part whose content this writes: the XML declaration and the root element
    // `root` ("w:document", "w:footnotes") with the namespaces of the content.
    static void startPart(QXmlStreamWriter& xml, const QString& root);

    // Writes the paragraphs and tables of `document`. In a note's text, the character
    // OfficeNote::NumberMark is the note's number, written as the element `numberElement`
    // ("w:footnoteRef", "w:endnoteRef").
    void write(const QTextDocument& document, const QString& numberElement = QString());

private:
    void paragraph(const QTextBlock& block) override;
    void table(const QTextTable& table) override;

    void writeRun(const OfficeRun& run);
    void writeText(const OfficeRun& run, QStringView text);
    void writeNoteReference(const OfficeRun& run);
    void writePicture(const OfficeRun& run);
    void switchLink(const QString& link);
    void switchField(const QString& field);

    QXmlStreamWriter& m_xml;
    DocxRelationships& m_relationships;
    Shared& m_shared;
    const OfficeLists* m_lists;
    NoteSink* m_notes;
    const QTextDocument* m_document = nullptr;
    QString m_numberElement;
    QString m_link;  // the link open in the paragraph being written
    QString m_field; // the field open in it
};
