#include <dlfcn.h>
#include <sys/stat.h>

#include "host_error.h"
#include "module_loader.h"

namespace solvahost {

std::unique_ptr<PluginModule> PluginModule::load(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) throw HostError("cannot open plug-in '" + path + "': no such file");
    if (!S_ISREG(info.st_mode)) throw HostError("cannot open plug-in '" + path + "': not a regular file");
    // dlopen searches the library path for a bare name; a name with a slash
    // is taken as it stands, which is what a user typing a file means.
    std::string openPath = path.find('/') == std::string::npos ? "./" + path : path;
    dlerror();
    void* handle = dlopen(openPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        throw HostError("cannot load plug-in '" + path + "': " + (reason ? reason : "unknown reason"));
    }
    return std::unique_ptr<PluginModule>(new PluginModule(handle));
}

PluginModule::~PluginModule() {
    if (handle_) dlclose(handle_);
}

void* PluginModule::symbol(const char* name) const { return dlsym(handle_, name); }

}  // namespace solvahost
