#pragma once

// A document read from and written to an EDITSTREAM callback in chunks, as the
// rich edit control's EM_STREAMIN and EM_STREAMOUT do it: RTF (SF_RTF, or
// SF_RTFNOOBJS to leave pictures and objects out, SFF_PLAINRTF) or plain text
// (SF_TEXT; UTF-8, or UTF-16 with SF_UNICODE), the whole document or, with
// SFF_SELECTION, the selection. Rich text that is a Word or OpenDocument
// package is read as such (editcontrol/PackageReading.h).

#include "editcontrol/RichEditTypes.h"

#include <functional>
#include <optional>

class QTextCursor;
class QTextDocument;

class RichEditStreaming
{
public:
    // Where a long read of a whole document shows its start while the rest is
    // read. Without these the document is shown when it is all read.
    struct FirstScreen
    {
        std::function<bool()> isShown; // whether the document is on screen at all
        std::function<void()> show;    // paints the start of the document as it stands
    };

    // A read leaves at most `textLimit` characters in `document`.
    RichEditStreaming(QTextDocument& document, LONG textLimit, FirstScreen firstScreen = {});

    enum class Undo { Off, On };

    // Reads the stream over the whole document or, with SFF_SELECTION, over
    // `selection`'s selection. Returns the count of characters the document
    // gained; none when nothing could be read (stream.dwError says why). The
    // modified flag stays as it was; plain text read as a whole document comes
    // in the default format. A whole document is no edit the user can undo: it
    // is read with undo off, which empties the undo history, and afterwards
    // undo is on when `undo` says so.
    std::optional<LONG> read(UINT format, EDITSTREAM& stream, QTextCursor selection, Undo undo);

    // Writes the whole document or, with SFF_SELECTION, `selection`'s
    // selection to the stream. Returns the count of characters written, 0 when
    // the stream failed (stream.dwError says why). Plain text leaves pictures
    // and objects out and gives list items their labels and the notes after
    // the text.
    LONG write(UINT format, EDITSTREAM& stream, const QTextCursor& selection) const;

private:
    enum class Target { WholeDocument, Selection };

    bool readText(UINT format, EDITSTREAM& stream, QTextCursor& cursor, Target target);
    bool readRtf(EDITSTREAM& stream, QTextCursor& cursor, Target target);

    QTextDocument& m_document;
    LONG m_textLimit;
    FirstScreen m_firstScreen;
};
