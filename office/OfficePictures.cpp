#include "office/OfficePictures.h"

#include "format/TextFormatProperties.h"
#include "office/ZipArchive.h"

#include <QBuffer>
#include <QImage>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

using namespace TextFormatProperties;

namespace {

constexpr qreal MaxPictureSide = 10000; // pixels

} // namespace

OfficePictures::OfficePictures(ZipArchive& archive, qint64 limit, QString namePrefix)
    : m_archive(archive), m_limit(limit), m_namePrefix(std::move(namePrefix))
{
}

OfficePictures::Result OfficePictures::insert(QTextCursor& cursor, const QString& part, QSizeF size,
                                              const QTextCharFormat& format)
{
    const std::optional<QByteArray> data = m_archive.read(part, m_limit);
    if (!data) {
        m_error = m_archive.errorString();
        return Result::Failed;
    }
    // PNG and JPEG are kept as they are; other kinds the editor can show are kept as PNG.
    QString kind = data->startsWith("\x89PNG")    ? QStringLiteral("png")
                   : data->startsWith("\xFF\xD8") ? QStringLiteral("jpeg")
                                                  : QString();
    const QImage image = QImage::fromData(*data);
    if (image.isNull())
        return Result::NotAPicture;
    QByteArray kept = *data;
    if (kind.isEmpty()) {
        kind = QStringLiteral("png");
        QBuffer buffer(&kept);
        kept.clear();
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    }
    if (size.isEmpty())
        size = image.size();
    const QString name = QStringLiteral("%1-%2").arg(m_namePrefix).arg(++m_count);
    cursor.document()->addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat picture;
    picture.merge(format);
    picture.setName(name);
    picture.setWidth(std::min<qreal>(size.width(), MaxPictureSide));
    picture.setHeight(std::min<qreal>(size.height(), MaxPictureSide));
    picture.setProperty(ObjectPictureKind, kind);
    picture.setProperty(ObjectPictureData, kept);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), picture);
    return Result::Inserted;
}
