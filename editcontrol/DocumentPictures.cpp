#include "editcontrol/DocumentPictures.h"

#include "format/TextFormatProperties.h"

#include <QImage>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <atomic>

namespace TFP = TextFormatProperties;

namespace DocumentPictures {

void insert(QTextCursor& cursor, const QImage& image, const QByteArray& data, const QString& kind)
{
    // Resource names are unique in the process, so that a picture copied to
    // another document never meets a different picture of the same name.
    static std::atomic<quint64> serial{0};
    const QString name = QStringLiteral("zorvan-picture-%1").arg(++serial);
    cursor.document()->addResource(QTextDocument::ImageResource, QUrl(name), image);
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

QImage imageOf(const QTextDocument& document, const QTextImageFormat& format)
{
    if (!format.isValid())
        return {};
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(format.name()));
    if (resource.canConvert<QImage>())
        return resource.value<QImage>();
    return {};
}

} // namespace DocumentPictures
