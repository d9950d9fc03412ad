#pragma once

// Footnotes and endnotes: automatic reference marks (\chftn) are numbered in order, as
// word processors show them, and a note's group, kept as read, becomes part of the
// reference mark before it, so that a save writes it back.

#include <QByteArray>
#include <QtGlobal>

class RtfDocumentBuilder;
class RtfTextDecoder;
struct GroupState;
struct ParaState;
struct RtfDocumentTables;

class RtfNoteReader
{
public:
    RtfNoteReader(RtfDocumentTables& tables, const RtfTextDecoder& decoder, RtfDocumentBuilder& builder)
        : m_tables(tables), m_decoder(decoder), m_builder(builder)
    {
    }

    // \chftn in the text of `group`: the next footnote's number.
    void appendAutomaticMark(const GroupState& group);
    // The note read as `captured` belongs to the automatic number just read, or else to
    // the character before it, the note's own mark. A note without a mark is dropped.
    void finishNote(const QByteArray& captured, const ParaState& para);

private:
    RtfDocumentTables& m_tables;
    const RtfTextDecoder& m_decoder;
    RtfDocumentBuilder& m_builder;
    int m_footnotes = 0; // footnote reference marks numbered so far
    int m_endnotes = 0;
    // The last automatic reference mark: the builder's content after it, and its length.
    struct AutomaticMark
    {
        qint64 end = -1;
        qsizetype length = 0;
    } m_automaticMark;
};
