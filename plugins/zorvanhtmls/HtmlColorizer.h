#pragma once

// Colours the HTML source held in a QTextDocument by setting the text colour
// of its characters: tags, attribute names, attribute values, comments and
// character references each get a colour of their own, all other text black.
//
// The colours are real character formats, as the text colour the user sets
// is: the program's "switch off" makes the whole text black through the same
// character formats, and colours shown through layout-only formats would
// survive that (and would fight the URL highlighter, which owns the layouts'
// additional formats).
//
// What a full pass costs is kept low because it runs on every key press:
// the document is read once (block texts and fragment colours), scanned once,
// and only the ranges whose colour differs are changed; a document already
// coloured right is not touched at all.
//
// The user's editing state is kept: the selection and caret (a cursor of our
// own does the work), the scroll position, the modified flag (restored) and
// every step of the undo history. Qt's public API cannot change formats outside
// the undo stack without clearing the whole stack, so:
// - with nothing to undo, the changes are made with undo switched off, which
//   clears nothing of value and adds no step;
// - otherwise they join the last undo step. When that step is an edit block
//   (pasting, opening, the program's commands) undoing it also undoes the
//   colours it caused. Plain typing is recorded outside edit blocks, so after
//   it the changes make an undo step of their own; since only wrong colours are
//   changed, that happens only where a typed character took over the colour of
//   a neighbour of another role (the first letter after a tag, say).

#include <QColor>

class QTextDocument;
enum class HtmlRole : unsigned char;

class HtmlColorizer
{
public:
    // The colour used for each role.
    static QColor colorOf(HtmlRole role);

    // Colours the whole document. Returns the number of ranges whose colour
    // had to change (0 when the document was already coloured right). A null
    // document is ignored.
    static int colorize(QTextDocument* document);
};
