// The library operations behind the editor's preset and bank menus.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "storage/preset_storage.h"
#include "storage/record_format.h"

namespace solva {

namespace {
constexpr int kBankNameTag = 74;
constexpr int kPresetNameTag = 75;

bool isNameField(const char* name) { return IsValidName(name, 32); }
}  // namespace

void PresetStorage::afterViewRebuilt() {
    if (!library_.takeViewEmptied() || !block_) return;
    PresetInfo& info = slot().info;
    info.number = -1;
    info.factory = 0;
    info.bandCount = 0;
    for (char* text : {info.presetName, info.bankName, info.author, info.project})
        copyToField(text, 32, "-");
    copyToField(info.creationDate, 16, "-");
    copyToField(info.modificationDate, 16, "-");
}

void PresetStorage::ScanLibrary() {
    library_.ScanLibrary(store_);
    afterViewRebuilt();
}

void PresetStorage::ReloadLibrary() {
    if (!block_) return;
    ScanLibrary();
    FindOrAddCurrentPreset();
    selectCurrentSlotNumber();
    refreshEditor();
}

void PresetStorage::FindOrAddCurrentPreset() {
    if (!block_) return;
    PresetInfo& info = slot().info;
    if (!isNameField(info.presetName) || !isNameField(info.bankName)) return;
    if (library_.presetCount() > 0) {
        bool matched = false;
        for (const auto& [number, entry] : library_.byNumber()) {
            if (std::strncmp(entry.presetName, info.presetName, 32) == 0 &&
                std::strncmp(entry.bankName, info.bankName, 32) == 0) {
                info.number = number;
                matched = true;
            }
        }
        if (matched) return;
    }
    info.number = library_.NextFreePresetNumber();
    if (library_.presetCount() < 1) library_.setNewPresetRequest(true);
    SavePreset(false);
}

void PresetStorage::LoadPresetAt(int group, int position) {
    if (!block_ || group < 0 || position < 0) return;
    library_.setCurrent(group, position);
    LoadPreset(library_.PresetNumberAt(group, position));
    host_.editorSetParameter(kBankNameTag, 0.0f);
    host_.editorSetParameter(kPresetNameTag, 0.0f);
    host_.editorRequestRedraw();
}

void PresetStorage::LoadPresetAtPosition(int position) {
    if (!block_ || position < 0) return;
    const int group = library_.currentGroup();
    library_.setCurrent(group, position);
    LoadPreset(library_.PresetNumberAt(group, position));
    host_.editorSetParameter(kPresetNameTag, 0.0f);
    host_.editorRequestRedraw();
}

void PresetStorage::NewPreset(bool fromInit) {
    if (!block_) return;
    library_.setNewPresetRequest(true);
    SavePreset(fromInit);
    selectCurrentSlotNumber();
    refreshEditor();
}

void PresetStorage::NewBank(bool fromInit) {
    if (!block_ || library_.sortMode() != kSortByBank) return;
    library_.setNewPresetRequest(true);
    PresetInfo& info = slot().info;
    std::snprintf(info.bankName, sizeof info.bankName, "Bank%.2d", library_.groupCount());
    SavePreset(fromInit);
    ScanLibrary();
    selectCurrentSlotNumber();
    refreshEditor();
}

void PresetStorage::DeletePreset(int group, int position) {
    if (!block_ || group < 0 || position < 0) return;
    const PresetInfo* entry = library_.entryAt(group, position);
    if (entry && entry->factory == 0 && store_.usable()) {
        store_.removePresetFiles(entry->number);
        ScanLibrary();
        // The group may have gone with its last preset.
        if (group >= library_.groupCount() && library_.groupCount() > 0) group = library_.groupCount() - 1;
        library_.setCurrent(group, 0);
        LoadPreset(library_.PresetNumberAt(group, 0));
        refreshEditor();
    }
    store_.NotifyLibraryChanged();
}

void PresetStorage::DeleteBank(int group) {
    if (!block_) return;
    GroupRange range;
    if (!library_.groupRange(group, range)) return;
    std::vector<int> doomed;
    for (int i = range.first; i <= range.last; ++i)
        if (library_.view()[i].factory == 0) doomed.push_back(library_.view()[i].number);
    for (int number : doomed) store_.removePresetFiles(number);
    ScanLibrary();
    library_.setCurrent(0, 0);
    const int number = library_.PresetNumberAt(0, 0);
    slot().info.number = number;
    LoadPreset(number);
    refreshEditor();
    store_.NotifyLibraryChanged();
}

void PresetStorage::RenamePreset(const char* name) {
    if (!block_ || !name || library_.presetCount() < 1 || slot().info.factory != 0) return;
    if (!isNameField(name)) return;
    PresetInfo& info = slot().info;
    std::string wanted(name);
    int suffix = 0;
    bool suffixSeen = false;
    for (const auto& [number, entry] : library_.byNumber()) {
        if (std::strncmp(entry.bankName, info.bankName, 32) != 0) continue;
        const std::string entryName(entry.presetName, strnlen(entry.presetName, 32));
        std::size_t dot = std::string::npos;
        for (std::size_t i = 0; i + 1 < entryName.size(); ++i) {
            if (entryName[i] == '.' && entryName[i + 1] >= '0' && entryName[i + 1] <= '9') {
                dot = i;
                break;
            }
        }
        if (dot != std::string::npos) {
            suffix = parseLeadingInt(entryName.c_str() + dot + 1);
            suffixSeen = true;
        }
        if (entryName != wanted.substr(0, 32)) continue;
        if (suffixSeen) wanted.resize(dot != std::string::npos ? dot : entryName.size());
        wanted += "." + std::to_string(suffix + 1);
        ++suffix;
    }
    copyToField(info.presetName, sizeof info.presetName, wanted.c_str());
    store_.WritePresetInfo(info);
    const PresetInfo updated = info;
    library_.updateRecord(info.number, [&updated](PresetInfo& e) { e = updated; });
    library_.RebuildView();
    afterViewRebuilt();
    selectCurrentSlotNumber();
    refreshEditor();
}

void PresetStorage::RenameBank(const char* name) {
    if (!block_ || !name || library_.sortMode() != kSortByBank || library_.groupCount() < 1) return;
    if (!isNameField(name)) return;
    PresetInfo& info = slot().info;
    std::vector<int> members;
    for (const PresetInfo& entry : library_.view())
        if (std::strncmp(entry.bankName, info.bankName, 32) == 0) members.push_back(entry.number);
    for (int number : members) {
        PresetInfo onDisk;
        if (store_.LoadPresetInfo(number, onDisk) != kInfoLoaded) continue;
        copyToField(onDisk.bankName, sizeof onDisk.bankName, name);
        store_.WritePresetInfo(onDisk);
    }
    copyToField(info.bankName, sizeof info.bankName, name);
    ScanLibrary();
    selectCurrentSlotNumber();
    refreshEditor();
}

void PresetStorage::setCurrentPresetText(std::size_t fieldOffset, const char* name, int rebuildMode) {
    PresetInfo& info = slot().info;
    copyToField(reinterpret_cast<char*>(&info) + fieldOffset, 32, name);
    store_.WritePresetInfo(info);
    const PresetInfo updated = info;
    library_.updateRecord(info.number, [&](PresetInfo& e) {
        std::memcpy(reinterpret_cast<char*>(&e) + fieldOffset, reinterpret_cast<const char*>(&updated) + fieldOffset, 32);
        std::memcpy(e.modificationDate, updated.modificationDate, sizeof e.modificationDate);
    });
    if (library_.sortMode() != rebuildMode) return;
    library_.RebuildView();
    afterViewRebuilt();
    selectCurrentSlotNumber();
    refreshEditor();
}

void PresetStorage::SetPresetBank(const char* name) {
    if (!block_ || !name || library_.presetCount() < 1 || library_.groupCount() < 1) return;
    if (!isNameField(name)) return;
    setCurrentPresetText(offsetof(PresetInfo, bankName), name, kSortByBank);
}

void PresetStorage::SetPresetAuthor(const char* name) {
    if (!block_ || !name || library_.presetCount() < 1 || library_.groupCount() < 1) return;
    if (slot().info.factory != 0 || !isNameField(name)) return;
    setCurrentPresetText(offsetof(PresetInfo, author), name, kSortByAuthor);
}

void PresetStorage::SetPresetProject(const char* name) {
    if (!block_ || !name || library_.presetCount() < 1 || library_.groupCount() < 1) return;
    if (slot().info.factory != 0 || !isNameField(name)) return;
    setCurrentPresetText(offsetof(PresetInfo, project), name, kSortByProject);
}

void PresetStorage::CopyBank(const char* name) {
    if (!block_ || !name || library_.sortMode() != kSortByBank || library_.presetCount() < 1) return;
    if (library_.groupCount() < 1 || !isNameField(name)) return;
    GroupRange range;
    if (!library_.groupRange(library_.currentGroup(), range)) return;
    std::vector<int> sources;
    for (int i = range.first; i <= range.last; ++i) sources.push_back(library_.view()[i].number);
    for (int source : sources) {
        const int copy = CopyPresetFiles(source);
        PresetInfo info;
        if (store_.LoadPresetInfo(copy, info) != kInfoLoaded) continue;
        copyToField(info.bankName, sizeof info.bankName, name);
        info.factory = 0;
        store_.WritePresetInfo(info);
        library_.addRecord(info);
    }
    copyToField(slot().info.bankName, sizeof slot().info.bankName, name);
    store_.NotifyLibraryChanged();
    ReloadLibrary();
}

void PresetStorage::SetSortMode(int mode) {
    if (!block_) return;
    library_.setSortMode(mode);
    library_.RebuildView();
    afterViewRebuilt();
    selectCurrentSlotNumber();
    refreshEditor();
}

void PresetStorage::ToggleFactoryPresets() {
    if (!block_) return;
    library_.setFactoryShown(!library_.factoryShown());
    library_.rebuildViewFromMap();
    afterViewRebuilt();
    if (!library_.factoryShown() && slot().info.factory == 1) {
        library_.setCurrent(0, 0);
        LoadPreset(library_.PresetNumberAt(0, 0));
    } else {
        selectCurrentSlotNumber();
    }
    refreshEditor();
}

}  // namespace solva
