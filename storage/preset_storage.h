// PresetStorage: everything an effect instance keeps on disk and in its
// preset library. It works on the effect's settings block (current slot =
// the slot the A/B selector picks) and reaches the effect only through
// StorageHost. Operations return 0 on success and 1 on failure where they
// have a result; nothing throws. UI thread only.
#pragma once

#include <cstdint>
#include <string>

#include "params/settings_block.h"
#include "storage/install_directory.h"
#include "storage/preset_library.h"
#include "storage/preset_store.h"
#include "storage/storage_host.h"

namespace solva {

class PresetStorage {
public:
    explicit PresetStorage(StorageHost& host) : host_(host) {}

    // --- Construction --------------------------------------------------------
    // Looks up the base directory (alerting on failure), clears a stale
    // change notice and draws the instance identifier.
    void start();
    // The same with a known directory and identifier (tests, tools).
    void startWith(std::string baseDirectory, int32_t instanceId);
    // Writes the built-in factory presets whose information file is missing.
    // Returns how many presets were written.
    int installFactoryPresets();
    // The settings block the storage works on; owned by the effect.
    void attachBlock(SettingsBlock* block) { block_ = block; }
    // Init settings, block reset, options, library scan, then preset 0 into
    // slot B and into slot A (slot A then takes the init settings), slot A
    // selected.
    void loadStartupSettings();

    // --- Preset files ----------------------------------------------------------
    // Loads preset `number` into the current slot and re-applies it.
    int LoadPreset(int number);
    // Saves the current slot (as a new preset when the new-preset request
    // is set, from the init settings when `fromInit`).
    int SavePreset(bool fromInit);
    // The editor's save command: overwrites the current non-factory preset.
    void savePresetInPlace();
    // Copies a preset's files to the next free number, which it returns.
    int CopyPresetFiles(int number);
    // Change-notice poll; 1 when the library must be reloaded.
    int CheckLibraryChanged() { return store_.CheckLibraryChanged(); }

    // --- Library ----------------------------------------------------------------
    void ScanLibrary();
    void ReloadLibrary();
    void FindOrAddCurrentPreset();
    void LoadPresetAt(int group, int position);
    void LoadPresetAtPosition(int position);
    void NewPreset(bool fromInit);
    void NewBank(bool fromInit);
    void DeletePreset(int group, int position);
    void DeleteBank(int group);
    void RenamePreset(const char* name);
    void RenameBank(const char* name);
    void SetPresetBank(const char* name);
    void SetPresetAuthor(const char* name);
    void SetPresetProject(const char* name);
    void CopyBank(const char* name);
    void SetSortMode(int mode);
    void ToggleFactoryPresets();
    int BankNameExists(const char* name) const { return library_.BankNameExists(name); }
    // Browser texts: group label and preset name, "-" when the group is
    // negative or the entry missing.
    void getEntryTexts(int group, int position, char* label, char* name) const;
    void getGroupLabel(int group, char* text) const { library_.getGroupLabel(group, text); }
    // Browser controls 69/70 get the current group/position, 74..77 and 79
    // get 0, and the editor redraws.
    void refreshEditor();

    // --- Options and init settings ---------------------------------------------
    void LoadOptions();
    void SaveOptions();
    void LoadInitSettings();
    void SaveInitSettings();
    void InitSettingsFromCurrent();
    // Init value of a parameter index 0..33 on the side being edited.
    void setInitValue(int index, float value);
    float getInitValue(int index) const;
    void resetSettingsBlock();

    // --- Banks out and in ----------------------------------------------------------
    int ExportBank(const char* path);
    int ImportBank(const char* path);

    // --- Host chunk -------------------------------------------------------------
    int getChunk(void** data);
    // 1 when the size is below 4 (nothing changes), else 0.
    int setChunk(const void* data, int32_t byteSize);

    // Preset texts of display indices 74..81 (bank, preset name with "*"
    // when modified, bank, author, factory flag, project, dates).
    void displayText(int index, char* out) const;

    // --- Access ------------------------------------------------------------------
    const PresetStore& store() const { return store_; }
    PresetLibrary& library() { return library_; }
    const PresetLibrary& library() const { return library_; }
    SettingsSlot& initSettings() { return init_; }
    int32_t instanceId() const { return store_.instanceId(); }
    InstallLookup installStatus() const { return installStatus_; }
    SettingsBlock* block() { return block_; }

private:
    SettingsSlot& slot() { return currentSlot(*block_); }
    int slotIndex() const { return currentSlotIndex(*block_); }
    void afterViewRebuilt();
    void selectCurrentSlotNumber() { library_.SelectPresetByNumber(slot().info.number); }
    void tellChannelMode();
    void copyInitIntoCurrentSlot();
    void setCurrentPresetText(std::size_t fieldOffset, const char* name, int rebuildMode);

    StorageHost& host_;
    SettingsBlock* block_ = nullptr;
    PresetStore store_;
    PresetLibrary library_;
    SettingsSlot init_{};
    InstallLookup installStatus_ = InstallLookup::kFound;
};

}  // namespace solva
