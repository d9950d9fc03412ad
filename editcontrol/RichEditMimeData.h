#pragma once

// The editor's selection as clipboard or drag data.
//
// It holds the selection as a QTextDocumentFragment together with the images of
// the pictures in it (a fragment keeps only the pictures' names) and the
// document's default font. Other programs get it as text/rtf (what saving the
// selection writes), text/html (pictures as data: URLs with their PNG or JPEG
// bytes) and text/plain (paragraph breaks as "\n", pictures left out); a
// selection of exactly one picture is offered as image/png and as Qt's image
// too. The RTF and HTML are made the first time someone asks for them, so
// copying a long text costs only the fragment.

#include "platform/ClipboardSnapshot.h"

#include <QFont>
#include <QHash>
#include <QTextDocumentFragment>

#include <optional>
#include <utility>

class QImage;
class QTextCursor;
class QTextDocument;

class RichEditMimeData : public CopyableMimeData
{
    Q_OBJECT
public:
    static constexpr QLatin1String RtfType{"text/rtf"};
    static constexpr QLatin1String PngType{"image/png"};
    static constexpr QLatin1String JpegType{"image/jpeg"};

    explicit RichEditMimeData(const QTextCursor& selection);

    const QTextDocumentFragment& fragment() const { return m_fragment; }

    // Gives `document` the images that the fragment's pictures show; call it
    // before inserting the fragment there.
    void addPicturesTo(QTextDocument* document) const;

    // The same contents, without the dynamic properties (such as the tag that
    // names the control it came from).
    RichEditMimeData* clone() const override;

    QStringList formats() const override;

    static QByteArray pngOf(const QImage& image); // the image encoded as PNG

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    RichEditMimeData() = default;

    QString plainTextData() const;
    QByteArray rtfData() const;
    QString htmlData() const;

    struct Picture
    {
        QVariant image;   // the document's resource
        QByteArray bytes; // the encoded picture as read, when kept
        QString kind;     // "png" or "jpeg" for kept bytes
    };
    // The bytes other programs get for a picture, and their image type.
    static std::pair<QByteArray, QString> encoded(const Picture& picture);

    QTextDocumentFragment m_fragment;
    QHash<QString, Picture> m_pictures; // by resource name
    QFont m_defaultFont;
    // Whether the selection begins with a paragraph break. Qt puts a break in
    // front of a fragment that starts inside a list item, so that the item stays
    // one; the text and RTF leave out a break that the selection did not have.
    bool m_startsWithBreak = false;
    std::optional<Picture> m_lonePicture; // the selection is this one picture
    mutable std::optional<QByteArray> m_rtf;
    mutable std::optional<QString> m_html;
};
