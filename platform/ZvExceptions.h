#pragma once

// Exceptions of the program. Each carries the class name that the error log
// writes ("EFOpenError", "EOutOfResources", ...) and a message. Handlers do not
// catch them: the application object hands every exception that escapes an
// event handler to the main window's error handler.

#include <QString>

#include <exception>
#include <string>

class Exception : public std::exception
{
public:
    explicit Exception(const QString& message);

    virtual QString className() const { return QStringLiteral("Exception"); }
    QString message() const { return m_message; }
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    QString m_message;
    std::string m_what; // the message as UTF-8, kept alive for what()
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
