#include "platform/ClipboardSnapshot.h"

#include "platform/RichEditMimeData.h"

#include <QApplication>
#include <QClipboard>

namespace {

// The tag by which an editor knows its own data on the clipboard.
constexpr const char* OwnerTag = "zorvanRichEditControl";

std::unique_ptr<QMimeData> copyOf(const QMimeData* source)
{
    if (!source || source->formats().isEmpty())
        return nullptr;
    // An editor's own content keeps its document fragment, so that pasting
    // it later is as faithful as before.
    if (const auto* ours = qobject_cast<const RichEditMimeData*>(source)) {
        std::unique_ptr<QMimeData> copy(ours->clone());
        copy->setProperty(OwnerTag, ours->property(OwnerTag));
        return copy;
    }
    auto copy = std::make_unique<QMimeData>();
    const QString imageFormat = QStringLiteral("application/x-qt-image");
    for (const QString& format : source->formats()) {
        if (format != imageFormat)
            copy->setData(format, source->data(format));
    }
    if (source->hasImage())
        copy->setImageData(source->imageData());
    return copy;
}

} // namespace

ClipboardSnapshot::ClipboardSnapshot() : m_data(copyOf(QApplication::clipboard()->mimeData()))
{
}

ClipboardSnapshot::~ClipboardSnapshot() = default;

void ClipboardSnapshot::restore() const
{
    QClipboard* clipboard = QApplication::clipboard();
    if (!m_data) {
        clipboard->clear();
        return;
    }
    // The clipboard takes ownership of what it is given; the snapshot keeps
    // its own copy, so that it can be restored more than once.
    clipboard->setMimeData(copyOf(m_data.get()).release());
}
