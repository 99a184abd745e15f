// Force-included into the test suites when they are cross-built for
// Windows: the few POSIX calls the suites use, mapped onto the C runtime
// and Win32. The install directory comes from the registry on Windows, so
// setting SOLVA_INSTALL_DIR also writes the registry value the storage
// code reads (HKLM\software\Marwen\Solva, "InstallDirectory"), and unsetting
// it puts back the value the run started with (or removes it).
#pragma once

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace solva_windows_test {

// The value found before the first test changed it, restored on unset so
// that a run leaves the registry as it found it.
struct SavedInstallDirectory {
    bool saved = false;
    bool existed = false;
    std::string value;
};

inline SavedInstallDirectory& savedInstallDirectory() {
    static SavedInstallDirectory s;
    return s;
}

inline void rememberInstallDirectory(HKEY key) {
    SavedInstallDirectory& s = savedInstallDirectory();
    if (s.saved) return;
    s.saved = true;
    char text[1024] = {};
    DWORD bytes = sizeof text - 1;
    s.existed = RegQueryValueExA(key, "InstallDirectory", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &bytes) ==
                ERROR_SUCCESS;
    s.value = text;
}

inline void mirrorInstallDirectory(const char* value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "software\\Marwen\\Solva", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    rememberInstallDirectory(key);
    const SavedInstallDirectory& saved = savedInstallDirectory();
    if (!value && saved.existed) value = saved.value.c_str();
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

// The trailing "XXXXXX" becomes six hex digits of the process id and a
// counter, retried until the directory can be created. A pattern under
// "/tmp/" is moved below SOLVA_WINDOWS_TMP when that is set, so that the
// run's directories (which the suites remove with "rm -rf", a command
// Windows lacks) stay inside the test's work folder; the answer is then
// not `pattern` itself but a buffer that lives until the next call.
inline char* mkdtemp(char* pattern) {
    const size_t length = std::strlen(pattern);
    if (length < 6 || std::strcmp(pattern + length - 6, "XXXXXX") != 0) return nullptr;
    static std::string moved;
    char* target = pattern;
    const char* tmp = std::getenv("SOLVA_WINDOWS_TMP");
    if (tmp && tmp[0] && std::strncmp(pattern, "/tmp/", 5) == 0) {
        moved = std::string(tmp) + "/" + (pattern + 5);
        target = &moved[0];
    }
    const size_t targetLength = std::strlen(target);
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const unsigned stamp = (GetCurrentProcessId() * 4096u + counter++) & 0xFFFFFFu;
        char digits[8];
        std::snprintf(digits, sizeof digits, "%06x", stamp);
        std::memcpy(target + targetLength - 6, digits, 6);
        if (_mkdir(target) == 0) return target;
    }
    return nullptr;
}
#endif
