#pragma once

// Writes a QTextDocument, or a range of it, as 7-bit RTF through a sink that takes chunks.
//
// The text is written in Windows-1250 (\ansicpg1250, \'hh), characters outside it as \uN
// with a "?" fallback. Character and paragraph formats are written from the Windows values
// stored in the formats' user properties (format/TextFormatProperties.h), lists as a list
// table with \ls and the older \pn numbering for older readers, links as HYPERLINK fields,
// tables as \trowd..\cell..\row, pictures as PNG or JPEG \pict groups, and groups that the
// reader kept verbatim (pictures and objects it could not show) as they were read.
// A run of East Asian text in a font of an East Asian character set also names its font
// for East Asian text (\dbch\af), a run of complex-script text its size (and its font,
// in a complex-script character set) for that script (\rtlch\af\afs).
//
// Its parts, each in a file of its own:
//   RtfWriter.cpp           the walk through blocks, fragments, tables, links and pictures
//   RtfWriterTables         the font and colour tables of the header
//   RtfListTable            the list table: lists that nest as one list of levels
//   RtfCharacterWriter      the character attributes of each run
//   RtfListNumbering        the words and number texts of list numbering
//   RtfOutput               the bytes: control words, hexadecimal, escaped 7-bit text, chunks

#include <QFlags>
#include <QtGlobal>

#include <functional>

class QTextDocument;

class RtfWriter
{
public:
    enum Option {
        NoOptions = 0,
        PlainRtf = 0x1,  // language-neutral RTF; written as any other, the languages of the text included
        NoObjects = 0x2, // pictures and objects are written as a blank
    };
    Q_DECLARE_FLAGS(Options, Option)

    // Receives the RTF in chunks of up to about 64 KB; returns false to stop the writing.
    using Sink = std::function<bool(const char* data, qsizetype size)>;

    explicit RtfWriter(const QTextDocument& document, Options options = NoOptions);

    // Writes the characters from position from up to position to (exclusive); to = -1 means
    // the end of the document including its final paragraph mark, which a reader takes as
    // the end of the last paragraph. A paragraph is ended by \par only when its paragraph
    // mark lies inside the range. Returns false when the sink refused a chunk.
    bool write(const Sink& sink, int from = 0, int to = -1) const;

private:
    const QTextDocument& m_document;
    Options m_options;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(RtfWriter::Options)
