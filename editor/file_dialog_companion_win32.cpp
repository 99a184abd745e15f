// Loading the file-dialog companion on Windows: SOLVA_KELVADRIN_PATH when
// set; else "Kelvadrin.dll" beside the plug-in's own DLL (where the
// installer puts it: the system's search order starts with the host's
// folder, not the plug-in's), then by bare name.
#ifdef _WIN32

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "editor/file_dialog_companion.h"

namespace solva {

namespace {

// "<folder of this module>\\Kelvadrin.dll", or empty when unknown.
std::string besideThisModule() {
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&besideThisModule), &self))
        return std::string();
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    char* slash = std::strrchr(path, '\\');
    if (!slash) return std::string();
    slash[1] = 0;
    return std::string(path) + kKelvadrinLibraryName;
}

}  // namespace

bool openCompanion(CompanionLibrary& library) {
    library = CompanionLibrary();
    HMODULE module = nullptr;
    if (const char* overridePath = std::getenv("SOLVA_KELVADRIN_PATH")) {
        module = LoadLibraryA(overridePath);
    } else {
        const std::string beside = besideThisModule();
        if (!beside.empty()) module = LoadLibraryA(beside.c_str());
        if (!module) module = LoadLibraryA(kKelvadrinLibraryName);
    }
    if (!module) return false;
    FARPROC symbol = GetProcAddress(module, kKelvadrinEntryPoint);
    if (!symbol) {
        FreeLibrary(module);
        return false;
    }
    library.handle = module;
    library.entry = reinterpret_cast<DialogueFichierProc>(reinterpret_cast<void*>(symbol));
    return true;
}

void closeCompanion(CompanionLibrary& library) {
    if (library.handle) FreeLibrary(static_cast<HMODULE>(library.handle));
    library = CompanionLibrary();
}

}  // namespace solva

#endif  // _WIN32
