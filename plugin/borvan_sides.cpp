// Band and side commands of the current slot: ordering the bell bands by
// frequency, band names, swapping and mid/side mode.
#include <cstring>
#include <initializer_list>

#include "params/param_table.h"
#include "plugin/borvan.h"

namespace solva {

void CBorvan::refreshMidSideFromSlot() {
    if (!settings_) return;
    msMode_ = (currentSlot(*settings_).info.channelMode == 2 && liveOutputs_ == 2) ? 1 : 0;
    applyMidSideFlags();
}

void CBorvan::setMidSideMode(bool midSide) {
    if (!settings_) return;
    msMode_ = (midSide && liveOutputs_ == 2) ? 1 : 0;
    applyMidSideFlags();
    if (editorSink_) {
        for (int index : {43, 44, 45, 46, 47, 48, 108, 109}) editorSink_->setParameter(index, getParameter(index));
        updateEditorImages();
    }
}

void CBorvan::sortBandsByFrequency() {
    if (!settings_) return;
    SettingsSlot& slot = currentSlot(*settings_);
    const int shown = shownSide(slot);
    const int first = slot.switches[kBand1].type >= 0.5f ? 2 : 1;
    const int last = slot.switches[kBand5].type >= 0.5f ? 4 : 5;
    if (first > last) return;

    // Selection by ascending frequency; equal frequencies keep their order.
    int chosen[kNumBands];
    bool taken[kNumBands] = {};
    for (int p = first; p <= last; ++p) {
        int best = -1;
        for (int q = first; q <= last; ++q) {
            if (taken[q]) continue;
            if (best < 0 || slot.side[shown].band[q].freq < slot.side[shown].band[best].freq) best = q;
        }
        taken[best] = true;
        bandSlot_[best] = -bandSlot_[best];
        chosen[p] = best;
    }

    BandValues values[kNumBands];
    float on[kNumBands], type[kNumBands];
    int32_t engineSlot[kNumBands];
    for (int p = first; p <= last; ++p) {
        values[p] = slot.side[shown].band[p];
        on[p] = slot.switches[p].on;
        type[p] = slot.switches[p].type;
        engineSlot[p] = bandSlot_[p];
    }
    for (int p = first; p <= last; ++p) {
        const int from = chosen[p];
        slot.side[shown].band[p] = values[from];
        slot.switches[p].on = on[from];
        slot.switches[p].type = type[from];
        bandSlot_[p] = -engineSlot[from];
    }

    slot.modified = 0;
    slot.modifiedShown = 0;
    if (editorSink_) {
        editorSink_->setParameter(75, 0.0f);
        for (int index : {23, 25, 26, 27, 28, 2, 5, 8, 11, 14, 3, 6, 9, 12, 15, 4, 7, 10, 13, 16})
            editorSink_->setParameter(index, getParameter(index));
    }
}

void CBorvan::setBandName(int index, const char* name) {
    if (!settings_ || index < 35 || index > 42 || !name) return;
    SettingsSlot& slot = currentSlot(*settings_);
    char* field = slot.switches[index - 35].name;
    std::strncpy(field, name, sizeof slot.switches[0].name - 1);
    field[sizeof slot.switches[0].name - 1] = 0;
    slot.modified = 0;
    if (editorSink_) {
        editorSink_->setParameter(index, 0.0f);
        if (slot.modified != slot.modifiedShown) {
            slot.modifiedShown = slot.modified;
            editorSink_->setParameter(75, 0.0f);
        }
    }
}

void CBorvan::swapSides() {
    if (!settings_) return;
    SettingsSlot& slot = currentSlot(*settings_);
    for (int index = 0; index <= kGeneralVolumeIndex; ++index) {
        float* a = sideValuePtr(slot, 0, index);
        float* b = sideValuePtr(slot, 1, index);
        const float t = *a;
        *a = *b;
        *b = t;
    }
    reapplyProgram(1);
    slot.modified = 1;
    slot.modifiedShown = 1;
    if (editorSink_) editorSink_->setParameter(75, 0.0f);
    updateDisplay();
}

}  // namespace solva
