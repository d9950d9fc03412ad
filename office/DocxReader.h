#pragma once

// Reads a Word document (.docx) into a QTextDocument, the same document model the RTF reader
// builds: character and paragraph formats carry the Windows values in the user properties of
// format/TextFormatProperties.h, list paragraphs are in QTextLists with their numbering,
// footnotes and endnotes are their reference marks carrying the notes as the RTF reader keeps
// notes (rtf/RtfNoteGroup.h).
//
// The whole file is needed at once (a ZIP archive is read from its end). Any fault fails the
// read: an archive that is damaged or truncated, a part that is missing, inflates past its
// cap or is not well formed XML, a document type declaration (so no entity is expanded).
// The document then holds part of what was read: read into a document of its own and use it
// only when read() returns true.

#include "office/OfficeLimits.h"

#include <QString>

class QTextDocument;

class DocxReader
{
public:
    using Limits = OfficeLimits;

    DocxReader() = default;
    explicit DocxReader(const Limits& limits) : m_limits(limits) {}

    // Reads `bytes` into `document`, which should be empty.
    bool read(const QByteArray& bytes, QTextDocument& document);
    QString errorString() const { return m_error; }

private:
    Limits m_limits{};
    QString m_error;
};
