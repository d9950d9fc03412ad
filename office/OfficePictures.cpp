#include "office/OfficePictures.h"

#include "format/TextFormatProperties.h"
#include "office/OfficeMetafile.h"

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

QByteArray pngOf(const QImage& image)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

} // namespace

OfficePictures::Placed OfficePictures::add(const QTextDocument& document, const QTextImageFormat& format)
{
    const QImage image = imageOf(document.resource(QTextDocument::ImageResource, QUrl(format.name())));
    QSizeF size(format.width(), format.height());
    if (size.width() <= 0)
        size.setWidth(image.width());
    if (size.height() <= 0)
        size.setHeight(image.height());
    if (size.isEmpty())
        return {};
    // Pictures the editor cannot show all show one placeholder: they are told apart by the
    // RTF they were kept as.
    const QByteArray kept = format.property(ObjectRtf).toByteArray();
    const QString key = format.name() + u'\n' + QString::number(qHash(kept));
    if (const auto known = m_partOfName.constFind(key); known != m_partOfName.cend())
        return {m_parts.at(*known).fileName, m_parts.at(*known).mimeType, size};

    QString kind = format.stringProperty(ObjectPictureKind);
    QString mimeType = QStringLiteral("image/") + kind;
    QByteArray data = format.property(ObjectPictureData).toByteArray();
    if (data.isEmpty() || (kind != u"png" && kind != u"jpeg")) {
        if (const std::optional<OfficeMetafile::File> metafile = OfficeMetafile::fromRtf(kept)) {
            kind = metafile->extension;
            mimeType = metafile->mimeType;
            data = metafile->data;
        } else if (!image.isNull()) {
            kind = QStringLiteral("png");
            mimeType = QStringLiteral("image/png");
            data = pngOf(image);
        } else {
            return {};
        }
    }
    const QString fileName = QStringLiteral("image%1.%2").arg(m_parts.size() + 1).arg(kind);
    m_partOfName.insert(key, int(m_parts.size()));
    m_parts.append({fileName, mimeType, data});
    return {fileName, mimeType, size};
}
