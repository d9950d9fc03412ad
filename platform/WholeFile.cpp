#include "platform/WholeFile.h"

#include "platform/ZvExceptions.h"

#include <QDir>
#include <QSaveFile>

#include <cerrno>

#include <unistd.h>

void WholeFile::write(const QString& fileName, const std::function<void(QIODevice&)>& fill)
{
    const auto cannotCreate = [&](const QString& reason) {
        return EFCreateError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(QDir::toNativeSeparators(fileName), reason));
    };
    // On Linux the new file is opened unnamed (O_TMPFILE) and gets a name only
    // when it replaces the old one.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw cannotCreate(file.errorString());
    fill(file);
    // commit() notices neither the last buffered bytes failing to reach the
    // file nor the disk failing to keep them, so both are asked first.
    if (!file.flush())
        throw cannotCreate(file.errorString());
    if (::fsync(file.handle()) != 0)
        throw cannotCreate(qt_error_string(errno));
    if (!file.commit())
        throw cannotCreate(file.errorString());
}
