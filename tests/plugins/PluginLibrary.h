#pragma once

// Loads one plug-in from the built program folder the way the program does:
// by absolute path, look up the export, call it, unload.

#include <dlfcn.h>

#include <string>

class PluginLibrary
{
public:
    explicit PluginLibrary(const std::string& fileName)
        : m_handle(dlopen((std::string(ZORVAN_PROGRAM_DIR "bin/") + fileName).c_str(), RTLD_NOW | RTLD_LOCAL))
    {
    }
    ~PluginLibrary()
    {
        if (m_handle != nullptr)
            dlclose(m_handle);
    }
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    bool isLoaded() const { return m_handle != nullptr; }
    static std::string lastError()
    {
        const char* error = dlerror();
        return error == nullptr ? std::string() : std::string(error);
    }

    // The export `name` as a pointer to a function of type Function; null when missing.
    template <typename Function> Function* function(const char* name) const
    {
        return m_handle == nullptr ? nullptr : reinterpret_cast<Function*>(dlsym(m_handle, name));
    }

private:
    void* m_handle = nullptr;
};
