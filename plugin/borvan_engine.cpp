// Translation of stored settings into engine values.
// Provisional: only the general volume and switch reach the engine until
// the band translation lands.
#include "params/param_table.h"
#include "params/value_law.h"
#include "plugin/borvan.h"

namespace solva {

void CBorvan::applyToEngine(int slotIndex, int index, int side) {
    if (!settings_) return;
    const SettingsSlot& slot = settings_->slot[slotIndex];
    if (index == kGeneralVolumeIndex) {
        engine_.setOutputGainDb(side, lawToPhysical(slot.side[side].generalVolume, kGainLaw));
    } else if (index == kGeneralOnIndex) {
        engine_.setGeneralOn(slot.generalOn >= 0.5f);
    }
}

void CBorvan::applyMidSideFlags() {
    if (!settings_) return;
    engine_.setMidSide(msMode_ != 0, settings_->options[kOptInputMsCoding] >= 0.5f,
                       settings_->options[kOptOutputMsDecoding] >= 0.5f);
}

void CBorvan::notifyEditor(int index, int) {
    if (editorSink_) editorSink_->setParameter(index, getParameter(index));
}

}  // namespace solva
