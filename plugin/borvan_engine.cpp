// Translation of stored settings into engine values: engine Q laws, the
// bell gain warp, the fixed values of the high-pass, low-pass and Air bands,
// the band kinds chosen by the switches, the flags driven by the general
// switch and the options, and the band-listen boost.
//
// Threads: runs on whichever thread changed a setting; it only writes the
// engine's pending values, targets and flags.
#include "dsp/band_kind.h"
#include "params/engine_laws.h"
#include "params/param_table.h"
#include "params/value_law.h"
#include "plugin/borvan.h"

namespace solva {
namespace {

constexpr int kAutoSaveIndex = 50;
constexpr int kOutputGainActiveIndex = 56;
constexpr int kAltGainDropIndex = 67;
constexpr int kHighPassTypeIndex = 22;
constexpr int kLowPassTypeIndex = 31;

bool isOn(float v) { return v >= 0.5f; }

// The kind of a band position as its type switch selects it.
int kindOfBand(const SettingsSlot& slot, int band) {
    switch (band) {
    case kBandHighPass: return isOn(slot.switches[kBandHighPass].type) ? kKindHighPass12 : kKindHighPass6;
    case kBand1: return isOn(slot.switches[kBand1].type) ? kKindLowShelf : kKindPeak;
    case kBand5: return isOn(slot.switches[kBand5].type) ? kKindHighShelf : kKindPeak;
    case kBandLowPass: return isOn(slot.switches[kBandLowPass].type) ? kKindLowPass12 : kKindLowPass6;
    case kBandAir: return kKindAir;
    default: return kKindPeak;
    }
}

bool isShelf(const SettingsSlot& slot, int band) {
    return (band == kBand1 || band == kBand5) && isOn(slot.switches[band].type);
}

}  // namespace

// Sends the three values of a band position for one side.
static void sendBand(EqEngine& engine, const SettingsSlot& slot, int engineSlot, int band, int side, bool listen,
                     int32_t& pendingIndex) {
    const BandValues& v = slot.side[side].band[band];
    if (band == kBandHighPass) {
        const float f = lawToPhysical(v.freq, kHpFrequencyLaw);
        engine.setBandSettings(engineSlot, side, f, 0.0f, highPassEngineQ(v.qual, f));
    } else if (band == kBandLowPass) {
        const float f = lawToPhysical(v.freq, kFrequencyLaw);
        engine.setBandSettings(engineSlot, side, f, 0.0f, lowPassEngineQ(v.qual, f));
    } else if (band == kBandAir) {
        engine.setBandSettings(engineSlot, side, kAirFreqHz, lawToPhysical(v.gain, kAirGainLaw), 0.0f);
    } else {
        const float f = lawToPhysical(v.freq, kFrequencyLaw);
        // Listening: the band is boosted to the top of the gain law.
        const float gainNorm = listen ? 1.0f : v.gain;
        if (listen) pendingIndex = gainIndexOfBand(band);
        if (isShelf(slot, band)) {
            engine.setBandSettings(engineSlot, side, f, lawToPhysical(gainNorm, kGainLaw),
                                   lawToPhysical(v.qual, kShelfQLaw));
        } else {
            const float q = lawToPhysical(v.qual, kBellQLaw);
            engine.setBandSettings(engineSlot, side, f, bellGainWarp(lawToPhysical(gainNorm, kGainLaw), q), q);
        }
    }
}

void CBorvan::applyToEngine(int slotIndex, int index, int side) {
    if (!settings_ || slotIndex < 0 || slotIndex > 1 || side < 0 || side > 1) return;
    const SettingsSlot& slot = settings_->slot[slotIndex];
    const bool listen = modifierState_[kListen] != 0;
    if (index >= 0 && index < kGeneralVolumeIndex) {
        const int band = bandOfIndex(index);
        if (band < 0) return;
        const bool boost = listen && band >= kBand1 && band <= kBand5;
        sendBand(engine_, slot, bandSlot_[band], band, side, boost, pendingIndex_);
    } else if (index == kGeneralVolumeIndex) {
        engine_.setOutputGainDb(side, lawToPhysical(slot.side[side].generalVolume, kGainLaw));
    } else if (index > kGeneralVolumeIndex && index < kGeneralOnIndex) {
        const int band = bandOfIndex(index);
        if (band < 0) return;
        const int engineSlot = bandSlot_[band];
        if (isOnSwitchIndex(index)) {
            // The kind goes with the switch so that a freshly assigned slot
            // always carries its band's kind.
            engine_.setBandKind(engineSlot, kindOfBand(slot, band));
            engine_.setBandEnabled(engineSlot, isOn(slot.switches[band].on));
        } else if (isTypeSwitchIndex(index)) {
            engine_.setBandKind(engineSlot, kindOfBand(slot, band));
            // Bands 1 and 5 change laws with their type: re-send both sides.
            if (index != kHighPassTypeIndex && index != kLowPassTypeIndex)
                for (int s = 0; s < 2; ++s)
                    sendBand(engine_, slot, engineSlot, band, s, listen && s == side, pendingIndex_);
        }
    } else if (index == kGeneralOnIndex) {
        engine_.setGeneralOn(isOn(slot.generalOn));
    } else if (index == kAutoSaveIndex) {
        engine_.setSilenceDetection(isOn(settings_->options[kOptAutoSave]));
    } else if (index == kOutputGainActiveIndex) {
        engine_.setOffKeepsGain(isOn(settings_->options[kOptOutputGainActive]));
    } else if (index == kAltGainDropIndex) {
        const float mode = settings_->options[kOptAltGainDrop];
        if (mode == 0.0f) dropLevel_ = 0.5f;
        else if (mode == 1.0f) dropLevel_ = lawToNormalised(-6.0f, kGainLaw);
        else dropLevel_ = 0.0f;
    }
}

void CBorvan::applyMidSideFlags() {
    if (!settings_) return;
    engine_.setMidSide(msMode_ != 0, isOn(settings_->options[kOptInputMsCoding]),
                       isOn(settings_->options[kOptOutputMsDecoding]));
}

void CBorvan::notifyEditor(int index, int side) {
    if (editorSink_) editorSink_->setParameter(index, getParameter(index));
    if (!settings_ || modifierState_[kListen] == 0) return;
    const int band = bandOfIndex(index);
    if (band < kBand1 || band > kBand5 || index > kGeneralVolumeIndex) return;
    if (!isFrequencyIndex(index) && !isQualityIndex(index)) return;
    // Listening: show the band's gain at the top and drop the general volume.
    if (editorSink_) editorSink_->setParameter(gainIndexOfBand(band), 1.0f);
    if (side < 0 || side > 1 || savedVolume_[side] >= 0.0f) return;
    SettingsSlot& slot = currentSlot(*settings_);
    savedVolume_[side] = slot.side[side].generalVolume;
    if (settings_->options[kOptAltGainDrop] != 0.0f) setParameter(kGeneralVolumeIndex, dropLevel_);
}

}  // namespace solva
