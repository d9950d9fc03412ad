#pragma once

// Reads the main part of a Word document (document.xml) into a QTextDocument: paragraphs with
// their styles, lists and direct formatting, runs of text with theirs, tabs, line and page
// breaks, links, pictures, tables with merged cells, the result text of fields and the
// reference marks of notes; or a notes part (footnotes.xml, endnotes.xml), each note into a
// document of its own, kept in the document's notes.

#include "format/ListRuns.h"
#include "office/DocxProperties.h"
#include "office/OfficePictures.h"
#include "office/OfficeXml.h"
#include "rtf/RtfNoteGroup.h"

#include <QHash>
#include <QList>
#include <QSizeF>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

class DocxNotes;
class DocxNumbering;
class DocxStyles;
class DocxTableBuilder;
class OfficeRelationships;
class XmlPartReader;
class ZipArchive;

class DocxBodyReader
{
public:
    // Pictures are read from `archive`, each under `pictureLimit` bytes.
    DocxBodyReader(QTextCursor cursor, const DocxStyles& styles, const DocxNumbering& numbering,
                   const OfficeRelationships& relationships, ZipArchive& archive, qint64 pictureLimit);

    // Reads the main part; false when it is not well formed (errorString says why), and the
    // document then holds what was read before the fault.
    bool read(XmlPartReader& part);
    // The notes that reference marks refer to, or that readNotes() reads into.
    void setNotes(DocxNotes& notes) { m_notes = &notes; }
    // Reads a notes part instead of the main part; the cursor is not used.
    bool readNotes(const QByteArray& part);
    QString errorString() const { return m_error; }

private:
    // A field being read: its instruction, then (once separated) its result.
    struct Field
    {
        QString instruction;
        bool separated = false;
    };

    using Nesting = OfficeXml::Nesting;

    // What a run's format is made of; runs alike share one format.
    struct FormatKey
    {
        DocxRunProperties properties;
        QString link;

        bool operator==(const FormatKey&) const = default;
        friend size_t qHash(const FormatKey& key, size_t seed)
        {
            return qHashMulti(seed, key.properties, key.link);
        }
    };

    // The note a reference mark in a run refers to.
    struct NoteReference
    {
        RtfNoteGroup::Kind kind;
        QString id;
    };

    void readBlocks();
    void readNote(RtfNoteGroup::Kind kind);
    void readBlockElement();
    void readTable();
    void readCell(DocxTableBuilder& table);
    void readParagraph();
    void readInline(const QString& link);
    void readInlineElement(const QString& link);
    void readRun(const QString& link);
    void readFieldCharacter();
    void readPicture(const QTextCharFormat& format);
    void insertPicture(const QString& id, QSizeF size, const QTextCharFormat& format);
    void startParagraph(const DocxParagraphProperties& own);
    void insertText(const QString& text, const QTextCharFormat& format);
    void insertNoteMark(const NoteReference& note, const QString& customMark, const QTextCharFormat& format);
    void pageBreak();
    bool inFieldInstruction() const;
    QString fieldLink(const QString& link) const;
    QTextCharFormat charFormat(const DocxRunProperties& properties, const QString& link);

    XmlPartReader* m_xml = nullptr; // the part being read
    QTextCursor m_cursor;
    const DocxStyles& m_styles;
    const DocxNumbering& m_numbering;
    const OfficeRelationships& m_relationships;
    DocxNotes* m_notes = nullptr;
    bool m_notesPart = false;
    OfficePictures m_pictures;
    ListRuns m_lists;
    QList<Field> m_fields;
    QHash<FormatKey, QTextCharFormat> m_formats;
    int m_nesting = 0;

    QString m_tableStyle;     // the table style of the cells being read; empty outside tables
    bool m_blockFresh = true; // the cursor's paragraph is empty and was given no format yet
    // The paragraph being read: its style, its format and whether it has shown text yet.
    QString m_paragraphStyle;
    QTextBlockFormat m_blockFormat;
    QTextCharFormat m_markFormat;
    bool m_paragraphStarted = false;
    bool m_paragraphHasText = false;
    bool m_pageBreakPending = false; // the next paragraph, or the rest of this one, starts a page
    QString m_error;
};
