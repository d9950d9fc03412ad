#include "office/OfficePictureParts.h"

#include "format/TextFormatProperties.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QTextDocument>
#include <QTextFormat>
#include <QUrl>

using namespace TextFormatProperties;

namespace {

QImage imageOf(const QVariant& resource)
{
    switch (resource.typeId()) {
    case QMetaType::QImage:
        return resource.value<QImage>();
    case QMetaType::QPixmap:
        return resource.value<QPixmap>().toImage();
    case QMetaType::QByteArray:
        return QImage::fromData(resource.toByteArray());
    default:
        return {};
    }
}

} // namespace

OfficePictureParts::Placed OfficePictureParts::add(const QTextDocument& document,
                                                   const QTextImageFormat& format)
{
    const QImage image = imageOf(document.resource(QTextDocument::ImageResource, QUrl(format.name())));
    QSizeF size(format.width(), format.height());
    if (size.width() <= 0)
        size.setWidth(image.width());
    if (size.height() <= 0)
        size.setHeight(image.height());
    const QString key = format.name().isEmpty()
                            ? QString::number(qHash(format.property(ObjectPictureData).toByteArray()))
                            : format.name();
    if (const auto known = m_partOfName.constFind(key); known != m_partOfName.cend())
        return {m_parts.at(*known).fileName, size};

    QString kind = format.stringProperty(ObjectPictureKind);
    QByteArray data = format.property(ObjectPictureData).toByteArray();
    if (data.isEmpty() || (kind != u"png" && kind != u"jpeg")) {
        if (image.isNull())
            return {};
        data.clear();
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        kind = QStringLiteral("png");
    }
    if (size.isEmpty())
        return {};
    const QString fileName = QStringLiteral("image%1.%2").arg(m_parts.size() + 1).arg(kind);
    m_partOfName.insert(key, int(m_parts.size()));
    m_parts.append({fileName, QStringLiteral("image/") + kind, data});
    return {fileName, size};
}
