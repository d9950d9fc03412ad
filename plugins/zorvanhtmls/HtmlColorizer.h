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
// - a document whose colours are right is not touched: no undo step, and a
//   pending redo stays available (most key presses end here, since a typed
//   character takes the colour of its neighbour);
// - with nothing to undo (a document just opened), the changes are made with
//   undo switched off, which clears nothing of value and adds no step;
// - otherwise the changes are one edit block, so one undo step. Joining the
//   previous step instead is not possible in general: Qt joins only steps that
//   were edit blocks themselves (typing is not), and a join is announced as a
//   new step (undoCommandAdded) while a failed one is not, which would put the
//   editor's own count of undo steps (its undo limit) out of step with the
//   document.

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
