#pragma once

// The pictures a Word or OpenDocument file carries as parts of its own: each picture of the
// document once, named image1.png, image2.jpeg ... in the order met. PNG and JPEG go as the
// document keeps them, Windows and enhanced metafiles kept in their RTF as .wmf and .emf, other
// pictures as PNG made from the image the document shows.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSizeF>
#include <QString>

class QTextDocument;
class QTextImageFormat;

class OfficePictures
{
public:
    struct Part
    {
        QString fileName; // "image1.png"
        QString mimeType; // "image/png"
        QByteArray data;
    };
    struct Placed
    {
        QString fileName;
        QString mimeType;
        QSizeF size; // pixels, as shown
    };

    // The part of the picture of `format`, added if new; an empty fileName when the document
    // has nothing to write for it.
    Placed add(const QTextDocument& document, const QTextImageFormat& format);

    const QList<Part>& parts() const { return m_parts; }

private:
    QList<Part> m_parts;
    QHash<QString, int> m_partOfName; // by the image format's resource name and kept RTF
};
