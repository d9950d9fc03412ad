#pragma once

// Exceptions of the program. Each carries the class name that the error log
// writes ("EFOpenError", "EOutOfResources", ...) and a message; one about a
// file also carries the file and the system's reason, so that the person is
// told which file and why. Handlers do not catch them: the application object
// hands every exception that escapes an event handler to the main window's
// error handler.

#include <QString>

#include <exception>
#include <optional>
#include <string>

enum class FileAccess { Reading, Writing };

// What went wrong with a file: its name, whether it was being read or
// written, and the system's error number (errno; 0 when the system gave
// none) with the system's own words for it.
struct FileFault
{
    QString fileName;
    FileAccess access = FileAccess::Reading;
    int error = 0;
    QString systemReason;

    // The fault of an opening of `fileName` that has just failed: errno as the
    // failed call left it, unless the file is a folder (EISDIR) or, for
    // writing, an existing file that cannot be written (EACCES), which Qt
    // refuses without asking the system. Call it before anything else can
    // change errno.
    static FileFault ofFailedOpen(const QString& fileName, FileAccess access, const QString& systemReason);
};

class Exception : public std::exception
{
public:
    explicit Exception(const QString& message);
    Exception(const QString& message, const FileFault& fault);

    virtual QString className() const { return QStringLiteral("Exception"); }
    QString message() const { return m_message; }
    const char* what() const noexcept override { return m_what.c_str(); }
    // Set when the error is about a file.
    const std::optional<FileFault>& fileFault() const { return m_fileFault; }

private:
    QString m_message;
    std::string m_what; // the message as UTF-8, kept alive for what()
    std::optional<FileFault> m_fileFault;
};

// Declares an exception class derived from `Base` whose class name is its own.
#define ZV_DECLARE_EXCEPTION(Name, Base)                                                                     \
    class Name : public Base                                                                                 \
    {                                                                                                        \
    public:                                                                                                  \
        using Base::Base;                                                                                    \
        QString className() const override { return QStringLiteral(#Name); }                                 \
    };

ZV_DECLARE_EXCEPTION(EOutOfMemory, Exception)
ZV_DECLARE_EXCEPTION(EOutOfResources, EOutOfMemory)
ZV_DECLARE_EXCEPTION(EStreamError, Exception)
ZV_DECLARE_EXCEPTION(EFileStreamError, EStreamError)
ZV_DECLARE_EXCEPTION(EFOpenError, EFileStreamError)
ZV_DECLARE_EXCEPTION(EFCreateError, EFileStreamError)
ZV_DECLARE_EXCEPTION(EReadError, EStreamError)
ZV_DECLARE_EXCEPTION(EWriteError, EStreamError)
ZV_DECLARE_EXCEPTION(EOleError, Exception)
ZV_DECLARE_EXCEPTION(EConvertError, Exception)
ZV_DECLARE_EXCEPTION(EInOutError, Exception)
ZV_DECLARE_EXCEPTION(EInvalidOperation, Exception)
ZV_DECLARE_EXCEPTION(EListError, Exception)
ZV_DECLARE_EXCEPTION(EInvalidGraphic, Exception)
ZV_DECLARE_EXCEPTION(EExternalException, Exception)

#undef ZV_DECLARE_EXCEPTION

// The class name the error log shows for any exception: the program's own
// name for ours, "EOutOfMemory" for std::bad_alloc, and the demangled C++ type
// name (such as "std::runtime_error") for other standard exceptions.
QString ExceptionClassName(const std::exception& exception);

// The message of any exception: ours as given, others from what() as UTF-8.
QString ExceptionMessage(const std::exception& exception);

// One Czech sentence naming the file of an error about a file and what a
// person can do about it ("Soubor „…“ neexistuje.", "… disk je plný."); empty
// for other errors.
QString FileFaultSentence(const std::exception& exception);
