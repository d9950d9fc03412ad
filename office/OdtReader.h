#pragma once

// Reads an OpenDocument text (.odt) into a QTextDocument, the same document model the RTF and
// Word readers build: character and paragraph formats carry the Windows values in the user
// properties of format/TextFormatProperties.h, list paragraphs are in QTextLists with their
// numbering.
//
// The whole file is needed at once (a ZIP archive is read from its end). Any fault fails the
// read: an archive that is damaged or truncated, a package of another kind, a part that is
// missing, inflates past its cap or is not well formed XML, a document type declaration (so
// no entity is expanded). The document then holds part of what was read: read into a
// document of its own and use it only when read() returns true.

#include "office/OfficeLimits.h"

#include <QString>

class QTextDocument;

class OdtReader
{
public:
    using Limits = OfficeLimits;

    OdtReader() = default;
    explicit OdtReader(const Limits& limits) : m_limits(limits) {}

    // Reads `bytes` into `document`, which should be empty.
    bool read(const QByteArray& bytes, QTextDocument& document);
    QString errorString() const { return m_error; }

private:
    Limits m_limits{};
    QString m_error;
};
