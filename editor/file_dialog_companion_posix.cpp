// Loading the file-dialog companion on POSIX systems: dlopen of
// "Kelvadrin.so" in the plug-in module's own directory, then by bare name.
#ifndef _WIN32

#include <dlfcn.h>

#include <cstdlib>
#include <string>

#include "editor/file_dialog_companion.h"

namespace solva {

namespace {

constexpr const char* kLibraryName = kKelvadrinLibraryName;

// Directory (with its trailing "/") of the module this code is linked
// into, empty when unknown.
std::string moduleDirectory() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&moduleDirectory), &info) || !info.dli_fname) return std::string();
    const std::string file = info.dli_fname;
    const std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

void* loadLibrary() {
    if (const char* overridePath = std::getenv("SOLVA_KELVADRIN_PATH"))
        return dlopen(overridePath, RTLD_NOW | RTLD_LOCAL);
    const std::string directory = moduleDirectory();
    if (!directory.empty())
        if (void* handle = dlopen((directory + kLibraryName).c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
    return dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
}

}  // namespace

bool openCompanion(CompanionLibrary& library) {
    library = CompanionLibrary();
    void* handle = loadLibrary();
    if (!handle) return false;
    void* symbol = dlsym(handle, kKelvadrinEntryPoint);
    if (!symbol) {
        dlclose(handle);
        return false;
    }
    library.handle = handle;
    library.entry = reinterpret_cast<DialogueFichierProc>(symbol);
    return true;
}

void closeCompanion(CompanionLibrary& library) {
    if (library.handle) dlclose(library.handle);
    library = CompanionLibrary();
}

}  // namespace solva

#endif  // !_WIN32
