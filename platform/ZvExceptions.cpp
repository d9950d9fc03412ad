#include "platform/ZvExceptions.h"

#include <QDir>
#include <QFileInfo>

#include <cxxabi.h>

#include <cerrno>

#include <cstdlib>
#include <memory>
#include <new>
#include <typeinfo>

FileFault FileFault::ofFailedOpen(const QString& fileName, FileAccess access, const QString& systemReason)
{
    int error = errno;
    const QFileInfo file(fileName);
    if (file.isDir())
        error = EISDIR;
    else if (access == FileAccess::Writing && file.exists() && !file.isWritable())
        error = EACCES;
    return {fileName, access, error, systemReason};
}

Exception::Exception(const QString& message) : m_message(message), m_what(message.toStdString())
{
}

Exception::Exception(const QString& message, const FileFault& fault) : Exception(message)
{
    m_fileFault = fault;
}

namespace {

QString demangledTypeName(const std::type_info& type)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                std::free);
    if (status != 0 || !name)
        return QString::fromLatin1(type.name());
    return QString::fromLatin1(name.get());
}

} // namespace

QString ExceptionClassName(const std::exception& exception)
{
    if (auto* own = dynamic_cast<const Exception*>(&exception))
        return own->className();
    if (dynamic_cast<const std::bad_alloc*>(&exception))
        return QStringLiteral("EOutOfMemory");
    return demangledTypeName(typeid(exception));
}

QString ExceptionMessage(const std::exception& exception)
{
    if (auto* own = dynamic_cast<const Exception*>(&exception))
        return own->message();
    return QString::fromUtf8(exception.what());
}

namespace {

// The sentences for the reasons a person can act on; empty for the others.
QString readingSentence(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("Soubor „%1“ neexistuje.");
    case EISDIR:
        return QStringLiteral("Soubor „%1“ nelze otevřít, je to složka.");
    case EACCES:
    case EPERM:
        return QStringLiteral("Soubor „%1“ nelze přečíst, chybí oprávnění ke čtení.");
    default:
        return QString();
    }
}

QString writingSentence(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("Soubor „%1“ nelze uložit, jeho složka neexistuje.");
    case EISDIR:
        return QStringLiteral("Soubor „%1“ nelze uložit, je to složka.");
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return QStringLiteral("Do souboru „%1“ nelze zapisovat (je jen pro čtení nebo chybí oprávnění).");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Soubor „%1“ nelze uložit, disk je plný.");
    default:
        return QString();
    }
}

} // namespace

QString FileFaultSentence(const std::exception& exception)
{
    auto* own = dynamic_cast<const Exception*>(&exception);
    if (!own || !own->fileFault())
        return QString();
    const FileFault& fault = *own->fileFault();
    const bool reading = fault.access == FileAccess::Reading;
    const QString name = QDir::toNativeSeparators(fault.fileName);
    const QString known = reading ? readingSentence(fault.error) : writingSentence(fault.error);
    if (!known.isEmpty())
        return known.arg(name);
    // Any other reason in the system's own words.
    QString sentence =
        (reading ? QStringLiteral("Soubor „%1“ nelze přečíst") : QStringLiteral("Soubor „%1“ nelze uložit"))
            .arg(name);
    QString reason = fault.systemReason.trimmed();
    while (reason.endsWith(u'.'))
        reason.chop(1);
    if (!reason.isEmpty())
        sentence += QStringLiteral(": ") + reason;
    return sentence + u'.';
}
