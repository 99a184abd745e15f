#include "storage/init_settings.h"

#include <cstdio>
#include <cstring>

#include "params/param_table.h"
#include "storage/install_directory.h"
#include "storage/record_format.h"
#include "storage/settings_records.h"

namespace solva {

namespace {
const char* const kDefaultBandNames[kNumBands] = {"Band 1", "Band 2", "Band 3", "Band 4",
                                                  "Band 5", "Band 6", "Band 7", "Band Air"};
// Option words 444..461 at reset: auto-on, clip display and both mid/side
// stages on, the reserved word 1.0, everything else off.
const float kOptionDefaults[kNumOptions] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 0, 1, 1, 1, 0};
const float kLinkDefaults[5] = {1.0f, 0.0f, 0.0f, 1.0f, 0.0f};
}  // namespace

const char* defaultBandName(int band) { return band >= 0 && band < kNumBands ? kDefaultBandNames[band] : ""; }

float defaultOptionValue(int word) { return word >= 0 && word < kNumOptions ? kOptionDefaults[word] : 0.0f; }

void resetInitSettings(SettingsSlot& init) {
    std::memset(&init, 0, sizeof init);
    writeParamDefaults(init);
    // Switches default to off whatever the parameter table says.
    for (BandSwitches& sw : init.switches) sw.type = sw.on = 0.0f;
    init.generalOn = 0.0f;
}

void writeSlotName(SettingsSlot& slot, int slotIndex, int32_t instanceId) {
    std::snprintf(slot.name, sizeof slot.name, "%s%.2d%c", kProductWord, int(instanceId), slotIndex ? 'B' : 'A');
}

void copyInitIntoSlot(const SettingsSlot& init, SettingsBlock& block, int slotIndex, int32_t instanceId) {
    SettingsSlot& slot = block.slot[slotIndex];
    for (int side = 0; side < kNumSides; ++side) {
        for (int index = 0; index < kFirstSharedRecord; ++index)
            *sideValuePtr(slot, side, index) = *sideValuePtr(init, side, index);
        SideSettings& s = slot.side[side];
        s.band[kBandHighPass].gain = 0.0f;
        s.band[kBandLowPass].gain = 0.0f;
        s.band[kBandAir].freq = 1.0f;
        s.band[kBandAir].qual = 1.0f;
    }
    for (int band = 0; band < kNumBands; ++band) {
        slot.switches[band].on = init.switches[band].on;
        const bool typed = band == kBandHighPass || band == kBand1 || band == kBand5 || band == kBandLowPass;
        slot.switches[band].type = typed ? init.switches[band].type : 0.0f;
        const char* name = init.switches[band].name;
        copyToField(slot.switches[band].name, sizeof slot.switches[band].name,
                    IsValidName(name, 24) ? name : kDefaultBandNames[band]);
    }
    slot.generalOn = init.generalOn;
    writeSlotName(slot, slotIndex, instanceId);
    slot.modified = 0;
    slot.modifiedShown = 0;
}

void initFromSlot(SettingsSlot& init, const SettingsSlot& slot) {
    for (int side = 0; side < kNumSides; ++side)
        for (int index = 0; index < kFirstSharedRecord; ++index)
            *sideValuePtr(init, side, index) = *sideValuePtr(slot, side, index);
    for (int band = 0; band < kNumBands; ++band) {
        init.switches[band].on = slot.switches[band].on;
        std::memcpy(init.switches[band].name, slot.switches[band].name, sizeof init.switches[band].name);
        init.switches[band].name[sizeof init.switches[band].name - 1] = 0;
    }
    for (int band : {int(kBandHighPass), int(kBand1), int(kBand4), int(kBand5), int(kBandLowPass)})
        init.switches[band].type = slot.switches[band].type;
    init.generalOn = slot.generalOn;
}

void ResetSettingsBlock(SettingsBlock& block, const SettingsSlot& init, int32_t instanceId) {
    std::memset(&block, 0, sizeof block);
    block.formatVersion = kFormatVersion;
    for (int s = 0; s < 2; ++s) {
        SettingsSlot& slot = block.slot[s];
        slot.sideShown = 1.0f;
        std::memcpy(slot.linkMode, kLinkDefaults, sizeof kLinkDefaults);
        PresetInfo& info = slot.info;
        for (char* text : {info.presetName, info.bankName, info.author, info.project})
            copyToField(text, 32, "default");
        copyToField(info.creationDate, sizeof info.creationDate, "default");
        copyToField(info.modificationDate, sizeof info.modificationDate, "default");
        info.bandCount = info.factory = info.channelMode = info.number = 0;
        copyInitIntoSlot(init, block, s, instanceId);
    }
    block.slotSelector = 0.0f;
    std::memcpy(block.options, kOptionDefaults, sizeof kOptionDefaults);
}

int countBandsOn(const SettingsSlot& slot) {
    int count = 0;
    for (const BandSwitches& sw : slot.switches)
        if (sw.on >= 0.5f) ++count;
    return count;
}

}  // namespace solva
