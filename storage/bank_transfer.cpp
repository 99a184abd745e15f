// Bank export and import: one ".solva" file wraps the information and
// settings files of every preset of a bank, byte for byte, between marker
// records. An import becomes a new user bank with a unique name.
#include <cstdio>
#include <cstring>
#include <string>

#include "storage/preset_storage.h"
#include "storage/record_format.h"

namespace solva {

namespace {

const char kExportVersion[] = "1.34";

void copyFileInto(const std::string& path, std::FILE* target) {
    // A file that cannot be opened leaves its block empty between the markers.
    if (std::FILE* source = std::fopen(path.c_str(), "rb")) {
        copyFileBytes(source, target);
        std::fclose(source);
    }
}

// The bank name of an import: the record's name, else that name followed by
// 1, 2, 3 ... until no group of the library carries it.
std::string uniqueBankName(const PresetLibrary& library, const char* wanted) {
    std::string base = IsValidName(wanted, 32) ? std::string(wanted) : std::string("Import");
    std::string name = base;
    for (int suffix = 1; library.BankNameExists(name.c_str()) && suffix < 100000; ++suffix) {
        name = base + std::to_string(suffix);
        if (name.size() > 31) name = base.substr(0, 31 - std::to_string(suffix).size()) + std::to_string(suffix);
    }
    return name;
}

// Copies settings records up to "FIN_PRESET" into `target` (which may be
// null: the records are then skipped). Returns false when the file ended.
bool copySettingsRecords(std::FILE* source, std::FILE* target) {
    char key[kTokenBufferSize];
    char value[kTokenBufferSize];
    ReadToken(source, key);  // "DEBUT_PRESET"
    for (;;) {
        if (ReadToken(source, key) != 0) return false;
        if (std::strcmp(key, "FIN_PRESET") == 0) return true;
        const int end = ReadToken(source, value);
        if (end && value[0] == 0) return false;
        if (target) std::fprintf(target, "!%s#%s#\n", key, value);
        if (end) return false;
    }
}

// Reads the export header; true when it is a Solva export with a version.
bool readExportHeader(std::FILE* file) {
    char token[kTokenBufferSize];
    ReadToken(file, token);
    bool accepted = std::strcmp(token, "TYPE_EXPORT") == 0;
    ReadToken(file, token);
    accepted = accepted && std::strcmp(token, "Solva") == 0;
    ReadToken(file, token);
    if (std::strcmp(token, "VERSION") != 0) return false;
    float version = 0.0f;  // plays no part
    ReadNumberToken(file, &version);
    return accepted;
}

}  // namespace

int PresetStorage::ExportBank(const char* path) {
    if (!path || library_.sortMode() != kSortByBank || library_.groupCount() < 1) return 1;
    GroupRange range;
    if (!library_.groupRange(library_.currentGroup(), range)) return 1;
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return 1;
    std::fprintf(file, "!TYPE_EXPORT#%s#\n", kProductWord);
    std::fprintf(file, "!VERSION#%s#\n", kExportVersion);
    for (int i = range.first; i <= range.last; ++i) {
        const int number = library_.view()[i].number;
        std::fputs("!DEBUT_INFORMATION#\n", file);
        copyFileInto(store_.infoPath(number), file);
        std::fputs("!FIN_INFORMATION#\n!DEBUT_PRESET#\n", file);
        copyFileInto(store_.settingsPath(number), file);
        std::fputs("!FIN_PRESET#\n", file);
    }
    std::fclose(file);
    return 0;
}

int PresetStorage::ImportBank(const char* path) {
    if (!path || !store_.usable()) return 1;
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return 1;
    if (!readExportHeader(file)) {
        std::fclose(file);
        return 1;
    }
    std::string bankName;
    bool first = true;
    for (;;) {
        const int number = library_.NextFreePresetNumber();
        PresetInfo info = defaultPresetInfo(number);
        int record = kRecordOther;
        while ((record = ReadInfoRecord(file, info)) != kRecordFinish && record != kRecordEnd) {
        }
        if (record == kRecordEnd) break;
        if (first) {
            bankName = uniqueBankName(library_, info.bankName);
            first = false;
        }
        copyToField(info.bankName, sizeof info.bankName, bankName.c_str());
        if (!IsValidName(info.presetName, 32)) {
            char name[sizeof info.presetName];
            std::snprintf(name, sizeof name, "Preset%.4d", number - 500);
            copyToField(info.presetName, sizeof info.presetName, name);
        }
        info.factory = 0;
        info.number = number;
        store_.WritePresetInfo(info);
        std::FILE* settings = std::fopen(store_.settingsPath(number).c_str(), "wb");
        const bool complete = copySettingsRecords(file, settings);
        if (settings) std::fclose(settings);
        library_.addRecord(info);
        if (!complete) break;
    }
    std::fclose(file);
    library_.RebuildView();
    afterViewRebuilt();
    if (block_) selectCurrentSlotNumber();
    refreshEditor();
    return 0;
}

}  // namespace solva
