// Parameter reads and writes: the shown side of the current slot, the link
// between the two sides, snapping, and the rules for edits that come from
// the editor.
#include <cmath>
#include <cstring>

#include "params/param_table.h"
#include "params/snap_tables.h"
#include "params/typed_value.h"
#include "params/value_law.h"
#include "plugin/borvan.h"

namespace solva {

namespace {

constexpr int kOnSwitchIndex[kNumBands] = {21, 23, 25, 26, 27, 28, 30, 32};
constexpr int kGainIndices[] = {4, 7, 10, 13, 16, 19};

bool isBandGainIndex(int index) {
    for (int g : kGainIndices)
        if (g == index) return true;
    return false;
}

int onSwitchBand(int index) {
    for (int band = 0; band < kNumBands; ++band)
        if (kOnSwitchIndex[band] == index) return band;
    return -1;
}

int countBandsOn(const SettingsSlot& slot) {
    int count = 0;
    for (const BandSwitches& s : slot.switches) count += s.on >= 0.5f ? 1 : 0;
    return count;
}

}  // namespace

int CBorvan::getParameterKind(int index) const { return solva::getParameterKind(index); }

float CBorvan::getParameter(vst::VstInt32 index) {
    if (!settings_) return 0.0f;
    const SettingsBlock& block = *settings_;
    const SettingsSlot& slot = currentSlot(block);
    const int shown = shownSide(slot);
    if (index >= 0 && index <= kGeneralVolumeIndex) return *sideValuePtr(slot, shown, index);
    if (index >= 21 && index <= 33) return *switchValuePtr(const_cast<SettingsSlot&>(slot), index);
    if (index == 43) return slot.sideShown;
    if (index >= 44 && index <= 48) return slot.linkMode[index - 44];
    if (index == 49) return block.slotSelector;
    if (index >= 50 && index <= 67) {
        const int word = optionWordForIndex(index);
        return word < 0 ? 0.0f : block.options[word];
    }
    if (index == 106) return block.slotSelector < 0.5f ? 1.0f : 0.0f;
    if (index == 107) return block.slotSelector >= 0.5f ? 1.0f : 0.0f;
    if (index == 108) return shown == 0 ? 1.0f : 0.0f;
    if (index == 109) return shown == 1 ? 1.0f : 0.0f;
    return 0.0f;
}

void CBorvan::setParameterAutomated(vst::VstInt32 index, float value) {
    editorGesture_ = 1;
    if (getParameterKind(index) == kKindContinuous) {
        setParameter(index, value);
        callHost(vst::audioMasterAutomate, index, 0, nullptr, value);
    } else {
        setParameter(index, value);
    }
    editorGesture_ = 0;
}

void CBorvan::storeValue(SettingsSlot& slot, int side, int index, float value) {
    if (float* p = sideValuePtr(slot, side, index)) *p = value;
}

void CBorvan::setParameter(vst::VstInt32 index, float value) {
    if (!settings_) return;
    SettingsBlock& block = *settings_;
    const int slotIndex = currentSlotIndex(block);
    SettingsSlot& slot = block.slot[slotIndex];
    const int shown = shownSide(slot);
    const int channelModeBefore = slot.info.channelMode;

    if (index >= 0 && index <= kGeneralVolumeIndex) {
        applyLinks(slot, index, shown, value);
        if (snapEnabled_ && !snapSuspended_) value = snapNormalised(index, value, block, slot);
        storeValue(slot, shown, index, value);
    } else if (index >= 21 && index <= 33) {
        *switchValuePtr(slot, index) = value;
    } else if (index == 43) {
        slot.sideShown = value;
    } else if (index >= 44 && index <= 48) {
        // Links 1 and 2 exclude each other.
        if (value > 0.5f && (index == 44 || index == 45)) {
            float& partner = slot.linkMode[index == 44 ? 1 : 0];
            if (partner > 0.5f) partner = 0.0f;
        }
        slot.linkMode[index - 44] = value;
    } else if (index == 49) {
        block.slotSelector = value;
    } else if (index >= 50 && index <= 67) {
        const int word = optionWordForIndex(index);
        if (word < 0) return;
        block.options[word] = value;
        if (index == 64 || index == 65) applyMidSideFlags();
    } else if (index >= 71 && index <= 73) {
        // One-shot commands carry no stored value.
    } else if (index == 106 || index == 107) {
        const bool selectB = (index == 107) == (value >= 0.5f);
        block.slotSelector = selectB ? 1.0f : 0.0f;
    } else if (index == 108 || index == 109) {
        slot.sideShown = index == 108 ? 1.0f : 0.0f;
    } else {
        return;  // out-of-range indices are ignored
    }

    if (editorGesture_) runEditorRules(slot, index, value);

    // Slot switches re-apply a whole program in the editor rules; every
    // other store is applied for the shown side of the (possibly new)
    // current slot.
    const int nowSlot = currentSlotIndex(block);
    const int nowShown = shownSide(block.slot[nowSlot]);
    applyToEngine(nowSlot, index, nowShown);
    notifyEditor(index, nowShown);
    // The image variants follow the slot, the side shown and the slot's
    // channel mode; plain value changes leave them as they are.
    const bool imagesMoved = index == 43 || index == 49 || index >= 106 || slot.info.channelMode != channelModeBefore;
    if (imagesMoved) updateEditorImages();
}

// The link between the two sides for a continuous index: writes the other
// side (and applies it) before the shown side is stored.
void CBorvan::applyLinks(SettingsSlot& slot, int index, int shown, float value) {
    const int other = 1 - shown;
    const float* L = slot.linkMode;
    const int slotIndex = currentSlotIndex(*settings_);
    const int sideFlag = msMode_ ? 2 : 1;

    auto writeOther = [&](float v) {
        storeValue(slot, other, index, v);
        applyToEngine(slotIndex, index, other);
        if (editorSink_ && !programLoad_) editorSink_->setParameter(index, getParameter(index));
    };

    if (L[0] > 0.5f && L[2] < 0.5f) {  // absolute link
        writeOther(value);
        return;
    }
    if (L[0] > 0.5f) {  // relative link, in physical units
        const ValueLaw& law = lawForIndex(index, slot);
        const float shownStart = lawToPhysical(startValues_[0], law);
        const float otherStart = lawToPhysical(startValues_[1], law);
        const float now = lawToPhysical(value, law);
        float otherPhys;
        if (isFrequencyIndex(index))
            otherPhys = shownStart != 0.0f ? otherStart * (now / shownStart) : otherStart;
        else
            otherPhys = otherStart + (now - shownStart);
        float otherNorm = lawToNormalised(otherPhys, law);
        if (L[3] < 0.5f) {
            otherNorm = otherNorm < 0.0f ? 0.0f : (otherNorm > 1.0f ? 1.0f : otherNorm);
            startValues_[0] = *sideValuePtr(slot, shown, index);
            startValues_[1] = *sideValuePtr(slot, other, index);
        }
        writeOther(otherNorm);
        slot.info.channelMode = sideFlag;
        return;
    }
    if (L[1] <= 0.5f) {  // no link
        if (editorGesture_) slot.info.channelMode = sideFlag;
        return;
    }
    // Mirrored gains; every other value is stored on both sides.
    if (!isBandGainIndex(index)) {
        writeOther(value);
        return;
    }
    const ValueLaw& law = lawForIndex(index, slot);
    const float newDb = lawToPhysical(value, law);
    const float changeDb = newDb - lawToPhysical(startValues_[0], law);
    const float otherDb = L[2] >= 0.5f ? lawToPhysical(startValues_[1], law) - changeDb : -newDb;
    writeOther(lawToNormalised(otherDb, law));

    if (L[4] > 1.0f / 3.0f) {
        // Volume compensation: the side whose band went up is turned down
        // by a share of the change; the other side returns to 0 dB.
        const float factor = L[4] < 2.0f / 3.0f ? 0.4f : 0.8f;
        const int louder = changeDb >= 0.0f ? shown : other;
        const float volumeDb = -std::fabs(changeDb) * factor;
        slot.side[louder].generalVolume = lawToNormalised(volumeDb, kGainLaw);
        slot.side[1 - louder].generalVolume = 0.5f;
        for (int side = 0; side < 2; ++side) applyToEngine(slotIndex, kGeneralVolumeIndex, side);
        if (editorSink_) editorSink_->setParameter(kGeneralVolumeIndex, slot.side[shown].generalVolume);
    }
}

void CBorvan::runEditorRules(SettingsSlot& slot, int index, float value) {
    SettingsBlock& block = *settings_;
    const int slotIndex = currentSlotIndex(block);
    const int shown = shownSide(slot);

    if (index == 49 || index == 106 || index == 107) {
        reapplyProgram(1);
        refreshMidSideFromSlot();
        refreshEditor();
        return;
    }
    if (index >= 71 && index <= 73) {
        runOnceCommand(index, value);
        return;
    }

    slot.modified = 1;
    const int band = onSwitchBand(index);
    if (band >= 0) bandSwitchedOff_[slotIndex][band] = value < 0.5f ? 1 : 0;
    if (index == kGeneralOnIndex) generalSwitchedOff_[slotIndex] = value < 0.5f ? 1 : 0;

    if (getParameterKind(index) == kKindContinuous) {
        const bool autoOn = block.options[kOptAutoOn] >= 0.5f;
        auto switchOn = [&](int switchIndex, bool userSwitchedOff) {
            float* on = switchValuePtr(slot, switchIndex);
            const bool turnOn = autoOn ? *on < 0.5f : !userSwitchedOff;
            if (!turnOn || *on >= 1.0f) return;
            *on = 1.0f;
            applyToEngine(slotIndex, switchIndex, shown);
            if (editorSink_) editorSink_->setParameter(switchIndex, 1.0f);
        };
        const int valueBand = bandOfIndex(index);
        if (valueBand >= 0) switchOn(kOnSwitchIndex[valueBand], bandSwitchedOff_[slotIndex][valueBand] != 0);
        switchOn(kGeneralOnIndex, generalSwitchedOff_[slotIndex] != 0);
    }
    slot.info.bandCount = countBandsOn(slot);
}

void CBorvan::runOnceCommand(int index, float value) {
    if (value < 0.5f) {
        commandLatch_ = 0;
        return;
    }
    if (value <= 0.5f || commandLatch_) return;
    commandLatch_ = 1;

    SettingsBlock& block = *settings_;
    const int slotIndex = currentSlotIndex(block);
    SettingsSlot& slot = block.slot[slotIndex];
    if (index == 71) {
        block.slot[1 - slotIndex] = slot;
    } else if (index == 72) {
        const int shown = shownSide(slot);
        slot.side[1 - shown] = slot.side[shown];
        for (int i = 0; i <= kGeneralVolumeIndex; ++i) applyToEngine(slotIndex, i, 1 - shown);
        slot.info.channelMode = 0;
    } else if (index == 73) {
        savePresetInPlace();
    }
}

void CBorvan::setValueFromText(int index, const char* text) {
    if (!settings_ || index < 0 || index > kGeneralVolumeIndex || !text) return;
    editorGesture_ = 1;
    float norm = 0.0f;
    if (typedValueToNormalised(*settings_, index, text, &norm)) setParameterAutomated(index, norm);
    editorGesture_ = 0;
}

}  // namespace solva
