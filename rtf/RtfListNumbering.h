#pragma once

// How the writer spells the numbering of a list: the Windows numbering kind of a list,
// its \levelnfc and \pn words, and the text of an item's number.

#include <QString>

class QTextBlockFormat;
class QTextList;

namespace RtfListNumbering {

// The Windows numbering kind (PFN_) of a list's paragraph: the one the paragraph keeps,
// else the one of the list's style.
int numberingOf(const QTextBlockFormat& format, const QTextList* list);

// The \levelnfc number of a numbering kind.
int levelFormatOf(int numbering);

// The \pn word of a numbered kind (\pndec, \pnlcltr ...).
const char* pnKeywordOf(int numbering);

// The text after the number of a Windows numbering style; ")" for the styles without one
// of their own.
const char* afterText(int style);

// The number value as the kind shows it: "3", "c", "iii", "C" ...
QString numberText(int numbering, int value);

// An item's label as a numbering kind and style show it: "3.", "c)", "(iii)", or the
// bullet "•".
QString labelText(int numbering, int style, int value);

} // namespace RtfListNumbering
