#pragma once

// A dynamic library loaded for as long as this object lives (LoadLibrary,
// GetProcAddress, FreeLibrary). Only absolute paths are loaded: a bare or
// relative name would let the dynamic linker pick a library of the same name
// from the current folder or the search path. A file that is not a whole
// shared library for this machine is refused before the dynamic linker maps
// it (elfLibraryFault): a damaged plug-in must not end the program.

#include <QString>

class Library
{
public:
    // Loads `absolutePath` with all symbols resolved now and kept private to it.
    explicit Library(const QString& absolutePath);
    ~Library();

    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    bool isLoaded() const { return m_handle != nullptr; }
    // Why loading or the last lookup failed; empty when it did not.
    QString errorString() const { return m_error; }

    // The address of the exported `name`, or nullptr when it is not exported.
    void* symbol(const char* name);

    template <typename Function> Function function(const char* name)
    {
        return reinterpret_cast<Function>(symbol(name));
    }

private:
    void* m_handle = nullptr;
    QString m_error;
};
