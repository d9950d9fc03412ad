#include "platform/Library.h"

#include "platform/ElfLibraryFault.h"

#include <QDir>

#include <dlfcn.h>

Library::Library(const QString& absolutePath)
{
    if (!QDir::isAbsolutePath(absolutePath)) {
        m_error = QStringLiteral("not an absolute path: ") + absolutePath;
        return;
    }
    m_error = elfLibraryFault(absolutePath);
    if (!m_error.isEmpty())
        return;
    m_handle = dlopen(QFile::encodeName(absolutePath).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle)
        m_error = QString::fromLocal8Bit(dlerror());
}

Library::~Library()
{
    if (m_handle)
        dlclose(m_handle);
}

void* Library::symbol(const char* name)
{
    if (!m_handle)
        return nullptr;
    dlerror(); // a symbol may legitimately be null; only dlerror() tells failure apart
    void* address = dlsym(m_handle, name);
    const char* error = dlerror();
    m_error = error ? QString::fromLocal8Bit(error) : QString();
    return error ? nullptr : address;
}
