#pragma once

// The rich edit control's side of the clipboard and of drag and drop: what a
// paste or a drop inserts from MIME data, and the data that a copy or a drag of
// the selection offers.
//
// A paste takes the richest kind on offer: this program's own rich text, else
// RTF (under any of its names), else pictures (PNG or JPEG bytes, an image, or
// picture files named by URLs), else plain text. It never leaves more than the
// text limit in the document, and without objects allowed it inserts no
// pictures, also none that come inside rich text.

#include "editcontrol/RichEditTypes.h"

class QMimeData;
class QObject;
class QTextCursor;
class QTextDocument;

class RichEditClipboard
{
public:
    // What a paste may take from the data.
    enum class Content { Anything, TextOnly, PictureOnly };
    // Whether pictures may be inserted (whether the control may embed objects).
    enum class Objects { Refused, Allowed };

    // Pastes go into `document`, which may hold at most `textLimit` characters.
    RichEditClipboard(QTextDocument& document, LONG textLimit, Objects objects);

    // Whether `source` holds something of `content` that a paste would take.
    bool canInsert(const QMimeData& source, Content content) const;

    // Inserts what `source` holds of `content` at `cursor`, replacing its
    // selection, as one undo step; the cursor ends after what was inserted.
    void insert(const QMimeData& source, Content content, QTextCursor& cursor) const;

    // The selection as clipboard or drag data, marked as coming from `owner`.
    static QMimeData* dataOf(const QTextCursor& selection, const QObject* owner);
    // Whether `data` is what dataOf made for `owner`.
    static bool isDataOf(const QMimeData* data, const QObject* owner);

private:
    bool insertRichText(const QMimeData& source, QTextCursor& cursor) const;
    bool insertPictures(const QMimeData& source, QTextCursor& cursor) const; // whether it inserted any
    void insertPlainText(const QMimeData& source, QTextCursor& cursor) const;
    // Drops the pictures and objects of text pasted at [start, cursor) when
    // objects are refused, and what exceeds the limit.
    void trimPastedRichText(QTextCursor& cursor, int start) const;

    QTextDocument& m_document;
    LONG m_textLimit;
    Objects m_objects;
};
