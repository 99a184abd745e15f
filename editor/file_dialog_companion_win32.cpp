// Loading the file-dialog companion on Windows: LoadLibraryA of
// "Kelvadrin.dll" (the system's search order, which starts with the
// host's directory), or SOLVA_KELVADRIN_PATH when set.
#ifdef _WIN32

#include <windows.h>

#include <cstdlib>

#include "editor/file_dialog_companion.h"

namespace solva {

bool openCompanion(CompanionLibrary& library) {
    library = CompanionLibrary();
    const char* overridePath = std::getenv("SOLVA_KELVADRIN_PATH");
    HMODULE module = LoadLibraryA(overridePath ? overridePath : kKelvadrinLibraryName);
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
