// The bank export and import file dialog, provided by the companion
// library "Kelvadrin" (tools/kelvadrin/kelvadrin.h: "Kelvadrin.dll" on
// Windows, "Kelvadrin.so" elsewhere), loaded by name when a dialog is
// needed and released right after. Its C entry point "DialogueFichier"
// receives the path buffer (in: empty; out: the chosen full path), the
// mode (0 save, 1 open), the default extension "solva", the pattern
// "*.solva" and the filter
// "Solva Files (*.solva)|*.solva|All Files (*.*)|*.*||", and returns 1
// when the user confirmed a file.
//
// Lookup: SOLVA_KELVADRIN_PATH, when set, names the only library tried
// (tests point it at a stand-in); otherwise the library beside the
// plug-in module, then the system's search by bare name.
//
// UI thread only; the dialog is modal and returns when the user is done.
#pragma once

#include <cstddef>
#include <string>

#include "tools/kelvadrin/kelvadrin.h"

namespace solva {

constexpr const char* kKelvadrinEntryPoint = KELVADRIN_ENTRY_POINT;
constexpr const char* kKelvadrinLibraryName = KELVADRIN_LIBRARY_NAME;
// Room for any path the platform hands back (the companion promises at
// most KELVADRIN_PATH_CHARS).
constexpr std::size_t kFileDialogPathBytes = 4096;
static_assert(kFileDialogPathBytes >= KELVADRIN_PATH_CHARS, "the companion's answer must fit");
constexpr int kFileDialogSave = KELVADRIN_SAVE;
constexpr int kFileDialogOpen = KELVADRIN_OPEN;

using DialogueFichierProc = KelvadrinDialogueFichier;

// Runs the companion's dialog for a bank file: 1 with `path` set when the
// user confirmed a file, 0 when cancelled, -1 when the library or its
// entry point is missing.
int runBankFileDialog(int mode, std::string& path);

// --- platform part (file_dialog_companion_posix.cpp / _win32.cpp) -------------
// A loaded companion; release it with closeCompanion.
struct CompanionLibrary {
    void* handle = nullptr;
    DialogueFichierProc entry = nullptr;
};
// Loads the library and finds its entry point; false (nothing held) when
// either is missing.
bool openCompanion(CompanionLibrary& library);
void closeCompanion(CompanionLibrary& library);

}  // namespace solva
