// The rich edit control's embedded objects: pictures inserted at the
// selection, and the picture of a selected object.

#include "editcontrol/RichEditControl.h"

#include "format/TextFormatProperties.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <atomic>

namespace TFP = TextFormatProperties;

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
    insertPicture(cursor, image, data, kind);
    // The new object is left selected and scrolled into view.
    cursor.setPosition(cursor.position() - 1, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
    return true;
}

void RichEditControl::insertPicture(QTextCursor& cursor, const QImage& image, const QByteArray& data,
                                    const QString& kind)
{
    // Resource names are unique in the process, so that a picture copied to
    // another document never meets a different picture of the same name.
    static std::atomic<quint64> serial{0};
    const QString name = QStringLiteral("zorvan-picture-%1").arg(++serial);
    document()->addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.merge(cursor.charFormat());
    format.setName(name);
    format.setWidth(image.width());
    format.setHeight(image.height());
    if (!data.isEmpty()) {
        format.setProperty(TFP::ObjectPictureKind, kind);
        format.setProperty(TFP::ObjectPictureData, data);
    }
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
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
    if (!format.isValid())
        return {};
    const QVariant resource = document()->resource(QTextDocument::ImageResource, QUrl(format.name()));
    if (resource.canConvert<QImage>())
        return resource.value<QImage>();
    return {};
}
