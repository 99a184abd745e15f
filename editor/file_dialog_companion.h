// The bank export and import file dialog, provided by the companion
// library "Kelvadrin" ("Kelvadrin.dll" on Windows, "Kelvadrin.so"
// elsewhere), loaded by name when a dialog is needed and released right
// after. Its entry point "DialogueFichier" has the C signature
//
//   int DialogueFichier(char* path, int mode, const char* defaultExtension,
//                       const char* pattern, const char* filter);
//
// path: in/out buffer of kFileDialogPathBytes bytes, zero-terminated (in:
// empty; out: the full path the user chose); mode: 0 save, 1 open;
// defaultExtension "solva"; pattern "*.solva"; filter
// "Solva Files (*.solva)|*.solva|All Files (*.*)|*.*||". It returns 1 when
// the user confirmed a file, anything else otherwise.
//
// Lookup: SOLVA_KELVADRIN_PATH, when set, names the only library tried
// (tests point it at a stand-in); otherwise the library beside the
// plug-in module, then the system's search by bare name.
//
// UI thread only; the dialog is modal and returns when the user is done.
#pragma once

#include <cstddef>
#include <string>

namespace solva {

constexpr const char* kKelvadrinEntryPoint = "DialogueFichier";
constexpr std::size_t kFileDialogPathBytes = 4096;
constexpr int kFileDialogSave = 0;
constexpr int kFileDialogOpen = 1;

using DialogueFichierProc = int (*)(char* path, int mode, const char* defaultExtension, const char* pattern,
                                    const char* filter);

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
