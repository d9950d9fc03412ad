#include "platform/WholeFile.h"

#include "platform/ZvExceptions.h"

#include <QDir>
#include <QSaveFile>

#include <cerrno>

#include <unistd.h>

namespace {

std::function<void(int)>& openedHook()
{
    static std::function<void(int)> hook;
    return hook;
}

// A save file that keeps the system's error number of its first failed
// write: the content may be written long before the failure is reported, and
// errno is gone by then.
class SaveFile : public QSaveFile
{
public:
    using QSaveFile::QSaveFile;

    int writeFailure() const { return m_writeFailure; }

    bool flushReportingFailure()
    {
        if (flush())
            return true;
        keepFailure(errno);
        return false;
    }

protected:
    qint64 writeData(const char* data, qint64 length) override
    {
        const qint64 written = QSaveFile::writeData(data, length);
        if (written < 0)
            keepFailure(errno);
        return written;
    }

private:
    void keepFailure(int error)
    {
        if (m_writeFailure == 0)
            m_writeFailure = error;
    }

    int m_writeFailure = 0;
};

} // namespace

void WholeFile::setOpenedHook(std::function<void(int descriptor)> hook)
{
    openedHook() = std::move(hook);
}

void WholeFile::write(const QString& fileName, const std::function<void(QIODevice&)>& fill)
{
    const auto cannotCreate = [&](const FileFault& fault) {
        return EFCreateError(QStringLiteral("Cannot create file \"%1\". %2")
                                 .arg(QDir::toNativeSeparators(fileName), fault.systemReason),
                             fault);
    };
    const auto failedWrite = [&](int error, const QString& reason) {
        return cannotCreate(FileFault{fileName, FileAccess::Writing, error, reason});
    };
    // On Linux the new file is opened unnamed (O_TMPFILE) and gets a name only
    // when it replaces the old one.
    SaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw cannotCreate(FileFault::ofFailedOpen(fileName, FileAccess::Writing, file.errorString()));
    if (openedHook())
        openedHook()(file.handle());
    try {
        fill(file);
    } catch (...) {
        // A write that failed is the cause, whatever `fill` made of it.
        if (file.writeFailure() != 0)
            throw failedWrite(file.writeFailure(), file.errorString());
        throw;
    }
    // commit() notices neither the last buffered bytes failing to reach the
    // file nor the disk failing to keep them, so both are asked first; a
    // write that failed unnoticed by `fill` counts as well.
    if (!file.flushReportingFailure() || file.writeFailure() != 0)
        throw failedWrite(file.writeFailure(), file.errorString());
    if (::fsync(file.handle()) != 0) {
        const int error = errno;
        throw failedWrite(error, qt_error_string(error));
    }
    if (!file.commit()) {
        const int error = errno;
        throw failedWrite(error, file.errorString());
    }
}
