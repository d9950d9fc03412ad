#pragma once

// Writes the numbering part of a Word document (numbering.xml) for the lists of a document:
// an abstract numbering for each nested list with its nine levels (kind, start number, label,
// indents) and a numbering (numId, from 1) that uses it.

#include <QByteArray>

class OfficeLists;

namespace DocxNumberingWriter {

QByteArray xml(const OfficeLists& lists);

} // namespace DocxNumberingWriter
