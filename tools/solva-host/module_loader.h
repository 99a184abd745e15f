// Loading a plug-in library: the one platform-specific piece of the host.
// module_loader_posix.cpp uses dlopen, module_loader_win32.cpp LoadLibrary;
// CMake compiles the one that matches the target.
#pragma once

#include <memory>
#include <string>

namespace solvahost {

class PluginModule {
public:
    // Loads the library at `path`; throws HostError with the system's
    // reason (missing file, not a loadable library, missing dependency).
    static std::unique_ptr<PluginModule> load(const std::string& path);
    ~PluginModule();

    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    // Address of an exported symbol, or null.
    void* symbol(const char* name) const;

private:
    explicit PluginModule(void* handle) : handle_(handle) {}
    void* handle_;
};

}  // namespace solvahost
