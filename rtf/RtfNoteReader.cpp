#include "rtf/RtfNoteReader.h"

#include "rtf/RtfDocumentBuilder.h"
#include "rtf/RtfNoteGroup.h"
#include "rtf/RtfReaderState.h"
#include "rtf/RtfTextDecoder.h"

void RtfNoteReader::appendAutomaticMark(const GroupState& group)
{
    const QString number = RtfNoteGroup::automaticMark(RtfNoteGroup::Kind::Footnote, ++m_footnotes);
    for (QChar character : number)
        m_builder.appendCharacter(character.unicode(), group.chars, group.para);
    m_automaticMark = {m_builder.contentAdded(), number.size()};
}

void RtfNoteReader::finishNote(const QByteArray& captured, const ParaState& para)
{
    if (captured.isEmpty())
        return;
    const bool numbered = m_automaticMark.end == m_builder.contentAdded();
    const bool endnote = captured.contains("\\ftnalt");
    QString mark;
    if (numbered && endnote) {
        --m_footnotes; // the number was counted as a footnote's
        mark = RtfNoteGroup::automaticMark(RtfNoteGroup::Kind::Endnote, ++m_endnotes);
    }
    m_tables.notes.append({captured, numbered, m_decoder.ansiCodePage()});
    const int note = int(m_tables.notes.size() - 1);
    if (!m_builder.markNote(numbered ? m_automaticMark.length : 1, note, mark, para))
        m_tables.notes.removeLast();
    m_automaticMark = AutomaticMark();
}
