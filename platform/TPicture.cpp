#include "platform/TPicture.h"

#include "platform/PictureDecoder.h"
#include "platform/ZvExceptions.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace {

// The picture in `data`, null when the data is damaged or of another kind;
// metafiles, which nothing here can draw, throw.
QImage decoded(TPictureKind kind, const QByteArray& data, const QString& fileName)
{
    switch (kind) {
    case TPictureKind::Bitmap:
        return QImage::fromData(data, "BMP");
    case TPictureKind::Icon:
        return QImage::fromData(data, "ICO");
    case TPictureKind::Jpeg:
        return DecodeJpeg(data);
    case TPictureKind::Png:
        return DecodePng(data);
    case TPictureKind::Metafile:
    case TPictureKind::EnhancedMetafile:
        throw EInvalidGraphic(
            QStringLiteral("Metasoubory nelze na tomto systému zobrazit (\"%1\")").arg(fileName));
    }
    return {};
}

} // namespace

std::optional<TPictureKind> TPicture::KindOfFile(const QString& fileName)
{
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (extension == u"bmp" || extension == u"dib")
        return TPictureKind::Bitmap;
    if (extension == u"ico")
        return TPictureKind::Icon;
    if (extension == u"wmf")
        return TPictureKind::Metafile;
    if (extension == u"emf")
        return TPictureKind::EnhancedMetafile;
    if (extension == u"jpg" || extension == u"jpeg" || extension == u"jpe" || extension == u"jfif")
        return TPictureKind::Jpeg;
    if (extension == u"png")
        return TPictureKind::Png;
    return std::nullopt;
}

// Metafiles are left out: nothing here draws them, and a dialog should not
// offer a file that inserting then refuses.
std::vector<FileDialogFilter> TPicture::DialogFilters()
{
    const QString all = QStringLiteral("*.bmp;*.ico;*.jpg;*.jpeg;*.png");
    return {
        {QStringLiteral("All (%1)").arg(all), all},
        {QStringLiteral("Bitmaps (*.bmp)"), QStringLiteral("*.bmp")},
        {QStringLiteral("Icons (*.ico)"), QStringLiteral("*.ico")},
        {QStringLiteral("JPEG Image File (*.jpg;*.jpeg)"), QStringLiteral("*.jpg;*.jpeg")},
        {QStringLiteral("Portable Network Graphics (*.png)"), QStringLiteral("*.png")},
    };
}

void TPicture::LoadFromFile(const QString& fileName)
{
    const std::optional<TPictureKind> kind = KindOfFile(fileName);
    if (!kind)
        throw EInvalidGraphic(QStringLiteral("Soubor \"%1\" není obrázek známého typu").arg(fileName));
    QFile file(fileName);
    const auto unreadable = [&](const FileFault& fault) {
        return EInvalidGraphic(
            QStringLiteral("Obrázek \"%1\" nelze přečíst: %2").arg(fileName, file.errorString()), fault);
    };
    if (!file.open(QIODevice::ReadOnly))
        throw unreadable(FileFault::ofFailedOpen(fileName, FileAccess::Reading, file.errorString()));
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        const int error = errno;
        throw unreadable(FileFault{fileName, FileAccess::Reading, error, file.errorString()});
    }
    QImage image = decoded(*kind, data, fileName);
    if (image.isNull())
        throw EInvalidGraphic(
            QStringLiteral("Obrázek \"%1\" je poškozený nebo není typu, který udává jeho přípona")
                .arg(fileName));
    m_kind = *kind;
    m_image = std::move(image);
    m_fileData = std::move(data);
}

QString TPicture::StoredKind() const
{
    switch (m_kind) {
    case TPictureKind::Png:
        return QStringLiteral("png");
    case TPictureKind::Jpeg:
        return QStringLiteral("jpeg");
    case TPictureKind::Bitmap:
    case TPictureKind::Icon:
    case TPictureKind::Metafile:
    case TPictureKind::EnhancedMetafile:
        break;
    }
    return QString();
}
