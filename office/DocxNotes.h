#pragma once

// The footnotes and endnotes of a Word document (footnotes.xml, endnotes.xml), read before the
// document's text that refers to them by id, and the reference marks made for them: the
// automatic ones numbered in the order of the text, each kind on its own (1, 2, 3 and i, ii,
// iii), every mark carrying its note's group as the RTF reader keeps a note.

#include "rtf/RtfNoteGroup.h"

#include <QHash>
#include <QTextCharFormat>

#include <memory>

class QTextDocument;

class DocxNotes
{
public:
    using Kind = RtfNoteGroup::Kind;

    DocxNotes();
    ~DocxNotes();
    DocxNotes(const DocxNotes&) = delete;
    DocxNotes& operator=(const DocxNotes&) = delete;

    // The note `id` of `kind` has the paragraphs of `text`.
    void add(Kind kind, const QString& id, std::unique_ptr<QTextDocument> text);

    struct Mark
    {
        QString text;
        QTextCharFormat format;
    };
    // The reference mark of the note `id` of `kind` in a run of `format`: customMark, or the
    // next automatic number when it is empty. A note the document lacks is an empty one, as
    // LibreOffice shows it.
    Mark mark(Kind kind, const QString& id, const QString& customMark, const QTextCharFormat& format);

private:
    static int indexOf(Kind kind) { return kind == Kind::Endnote ? 1 : 0; }

    QHash<QString, std::shared_ptr<QTextDocument>> m_notes[2]; // by kind, then id
    int m_numbered[2] = {};                                    // automatic marks given, by kind
};
