#include "platform/ClipboardSnapshot.h"

#include <QApplication>
#include <QClipboard>

namespace {

std::unique_ptr<QMimeData> copyOf(const QMimeData* source)
{
    if (!source || source->formats().isEmpty())
        return nullptr;
    // An editor's own content keeps its document fragment, so that pasting
    // it later is as faithful as before, and the tags by which the editor
    // knows it as its own.
    if (const auto* whole = qobject_cast<const CopyableMimeData*>(source)) {
        std::unique_ptr<QMimeData> copy(whole->clone());
        for (const QByteArray& name : whole->dynamicPropertyNames())
            copy->setProperty(name.constData(), whole->property(name.constData()));
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
