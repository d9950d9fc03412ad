#include "office/DocxNotes.h"

#include <QTextDocument>

DocxNotes::DocxNotes() = default;
DocxNotes::~DocxNotes() = default;

void DocxNotes::add(Kind kind, const QString& id, std::unique_ptr<QTextDocument> text)
{
    m_notes[indexOf(kind)].insert(id, std::move(text));
}

DocxNotes::Mark DocxNotes::mark(Kind kind, const QString& id, const QString& customMark,
                                const QTextCharFormat& format)
{
    std::shared_ptr<QTextDocument> note = m_notes[indexOf(kind)].value(id);
    if (!note)
        note = std::make_shared<QTextDocument>();
    const bool numbered = customMark.isEmpty();
    Mark mark{numbered ? RtfNoteGroup::automaticMark(kind, ++m_numbered[indexOf(kind)]) : customMark, format};
    RtfNoteGroup::setNote(mark.format, RtfNoteGroup::write(*note, kind, customMark), numbered);
    return mark;
}
