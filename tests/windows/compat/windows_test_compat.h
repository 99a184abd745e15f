// Force-included into the test suites when they are cross-built for
// Windows: the few POSIX calls the suites use, mapped onto the C runtime
// and Win32. The install directory comes from the registry on Windows, so
// setting SOLVA_INSTALL_DIR also writes the registry value the storage
// code reads (HKLM\software\Marwen\Solva, "InstallDirectory"), and unsetting
// it removes the value again.
#pragma once

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace solva_windows_test {

inline void mirrorInstallDirectory(const char* value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "software\\Marwen\\Solva", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    if (value)
        RegSetValueExA(key, "InstallDirectory", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>(std::strlen(value) + 1));
    else
        RegDeleteValueA(key, "InstallDirectory");
    RegCloseKey(key);
}

}  // namespace solva_windows_test

inline int setenv(const char* name, const char* value, int overwrite) {
    if (!overwrite && std::getenv(name)) return 0;
    if (std::strcmp(name, "SOLVA_INSTALL_DIR") == 0) solva_windows_test::mirrorInstallDirectory(value);
    return _putenv_s(name, value);
}

inline int unsetenv(const char* name) {
    if (std::strcmp(name, "SOLVA_INSTALL_DIR") == 0) solva_windows_test::mirrorInstallDirectory(nullptr);
    return _putenv_s(name, "");
}

// std::system answers the program's exit code directly.
#ifndef WIFEXITED
#define WIFEXITED(status) ((status) != -1)
#define WEXITSTATUS(status) (status)
#endif

inline char* mkdtemp(char* pattern) {
    if (_mktemp_s(pattern, std::strlen(pattern) + 1) != 0) return nullptr;
    return _mkdir(pattern) == 0 ? pattern : nullptr;
}
#endif
