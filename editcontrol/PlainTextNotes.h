#pragma once

// Footnotes and endnotes in plain text: after the document's text come a blank line and a separator line,
// then each note on its own line, "[mark] text", footnotes before endnotes, each in
// document order. Comparisons with other programs' text, which leave notes out, cut at
// the separator line.

#include <QString>

class QTextDocument;

namespace PlainTextNotes {

// The line between the document's text and its notes.
inline constexpr QStringView Separator = u"__________";

// The notes whose marks lie in positions from..to-1, as they follow the document's text:
// a blank line, the separator line and the notes, lines ending with '\r' between them;
// empty when there are none.
QString notesText(const QTextDocument& document, int from, int to);

} // namespace PlainTextNotes
