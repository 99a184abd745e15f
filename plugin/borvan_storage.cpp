// Storage operations of the effect object: construction steps, the host
// chunk, and the preset, bank and option entries of the function table,
// all forwarded to PresetStorage.
#include "plugin/borvan_storage.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#endif

#include "plugin/borvan.h"

namespace solva {

// ---------------------------------------------------------------------------
// StorageHost

void BorvanStorage::reapplyCurrentSlot(int forcedProgram) { effect.reapplyProgram(forcedProgram); }
int BorvanStorage::liveOutputCount() { return effect.getLiveChannelCount(1); }

void BorvanStorage::setMidSideFlag(bool midSide) {
    effect.msMode_ = midSide ? 1 : 0;
    effect.applyMidSideFlags();
}

void BorvanStorage::updateHostDisplay() { effect.updateDisplay(); }

void BorvanStorage::editorSetParameter(int tag, float value) {
    if (EditorSink* sink = effect.editorSink()) sink->setParameter(tag, value);
}

void BorvanStorage::editorRequestRedraw() {
    if (EditorSink* sink = effect.editorSink()) sink->requestRedraw();
}

void BorvanStorage::editorSetChannelMode(int mode) {
    if (EditorSink* sink = effect.editorSink()) sink->setChannelModeDisplay(mode);
}

void BorvanStorage::alert(const char* message) {
#ifdef _WIN32
    // Modal, owned by no window: the instance is still being constructed.
    MessageBoxA(nullptr, message, "Alert", MB_OK);
#else
    // No message box on this platform: the text goes to standard error.
    std::fprintf(stderr, "Alert: %s\n", message);
#endif
}

void BorvanStorage::displayText(CBorvan& effect, int index, char* out) {
    out[0] = 0;
    if (effect.storage_) effect.storage_->storage.displayText(index, out);
}

// ---------------------------------------------------------------------------
// Construction and destruction

void CBorvan::constructStorage() {
    storage_.reset(new BorvanStorage(*this));
    storage_->storage.start();
    effectInstanceId_ = storage_->storage.instanceId();
    storage_->storage.installFactoryPresets();
}

void CBorvan::destroyStorage() { storage_.reset(); }

void CBorvan::loadStartupSettings() {
    storage_->storage.attachBlock(settings_);
    storage_->storage.loadStartupSettings();
}

// ---------------------------------------------------------------------------
// Host chunk and tick

vst::VstInt32 CBorvan::getChunk(void** data, bool) { return storage_->storage.getChunk(data); }

vst::VstInt32 CBorvan::setChunk(void* data, vst::VstInt32 byteSize, bool) {
    return storage_->storage.setChunk(data, byteSize);
}

void CBorvan::savePresetInPlace() { storage_->storage.savePresetInPlace(); }
bool CBorvan::checkLibraryChanged() { return storage_->storage.CheckLibraryChanged() == 1; }

// ---------------------------------------------------------------------------
// Function table: init settings, library queries

void CBorvan::InitSettingsFromCurrent() { storage_->storage.InitSettingsFromCurrent(); }
void CBorvan::setInitValue(int index, float value) { storage_->storage.setInitValue(index, value); }
float CBorvan::getInitValue(int index) { return storage_->storage.getInitValue(index); }
bool CBorvan::isCurrentSlotFactory() { return settings_ && currentSlot(*settings_).info.factory == 1; }
bool CBorvan::areFactoryPresetsShown() { return storage_->storage.library().factoryShown(); }
int CBorvan::getSortMode() { return storage_->storage.library().sortMode(); }
int CBorvan::getCurrentGroup() { return storage_->storage.library().currentGroup(); }
int CBorvan::getChannelMode() { return settings_ ? currentSlot(*settings_).info.channelMode : 0; }
int CBorvan::getCurrentPosition() { return storage_->storage.library().currentPosition(); }
int CBorvan::getGroupCount() { return storage_->storage.library().groupCount(); }
int CBorvan::getGroupSize(int group) { return storage_->storage.library().getGroupSize(group); }
void CBorvan::getEntryTexts(int group, int position, char* label, char* name) {
    storage_->storage.getEntryTexts(group, position, label, name);
}
void CBorvan::getGroupLabel(int group, char* text) { storage_->storage.getGroupLabel(group, text); }
int CBorvan::BankNameExists(const char* name) { return name ? storage_->storage.BankNameExists(name) : 0; }

// ---------------------------------------------------------------------------
// Function table: preset and bank operations

void CBorvan::NewPreset(bool fromInit) { storage_->storage.NewPreset(fromInit); }
void CBorvan::NewBank(bool fromInit) { storage_->storage.NewBank(fromInit); }
void CBorvan::DeletePreset(int group, int position) { storage_->storage.DeletePreset(group, position); }
void CBorvan::DeleteBank(int group) { storage_->storage.DeleteBank(group); }
void CBorvan::SetSortMode(int mode) { storage_->storage.SetSortMode(mode); }
void CBorvan::ToggleFactoryPresets() { storage_->storage.ToggleFactoryPresets(); }
void CBorvan::CopyBank(const char* name) { storage_->storage.CopyBank(name); }
void CBorvan::RenameBank(const char* name) { storage_->storage.RenameBank(name); }
void CBorvan::SetPresetBank(const char* name) { storage_->storage.SetPresetBank(name); }
void CBorvan::RenamePreset(const char* name) { storage_->storage.RenamePreset(name); }
int CBorvan::ImportBank(const char* path) { return storage_->storage.ImportBank(path); }
int CBorvan::ExportBank(const char* path) { return storage_->storage.ExportBank(path); }
void CBorvan::LoadPresetAtPosition(int position) { storage_->storage.LoadPresetAtPosition(position); }
void CBorvan::LoadPresetAt(int group, int position) { storage_->storage.LoadPresetAt(group, position); }
void CBorvan::refreshEditor() { storage_->storage.refreshEditor(); }
void CBorvan::ReloadLibrary() { storage_->storage.ReloadLibrary(); }
void CBorvan::SetPresetAuthor(const char* name) { storage_->storage.SetPresetAuthor(name); }
void CBorvan::SetPresetProject(const char* name) { storage_->storage.SetPresetProject(name); }

// ---------------------------------------------------------------------------
// Function table: options and init settings files

void CBorvan::SaveOptions() { storage_->storage.SaveOptions(); }
void CBorvan::LoadOptions() {
    storage_->storage.LoadOptions();
    applyMidSideFlags();  // the mid/side coding options may have changed
}
void CBorvan::LoadInitSettings() { storage_->storage.LoadInitSettings(); }
void CBorvan::SaveInitSettings() { storage_->storage.SaveInitSettings(); }

}  // namespace solva
