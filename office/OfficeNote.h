#pragma once

// A footnote or endnote of the document, kept as the RTF group it was read from, read into a
// document of its own for the writers of Word and OpenDocument files. The note's own automatic
// number (where its text shows the mark) becomes the character NumberMark.

#include <QByteArray>
#include <QChar>

#include <memory>

class QTextDocument;

struct OfficeNote
{
    // Stands where the note's text shows its own number; a noncharacter, never in a text.
    static constexpr QChar NumberMark = QChar(0xFDEF);

    // Reads `group` ({\footnote ...}, written in the ANSI code page `codePage`).
    OfficeNote(const QByteArray& group, int codePage);
    ~OfficeNote();
    OfficeNote(OfficeNote&&) noexcept;

    bool endnote = false;
    std::unique_ptr<QTextDocument> document;
};
