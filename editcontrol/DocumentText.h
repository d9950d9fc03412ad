#pragma once

// The text of a QTextDocument as the rich edit control counts, reads and
// replaces it. Positions and lengths count a paragraph break and an embedded
// picture as one character each.

#include "editcontrol/RichEditTypes.h"

#include <QString>

class QTextCursor;
class QTextDocument;

namespace DocumentText {

// The count of characters; 0 for an empty document.
int length(const QTextDocument& document);

// The characters of `range` (cpMax EndOfText: up to the end; both ends cut to
// the text): a paragraph break, and the start or end of a table, as one CR, a
// soft line break as a vertical tab.
QString range(const QTextDocument& document, CHARRANGE range);

// What of `text` fits when it replaces `cursor`'s selection in a document that
// may hold at most `limit` characters: all of it, or as much of its start as fits.
QString fitted(const QString& text, const QTextCursor& cursor, LONG limit);

// Replaces everything with `text`, cut to `limit` characters, in the document's
// default character and paragraph format, as one edit.
void replaceAll(QTextDocument& document, const QString& text, LONG limit);

} // namespace DocumentText
