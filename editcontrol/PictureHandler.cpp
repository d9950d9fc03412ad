#include "editcontrol/PictureHandler.h"

#include <QPainter>
#include <QPixmap>
#include <QTextDocument>
#include <QTextFormat>

namespace {

// The picture a format names; a picture that cannot be found is shown as Qt's
// small blank page, so that the character stays visible and clickable.
QPixmap pictureOf(QTextDocument* document, const QTextImageFormat& format)
{
    const QVariant data = document->resource(QTextDocument::ImageResource, QUrl(format.name()));
    QPixmap picture;
    if (data.userType() == QMetaType::QPixmap || data.userType() == QMetaType::QImage)
        picture = qvariant_cast<QPixmap>(data);
    else if (data.userType() == QMetaType::QByteArray)
        picture.loadFromData(data.toByteArray());
    if (picture.isNull())
        picture = QPixmap(QStringLiteral(":/qt-project.org/styles/commonstyle/images/file-16.png"));
    return picture;
}

} // namespace

QSizeF PictureHandler::intrinsicSize(QTextDocument* document, int, const QTextFormat& format)
{
    const QTextImageFormat picture = format.toImageFormat();
    const bool hasWidth = picture.hasProperty(QTextFormat::ImageWidth);
    const bool hasHeight = picture.hasProperty(QTextFormat::ImageHeight);
    const int width = qRound(picture.width());
    const int height = qRound(picture.height());
    QSize size(width, height);
    if (hasWidth && hasHeight)
        return size;
    const QSizeF own = pictureOf(document, picture).deviceIndependentSize();
    if (!hasWidth)
        size.setWidth(hasHeight ? qRound(height * (own.width() / own.height())) : int(own.width()));
    if (!hasHeight)
        size.setHeight(hasWidth ? qRound(width * (own.height() / own.width())) : int(own.height()));
    return size;
}

void PictureHandler::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int,
                                const QTextFormat& format)
{
    const QPixmap picture = pictureOf(document, format.toImageFormat());
    painter->drawPixmap(rect, picture, picture.rect());
}
