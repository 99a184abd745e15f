#include "editor/file_dialog_companion.h"

#include <vector>

namespace solva {

namespace {
constexpr const char* kDefaultExtension = "solva";
constexpr const char* kPattern = "*.solva";
constexpr const char* kFilter = "Solva Files (*.solva)|*.solva|All Files (*.*)|*.*||";
}  // namespace

int runBankFileDialog(int mode, std::string& path) {
    CompanionLibrary library;
    if (!openCompanion(library)) return -1;
    std::vector<char> buffer(kFileDialogPathBytes, '\0');
    const int result = library.entry(buffer.data(), mode, kDefaultExtension, kPattern, kFilter);
    // A companion that forgot the terminator still leaves a bounded string.
    buffer.back() = '\0';
    closeCompanion(library);
    if (result != 1 || buffer[0] == '\0') return 0;
    path = buffer.data();
    return 1;
}

}  // namespace solva
