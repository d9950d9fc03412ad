#pragma once

// A picture loaded from a file for the insert-picture command: its kind, which
// the file's extension decides, the decoded image and the file's bytes.
//
// Bitmaps and icons are read with Qt's readers, JPEG and PNG with libjpeg and
// libpng (PictureDecoder.h). Metafiles are known kinds, but this system has
// nothing to draw them with, so loading one fails like a damaged file.

#include "platform/Desktop.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>
#include <vector>

enum class TPictureKind { Bitmap, Icon, Metafile, EnhancedMetafile, Jpeg, Png };

class TPicture
{
public:
    // The kind that the extension of `fileName` names, in any letter case;
    // none for other extensions and for names without one.
    static std::optional<TPictureKind> KindOfFile(const QString& fileName);

    // The file types the picture dialog offers, in the order shown: all
    // pictures first, then each kind on its own.
    static std::vector<FileDialogFilter> DialogFilters();

    // Reads and decodes the file. Throws EInvalidGraphic, with a Czech message
    // naming the file, for an unknown extension, a file that cannot be read
    // (then with the file's fault), damaged data or a metafile; the picture
    // then stays as it was.
    void LoadFromFile(const QString& fileName);

    // Bitmap until a file is loaded.
    TPictureKind Kind() const { return m_kind; }
    const QImage& Image() const { return m_image; }
    // The file's bytes as they were read.
    const QByteArray& FileData() const { return m_fileData; }
    // The name under which a rich text document keeps the file's bytes as
    // they are: "png" or "jpeg"; empty for the kinds it keeps as PNG instead.
    QString StoredKind() const;

private:
    TPictureKind m_kind = TPictureKind::Bitmap;
    QImage m_image;
    QByteArray m_fileData;
};
