#include <windows.h>

#include "host_error.h"
#include "module_loader.h"

namespace solvahost {

namespace {

std::string lastErrorText() {
    DWORD code = GetLastError();
    char text[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                  sizeof(text) - 1, nullptr);
    // System messages end in CR LF; the error stays on one line.
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' '))
        text[--length] = '\0';
    return length ? std::string(text) : "error " + std::to_string(code);
}

}  // namespace

std::unique_ptr<PluginModule> PluginModule::load(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) throw HostError("cannot open plug-in '" + path + "': no such file");
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        throw HostError("cannot open plug-in '" + path + "': not a regular file");
    HMODULE handle = LoadLibraryA(path.c_str());
    if (!handle) throw HostError("cannot load plug-in '" + path + "': " + lastErrorText());
    return std::unique_ptr<PluginModule>(new PluginModule(reinterpret_cast<void*>(handle)));
}

PluginModule::~PluginModule() {
    if (handle_) FreeLibrary(reinterpret_cast<HMODULE>(handle_));
}

void* PluginModule::symbol(const char* name) const {
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(handle_), name));
}

}  // namespace solvahost
