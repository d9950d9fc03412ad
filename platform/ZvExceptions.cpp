#include "platform/ZvExceptions.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <typeinfo>

Exception::Exception(const QString& message) : m_message(message), m_what(message.toStdString())
{
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
