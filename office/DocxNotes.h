#pragma once

// The footnotes and endnotes of a Word document as it is written: each note met in the text
// gets its id (footnotes and endnotes from 1 each), and its text is written into footnotes.xml
// or endnotes.xml, after the separators Word draws above the notes.

#include "office/DocxBodyWriter.h"
#include "office/DocxRelationships.h"
#include "office/OfficeNote.h"

#include <QByteArray>
#include <vector>

class DocxNotes : public DocxBodyWriter::NoteSink
{
public:
    int add(const QByteArray& group, int codePage, bool& endnote) override;

    enum class Kind { Footnotes, Endnotes };
    bool has(Kind kind) const;
    // The part (footnotes.xml, endnotes.xml) and the relationships of its pictures and links.
    QByteArray xml(Kind kind, DocxBodyWriter::Shared& shared, DocxRelationships& relationships) const;

private:
    std::vector<OfficeNote> m_footnotes;
    std::vector<OfficeNote> m_endnotes;
};
