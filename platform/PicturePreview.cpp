#include "platform/PicturePreview.h"

#include "platform/TPicture.h"
#include "platform/ZvExceptions.h"

#include <QFileInfo>

namespace {

constexpr int PreviewSide = 200;

} // namespace

PicturePreview::PicturePreview(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("PicturePreview"));
    setAlignment(Qt::AlignCenter);
    setFixedSize(PreviewSide, PreviewSide);
    setFrameShape(QFrame::StyledPanel);
    setWordWrap(true);
}

void PicturePreview::showFile(const QString& fileName)
{
    clear();
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile())
        return;
    try {
        TPicture picture;
        picture.LoadFromFile(fileName);
        const QImage& image = picture.Image();
        const QSize room(PreviewSide - 8, PreviewSide - 8);
        // A small picture is shown at its own size, a big one scaled to fit.
        const QImage shown = image.width() > room.width() || image.height() > room.height()
                                 ? image.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                                 : image;
        setPixmap(QPixmap::fromImage(shown));
    } catch (const Exception&) {
        setText(tr("Náhled není k dispozici"));
    }
}
