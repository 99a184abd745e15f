// DialogueFichier on Windows: the common file dialogs (GetSaveFileNameA /
// GetOpenFileNameA) owned by the active window.
#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <string>

#define KELVADRIN_BUILDING
#include "tools/kelvadrin/kelvadrin.h"

namespace {

// "name|pattern|...||" -> "name\0pattern\0...\0\0" as OPENFILENAME wants.
std::string dialogFilter(const char* filter) {
    std::string result = filter ? filter : "";
    for (char& c : result)
        if (c == '|') c = '\0';
    result.append(2, '\0');
    return result;
}

}  // namespace

extern "C" int DialogueFichier(char* path, int mode, const char* extension, const char* pattern,
                               const char* filter) {
    if (!path) return 0;
    char file[KELVADRIN_PATH_CHARS] = {};
    std::strncpy(file, path[0] ? path : (pattern ? pattern : ""), sizeof file - 1);
    const std::string filters = dialogFilter(filter);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrDefExt = extension;
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    BOOL confirmed;
    if (mode == KELVADRIN_SAVE) {
        dialog.Flags |= OFN_OVERWRITEPROMPT;
        confirmed = GetSaveFileNameA(&dialog);
    } else {
        dialog.Flags |= OFN_FILEMUSTEXIST;
        confirmed = GetOpenFileNameA(&dialog);
    }
    if (!confirmed) return 0;
    std::strncpy(path, file, KELVADRIN_PATH_CHARS - 1);
    path[KELVADRIN_PATH_CHARS - 1] = 0;
    return 1;
}
