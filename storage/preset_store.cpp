#include "storage/preset_store.h"

#include <cstring>
#include <ctime>

#include "storage/install_directory.h"
#include "storage/record_format.h"

namespace solva {

namespace {
const char kRemovedMarker[] = "!removed#";

// Text keys of the information record with their field.
struct TextKey {
    const char* key;
    std::size_t offset;
    std::size_t size;
};
const TextKey kTextKeys[] = {
    {"NOM_PRESET", offsetof(PresetInfo, presetName), 32},
    {"NOM_BANQUE", offsetof(PresetInfo, bankName), 32},
    {"NOM_AUTEUR", offsetof(PresetInfo, author), 32},
    {"NOM_PROJET", offsetof(PresetInfo, project), 32},
    {"DATE_CREATION", offsetof(PresetInfo, creationDate), 16},
    {"DATE_MODIFICATION", offsetof(PresetInfo, modificationDate), 16},
};
}  // namespace

PresetInfo defaultPresetInfo(int32_t number) {
    PresetInfo info;
    std::memset(&info, 0, sizeof info);
    copyToField(info.presetName, sizeof info.presetName, "PresetDefault");
    copyToField(info.bankName, sizeof info.bankName, "BankDefault");
    copyToField(info.author, sizeof info.author, "Marwen");
    copyToField(info.project, sizeof info.project, "Test");
    copyToField(info.creationDate, sizeof info.creationDate, "-");
    copyToField(info.modificationDate, sizeof info.modificationDate, "-");
    info.number = number;
    return info;
}

int ReadInfoRecord(std::FILE* file, PresetInfo& info) {
    char key[kTokenBufferSize];
    char value[kTokenBufferSize];
    if (ReadToken(file, key) != 0) return kRecordEnd;
    if (std::strcmp(key, "FIN_INFORMATION") == 0) return kRecordFinish;
    if (std::strcmp(key, "DEBUT_INFORMATION") == 0) return kRecordBegin;
    for (const TextKey& t : kTextKeys) {
        if (std::strcmp(key, t.key) != 0) continue;
        const int end = ReadToken(file, value);
        if (!(end && value[0] == 0)) copyToField(reinterpret_cast<char*>(&info) + t.offset, t.size, value);
        return end ? kRecordEnd : kRecordOther;
    }
    int32_t* integer = nullptr;
    if (std::strcmp(key, "NBR_BANDES") == 0) integer = &info.bandCount;
    else if (std::strcmp(key, "USINE") == 0) integer = &info.factory;
    else if (std::strcmp(key, "LEFT-RIGHT") == 0) integer = &info.channelMode;
    if (integer) {
        const int end = ReadToken(file, value);
        if (!(end && value[0] == 0)) *integer = parseLeadingInt(value);
        return end ? kRecordEnd : kRecordOther;
    }
    if (std::strcmp(key, "NUMERO_PRESET") == 0) {
        // The number always comes from the file name.
        const int end = ReadToken(file, value);
        if (end) return kRecordEnd;
        return parseLeadingInt(value) != info.number ? kRecordNumberDiffers : kRecordOther;
    }
    return kRecordOther;
}

void writeInfoRecords(std::FILE* file, const PresetInfo& info) {
    std::fprintf(file, "!NOM_PRESET#%s#\n", info.presetName);
    std::fprintf(file, "!NOM_BANQUE#%s#\n", info.bankName);
    std::fprintf(file, "!NOM_AUTEUR#%s#\n", info.author);
    std::fprintf(file, "!NOM_PROJET#%s#\n", info.project);
    std::fprintf(file, "!DATE_CREATION#%s#\n", info.creationDate);
    std::fprintf(file, "!DATE_MODIFICATION#%s#\n", info.modificationDate);
    std::fprintf(file, "!NBR_BANDES#%.2d#\n", int(info.bandCount));
    std::fprintf(file, "!USINE#%.2d#\n", int(info.factory));
    std::fprintf(file, "!LEFT-RIGHT#%.2d#\n", int(info.channelMode));
    std::fprintf(file, "!NUMERO_PRESET#%.4d#\n", int(info.number));
}

void todayText(char* out16) {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (!local) {
        copyToField(out16, 16, "-");
        return;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%.2d/%.2d/%.4d", local->tm_mday, local->tm_mon + 1, local->tm_year + 1900);
    copyToField(out16, 16, text);
}

void writeRemovalMarker(const std::string& path) {
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fputs(kRemovedMarker, f);
        std::fclose(f);
    }
}

void copyFileBytes(std::FILE* source, std::FILE* target) {
    char block[256];
    for (;;) {
        const std::size_t got = std::fread(block, 1, sizeof block, source);
        if (got) std::fwrite(block, 1, got, target);
        if (got < sizeof block) return;
    }
}

bool PresetStore::usable() const { return !base_.empty() && isUsableBaseDirectory(base_); }

std::string PresetStore::filePath(const char* name) const { return base_ + name; }

std::string PresetStore::settingsPath(int number) const {
    char name[32];
    std::snprintf(name, sizeof name, "preset%.4d.prt", number);
    return base_ + name;
}

std::string PresetStore::infoPath(int number) const {
    char name[32];
    std::snprintf(name, sizeof name, "preset%.4d.inf", number);
    return base_ + name;
}

int PresetStore::LoadPresetInfo(int number, PresetInfo& info) const {
    if (!usable() || number < 0) return kInfoMissing;
    const std::string path = infoPath(number);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return kInfoMissing;
    char first[kTokenBufferSize];
    ReadToken(file, first);
    if (!IsValidName(first, 32)) {
        std::fclose(file);
        discardInfoFile(number);
        return kInfoRemoved;
    }
    if (std::strcmp(first, "removed") == 0) {
        std::fclose(file);
        return kInfoRemoved;
    }
    std::rewind(file);
    info = defaultPresetInfo(number);
    while (ReadInfoRecord(file, info) != kRecordEnd) {
    }
    std::fclose(file);
    return kInfoLoaded;
}

int PresetStore::WritePresetInfo(PresetInfo& info) const {
    if (!usable()) return 1;
    std::FILE* file = std::fopen(infoPath(info.number).c_str(), "wb");
    if (!file) return 1;
    todayText(info.modificationDate);
    writeInfoRecords(file, info);
    std::fclose(file);
    NotifyLibraryChanged();
    return 0;
}

void PresetStore::removePresetFiles(int number) const {
    if (!usable()) return;
    writeRemovalMarker(infoPath(number));
    std::remove(settingsPath(number).c_str());
}

void PresetStore::discardInfoFile(int number) const {
    const std::string path = infoPath(number);
    writeRemovalMarker(path);
    std::remove(path.c_str());
}

bool PresetStore::copyPresetFiles(int source, int target) const {
    if (!usable()) return false;
    std::FILE* files[4] = {
        std::fopen(settingsPath(source).c_str(), "rb"),
        std::fopen(infoPath(source).c_str(), "rb"),
        nullptr,
        nullptr,
    };
    if (files[0] && files[1]) {
        files[2] = std::fopen(settingsPath(target).c_str(), "wb");
        files[3] = std::fopen(infoPath(target).c_str(), "wb");
    }
    const bool all = files[0] && files[1] && files[2] && files[3];
    if (all) {
        copyFileBytes(files[0], files[2]);
        copyFileBytes(files[1], files[3]);
    }
    for (std::FILE* f : files)
        if (f) std::fclose(f);
    return all;
}

}  // namespace solva
