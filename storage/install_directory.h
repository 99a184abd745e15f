// Where the preset library lives: the base directory, read once per
// instance. On Windows it comes from the registry value "InstallDirectory"
// under "software\Marwen\Solva"; elsewhere from SOLVA_INSTALL_DIR, else
// $XDG_DATA_HOME/Marwen/Solva/ (default ~/.local/share/Marwen/Solva/),
// created when missing. UI thread.
#pragma once

#include <string>

namespace solva {

constexpr const char* kMakerWord = "Marwen";
constexpr const char* kProductWord = "Solva";
constexpr std::size_t kMaxBaseDirectoryChars = 200;

enum class InstallLookup {
    kFound,           // path read
    kMissing,         // no key or value: "Wrong install's directory ..."
    kTooLong,         // path over 200 characters: "Wrong installation ..."
};

struct InstallDirectory {
    std::string path;  // ends with the path separator
    InstallLookup status = InstallLookup::kMissing;
};

// Reads the base directory. A missing value leaves the path as the
// separator alone. The message for a failed status comes from
// installAlertText.
InstallDirectory LookUpInstallDirectory();

// Path separator appended to the base directory.
char pathSeparator();

// The alert text for a failed lookup, empty for kFound.
std::string installAlertText(InstallLookup status);

// True when every storage operation may use the path (at most 200 chars).
inline bool isUsableBaseDirectory(const std::string& path) { return path.size() <= kMaxBaseDirectoryChars; }

}  // namespace solva
