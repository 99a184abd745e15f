// Storage operations of the effect object.
// Provisional: defaults only, no files, until the preset store lands.
#include "plugin/borvan_storage.h"

#include <cstdio>
#include <cstring>

#include "plugin/borvan.h"

namespace solva {

namespace {

void writeDefaultSlot(SettingsSlot& slot, int instanceId, char slotLetter) {
    std::memset(&slot, 0, sizeof slot);
    const float freqDefaults[kNumBands] = {0.1f, 0.2f, 0.3f, 0.5f, 0.7f, 0.8f, 0.9f, 0.0f};
    const char* names[kNumBands] = {"Band 1", "Band 2", "Band 3", "Band 4", "Band 5", "Band 6", "Band 7", "Band Air"};
    for (SideSettings& side : slot.side) {
        for (int band = 0; band < kNumBands; ++band) {
            side.band[band].freq = freqDefaults[band];
            side.band[band].qual = 0.5f;
            side.band[band].gain = 0.5f;
        }
        side.band[kBandHighPass].qual = 0.501f;
        side.band[kBandLowPass].qual = 0.501f;
        side.band[kBandHighPass].gain = 0.0f;
        side.band[kBandLowPass].gain = 0.0f;
        side.band[kBandAir].freq = 1.0f;
        side.band[kBandAir].qual = 1.0f;
        side.generalVolume = 0.5f;
    }
    for (int band = 0; band < kNumBands; ++band) std::strcpy(slot.switches[band].name, names[band]);
    slot.sideShown = 1.0f;
    const float links[5] = {1.0f, 0.0f, 0.0f, 1.0f, 0.0f};
    std::memcpy(slot.linkMode, links, sizeof links);
    std::snprintf(slot.name, sizeof slot.name, "%s%.2d%c", "Solva", instanceId, slotLetter);
}

}  // namespace

void BorvanStorage::displayText(CBorvan&, int, char* out) { out[0] = 0; }

void CBorvan::constructStorage() { storage_.reset(new BorvanStorage); }
void CBorvan::destroyStorage() { storage_.reset(); }

void CBorvan::loadStartupSettings() {
    SettingsBlock& block = *settings_;
    block.formatVersion = kFormatVersion;
    writeDefaultSlot(block.slot[0], effectInstanceId_, 'A');
    writeDefaultSlot(block.slot[1], effectInstanceId_, 'B');
    block.slotSelector = 0.0f;
    const float options[kNumOptions] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 0, 1, 1, 1, 0};
    std::memcpy(block.options, options, sizeof options);
}

vst::VstInt32 CBorvan::getChunk(void** data, bool) {
    *data = settings_;
    return settings_ ? vst::VstInt32(sizeof(SettingsBlock)) : 0;
}

vst::VstInt32 CBorvan::setChunk(void* data, vst::VstInt32 byteSize, bool) {
    if (byteSize < 4 || !settings_ || !data) return 1;
    const std::size_t n = byteSize < vst::VstInt32(sizeof(SettingsBlock)) ? std::size_t(byteSize) : sizeof(SettingsBlock);
    std::memcpy(settings_, data, n);
    reapplyProgram(1);
    refreshMidSideFromSlot();
    updateDisplay();
    return 0;
}

void CBorvan::savePresetInPlace() {}
bool CBorvan::checkLibraryChanged() { return false; }

void CBorvan::InitSettingsFromCurrent() {}
void CBorvan::setInitValue(int, float) {}
float CBorvan::getInitValue(int) { return 0.5f; }
bool CBorvan::isCurrentSlotFactory() { return settings_ && currentSlot(*settings_).info.factory == 1; }
bool CBorvan::areFactoryPresetsShown() { return true; }
int CBorvan::getSortMode() { return 0; }
int CBorvan::getCurrentGroup() { return -1; }
int CBorvan::getChannelMode() { return settings_ ? currentSlot(*settings_).info.channelMode : 0; }
int CBorvan::getCurrentPosition() { return -1; }
int CBorvan::getGroupCount() { return -1; }
int CBorvan::getGroupSize(int) { return 0; }
void CBorvan::getEntryTexts(int, int, char* label, char* name) {
    std::strcpy(label, "-");
    std::strcpy(name, "-");
}
void CBorvan::getGroupLabel(int, char* text) { std::strcpy(text, "-"); }
void CBorvan::NewPreset(bool) {}
void CBorvan::NewBank(bool) {}
void CBorvan::DeletePreset(int, int) {}
void CBorvan::DeleteBank(int) {}
void CBorvan::SetSortMode(int) {}
void CBorvan::ToggleFactoryPresets() {}
int CBorvan::BankNameExists(const char*) { return 0; }
void CBorvan::CopyBank(const char*) {}
void CBorvan::RenameBank(const char*) {}
void CBorvan::SetPresetBank(const char*) {}
void CBorvan::RenamePreset(const char*) {}
int CBorvan::ImportBank(const char*) { return 1; }
void CBorvan::LoadPresetAtPosition(int) {}
void CBorvan::LoadPresetAt(int, int) {}
int CBorvan::ExportBank(const char*) { return 1; }
void CBorvan::refreshEditor() {
    if (!editorSink_) return;
    for (int index = 0; index <= 67; ++index) editorSink_->setParameter(index, getParameter(index));
    editorSink_->requestRedraw();
}
void CBorvan::ReloadLibrary() {}
void CBorvan::SetPresetAuthor(const char*) {}
void CBorvan::SetPresetProject(const char*) {}
void CBorvan::SaveOptions() {}
void CBorvan::LoadOptions() {}
void CBorvan::LoadInitSettings() {}
void CBorvan::SaveInitSettings() {}

}  // namespace solva
