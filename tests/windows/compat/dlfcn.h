// dlopen/dlsym/dlclose for the Windows cross-build of the test suites.
#pragma once

#include <windows.h>

#define RTLD_LAZY 1
#define RTLD_NOW 2
#define RTLD_LOCAL 0
#define RTLD_GLOBAL 0x100

inline void* dlopen(const char* path, int) { return reinterpret_cast<void*>(LoadLibraryA(path)); }
inline void* dlsym(void* module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}
inline int dlclose(void* module) { return FreeLibrary(static_cast<HMODULE>(module)) ? 0 : 1; }
inline const char* dlerror() { return "LoadLibrary failed"; }
