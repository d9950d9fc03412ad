#pragma once

// Writes the character and paragraph formats of the document model as WordprocessingML run and
// paragraph properties (<w:rPr>, <w:pPr>), from the Windows values the formats keep
// (format/TextFormatProperties.h), in the order the schema gives their elements.

#include <QString>

class QColor;
class QFont;
class QTextBlock;
class QTextCharFormat;
class QXmlStreamWriter;

namespace DocxFormatWriter {

// <w:rPr> of a run. The face and size of `defaults`, the document's defaults, are left to them.
void writeRunProperties(QXmlStreamWriter& xml, const QTextCharFormat& format, const QFont& defaults);

// The numbering of a list paragraph: its list (numId, from 1) and level; list 0 is none.
struct Numbering
{
    int list = 0;
    int level = 0;
};

// <w:pPr> of a paragraph, with the properties of its mark.
void writeParagraphProperties(QXmlStreamWriter& xml, const QTextBlock& block, Numbering numbering,
                              const QFont& defaults);

// "RRGGBB".
QString hexColor(const QColor& color);

} // namespace DocxFormatWriter
