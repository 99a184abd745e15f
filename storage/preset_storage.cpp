// Construction, preset loading and saving, options, init settings and the
// preset texts of the editor.
#include "storage/preset_storage.h"

#include <cstdio>
#include <cstring>

#include "params/param_table.h"
#include "storage/init_settings.h"
#include "storage/options_file.h"
#include "storage/record_format.h"
#include "storage/settings_records.h"

namespace solva {

namespace {
const char kOptionsName[] = "options";
const char kInitSettingsName[] = "InitSettings";
const float kLoadedLinkModes[5] = {1.0f, 0.0f, 0.0f, 1.0f, 0.0f};
constexpr int kFactoryIndicatorTag = 73;
constexpr int kPresetNameTag = 75;
}  // namespace

// ---------------------------------------------------------------------------
// Construction

void PresetStorage::start() {
    const InstallDirectory dir = LookUpInstallDirectory();
    installStatus_ = dir.status;
    if (dir.status != InstallLookup::kFound) host_.alert(installAlertText(dir.status).c_str());
    // Without a directory from the lookup nothing may be written anywhere
    // (the path would be the file-system root).
    startWith(dir.status == InstallLookup::kMissing ? std::string() : dir.path, drawEffectInstanceId());
}

void PresetStorage::startWith(std::string baseDirectory, int32_t instanceId) {
    store_.setBaseDirectory(std::move(baseDirectory));
    store_.clearStaleNotice();
    store_.setInstanceId(instanceId);
    resetInitSettings(init_);
}

void PresetStorage::loadStartupSettings() {
    if (!block_) return;
    LoadInitSettings();
    resetSettingsBlock();
    LoadOptions();
    ScanLibrary();
    block_->slotSelector = 1.0f;
    LoadPreset(0);
    block_->slotSelector = 0.0f;
    LoadPreset(0);
    copyInitIntoSlot(init_, *block_, 0, instanceId());
    selectCurrentSlotNumber();
}

// ---------------------------------------------------------------------------
// Loading and saving one preset

void PresetStorage::tellChannelMode() {
    const int mode = slot().info.channelMode;
    if (host_.liveOutputCount() < 2) {
        host_.editorSetChannelMode(0);
        host_.setMidSideFlag(false);
    } else {
        host_.editorSetChannelMode(mode);
        host_.setMidSideFlag(mode == 2);
    }
}

void PresetStorage::copyInitIntoCurrentSlot() { copyInitIntoSlot(init_, *block_, slotIndex(), instanceId()); }

int PresetStorage::LoadPreset(int number) {
    if (!block_ || !store_.usable()) return 1;
    PresetInfo info;
    if (store_.LoadPresetInfo(number, info) != kInfoLoaded) return 1;
    SettingsSlot& s = slot();
    s.info = info;
    tellChannelMode();
    int result = 1;
    if (std::FILE* file = std::fopen(store_.settingsPath(number).c_str(), "rb")) {
        // Keys missing from the file keep the init values.
        copyInitIntoCurrentSlot();
        s.modified = s.modifiedShown = 0;
        s.sideShown = 0.0f;
        std::memcpy(s.linkMode, kLoadedLinkModes, sizeof kLoadedLinkModes);
        ReadSettingsRecords(file, s);
        std::fclose(file);
        host_.reapplyCurrentSlot(-1);
        result = 0;
    }
    host_.editorSetParameter(kFactoryIndicatorTag, s.info.factory == 1 ? 1.0f : 0.0f);
    return result;
}

int PresetStorage::SavePreset(bool fromInit) {
    if (!block_ || !store_.usable()) {
        library_.setNewPresetRequest(false);  // a request never outlives the save it was made for
        return 1;
    }
    SettingsSlot& s = slot();
    // A slot that holds no library preset has no files to overwrite.
    if (!library_.newPresetRequest() && s.info.number < 0) return 1;
    const int32_t bandCount = s.info.bandCount;
    library_.updateRecord(s.info.number, [bandCount](PresetInfo& e) { e.bandCount = bandCount; });
    if (library_.newPresetRequest()) {
        library_.setNewPresetRequest(false);
        s.info.number = library_.NextFreePresetNumber();
        if (fromInit) copyInitIntoCurrentSlot();
        s.info.factory = 0;
        s.info.bandCount = countBandsOn(s);
        char name[sizeof s.info.presetName];
        std::snprintf(name, sizeof name, "Preset%.4d", int(s.info.number) - 500);
        copyToField(s.info.presetName, sizeof s.info.presetName, name);
        todayText(s.info.creationDate);
        todayText(s.info.modificationDate);
        library_.addRecord(s.info);
        library_.RebuildView();
        afterViewRebuilt();
        library_.SelectPresetByNumber(s.info.number);
        host_.editorSetParameter(kFactoryIndicatorTag, 0.0f);
    }
    store_.WritePresetInfo(s.info);
    char date[16];
    std::memcpy(date, s.info.modificationDate, sizeof date);
    library_.updateRecord(s.info.number, [&date](PresetInfo& e) { std::memcpy(e.modificationDate, date, 16); });
    if (std::FILE* file = std::fopen(store_.settingsPath(s.info.number).c_str(), "wb")) {
        WriteSettingsRecords(file, s);
        std::fclose(file);
    } else {
        store_.discardInfoFile(s.info.number);
    }
    s.modified = s.modifiedShown = 0;
    host_.editorSetParameter(kPresetNameTag, 0.0f);
    if (fromInit) host_.reapplyCurrentSlot(-1);
    return 0;
}

void PresetStorage::savePresetInPlace() {
    if (!block_ || slot().info.factory != 0) return;
    library_.setNewPresetRequest(false);
    SavePreset(false);
}

int PresetStorage::CopyPresetFiles(int number) {
    const int target = library_.NextFreePresetNumber();
    store_.copyPresetFiles(number, target);
    return target;
}

// ---------------------------------------------------------------------------
// Options and init settings

void PresetStorage::LoadOptions() {
    if (!block_ || !store_.usable()) return;
    if (std::FILE* file = std::fopen(store_.filePath(kOptionsName).c_str(), "rb")) {
        readOptionRecords(file, *block_);
        std::fclose(file);
    }
}

void PresetStorage::SaveOptions() {
    if (!block_ || !store_.usable()) return;
    if (std::FILE* file = std::fopen(store_.filePath(kOptionsName).c_str(), "wb")) {
        writeOptionRecords(file, *block_);
        std::fclose(file);
    }
}

void PresetStorage::LoadInitSettings() {
    resetInitSettings(init_);
    if (!store_.usable()) return;
    if (std::FILE* file = std::fopen(store_.filePath(kInitSettingsName).c_str(), "rb")) {
        ReadSettingsRecords(file, init_);
        std::fclose(file);
    }
}

void PresetStorage::SaveInitSettings() {
    if (!store_.usable()) return;
    if (std::FILE* file = std::fopen(store_.filePath(kInitSettingsName).c_str(), "wb")) {
        WriteSettingsRecords(file, init_);
        std::fclose(file);
    }
}

void PresetStorage::InitSettingsFromCurrent() {
    if (!block_) return;
    initFromSlot(init_, slot());
    SaveInitSettings();
}

void PresetStorage::setInitValue(int index, float value) {
    if (!block_) return;
    if (float* v = sideValuePtr(init_, shownSide(slot()), index)) *v = value;
    else if (float* sw = switchValuePtr(init_, index)) *sw = value;
}

float PresetStorage::getInitValue(int index) const {
    if (!block_) return 0.0f;
    const SettingsSlot& current = currentSlot(*block_);
    if (const float* v = sideValuePtr(init_, shownSide(current), index)) return *v;
    if (const float* sw = switchValuePtr(init_, index)) return *sw;
    return 0.0f;
}

void PresetStorage::resetSettingsBlock() {
    if (block_) ResetSettingsBlock(*block_, init_, instanceId());
}

// ---------------------------------------------------------------------------
// Editor texts

void PresetStorage::displayText(int index, char* out) const {
    out[0] = 0;
    if (!block_) return;
    const SettingsSlot& s = currentSlot(*block_);
    const PresetInfo& info = s.info;
    switch (index) {
        case 74: copyToField(out, 32, info.bankName); break;
        case 75:
            std::snprintf(out, 40, "%.31s%s", info.presetName, s.modified ? "*" : "");
            break;
        case 76: copyToField(out, 32, info.bankName); break;
        case 77: copyToField(out, 32, info.author); break;
        case 78: std::snprintf(out, 16, "%.2d", int(info.factory)); break;
        case 79: copyToField(out, 32, info.project); break;
        case 80: copyToField(out, 16, info.creationDate); break;
        case 81: copyToField(out, 16, info.modificationDate); break;
        default: break;
    }
}

void PresetStorage::getEntryTexts(int group, int position, char* label, char* name) const {
    const PresetInfo* entry = group < 0 ? nullptr : library_.entryAt(group, position);
    if (group < 0) {
        copyToField(label, 32, "-");
    } else {
        library_.getGroupLabel(group, label);
    }
    copyToField(name, 32, entry ? entry->presetName : "-");
}

void PresetStorage::refreshEditor() {
    host_.editorSetParameter(69, float(library_.currentGroup()));
    host_.editorSetParameter(70, float(library_.currentPosition()));
    for (int tag : {74, 75, 76, 77, 79}) host_.editorSetParameter(tag, 0.0f);
    host_.editorRequestRedraw();
}

}  // namespace solva
