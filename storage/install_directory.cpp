#include "storage/install_directory.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace solva {

char pathSeparator() {
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

std::string installAlertText(InstallLookup status) {
    std::string text;
    if (status == InstallLookup::kMissing)
        text = std::string("Wrong install's directory of your ") + kMakerWord + " plugIn";
    else if (status == InstallLookup::kTooLong)
        text = std::string("Wrong installation of your ") + kMakerWord + " plugIn";
    return text;
}

namespace {

#ifdef _WIN32
// The string value "InstallDirectory" of HKEY_LOCAL_MACHINE\software\Marwen\Solva
// (written by the installer), or an empty text when the key or the value
// is missing. Read only.
std::string configuredDirectory() {
    char keyPath[64];
    std::snprintf(keyPath, sizeof keyPath, "software\\%s\\%s", kMakerWord, kProductWord);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::string();
    char value[1024] = {};
    DWORD type = 0;
    DWORD bytes = sizeof value - 1;
    const LONG status =
        RegQueryValueExA(key, "InstallDirectory", nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::string();
    value[bytes < sizeof value ? bytes : sizeof value - 1] = 0;  // the stored text need not end in a zero
    return std::string(value);
}
#else
// The configured directory, or an empty text when none can be found.
std::string configuredDirectory() {
    if (const char* dir = std::getenv("SOLVA_INSTALL_DIR"); dir && dir[0]) return dir;
    std::string data;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0]) {
        data = xdg;
    } else if (const char* home = std::getenv("HOME"); home && home[0]) {
        data = std::string(home) + "/.local/share";
    } else if (const char* profile = std::getenv("APPDATA"); profile && profile[0]) {
        data = profile;
    } else {
        return std::string();
    }
    const char sep = pathSeparator();
    return data + sep + kMakerWord + sep + kProductWord;
}
#endif

}  // namespace

InstallDirectory LookUpInstallDirectory() {
    InstallDirectory result;
    const char sep = pathSeparator();
    std::string path = configuredDirectory();
    if (path.empty()) {
        result.path = std::string(1, sep);
        result.status = InstallLookup::kMissing;
        return result;
    }
    if (path.back() != sep && path.back() != '/') path += sep;
    result.path = path;
    result.status = InstallLookup::kFound;
    if (!isUsableBaseDirectory(path)) {
        result.status = InstallLookup::kTooLong;
        return result;
    }
    std::error_code ignored;  // an uncreatable directory shows as failed opens later
    std::filesystem::create_directories(std::filesystem::path(path), ignored);
    return result;
}

}  // namespace solva
