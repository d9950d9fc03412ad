// The rich edit control's embedded objects: pictures inserted at the
// selection, and the picture of a selected object.

#include "editcontrol/RichEditControl.h"

#include "editcontrol/DocumentPictures.h"

#include <QApplication>
#include <QTextCursor>
#include <QTextDocument>

bool RichEditControl::InsertObject(const QImage& image, const QByteArray& data, const QString& kind)
{
    QTextCursor cursor = textCursor();
    if (image.isNull() || !HasOleCallback() || isPlainTextMode() ||
        !mayChange({WM_PASTE, 0, 0}, {cursor.selectionStart(), cursor.selectionEnd()}))
        return false;
    const QString object(QChar::ObjectReplacementCharacter);
    if (fitToLimit(object, cursor).isEmpty()) {
        QApplication::beep();
        return false;
    }
    DocumentPictures::insert(cursor, image, data, kind);
    // The new object is left selected and scrolled into view.
    cursor.setPosition(cursor.position() - 1, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
    return true;
}

QTextImageFormat RichEditControl::SelectedObject() const
{
    const QTextCursor selection = textCursor();
    if (selection.selectionEnd() - selection.selectionStart() != 1)
        return {};
    QTextCursor object(document());
    object.setPosition(selection.selectionEnd());
    return object.charFormat().toImageFormat();
}

QImage RichEditControl::ObjectImage(const QTextImageFormat& format) const
{
    return DocumentPictures::imageOf(*document(), format);
}
