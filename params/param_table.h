// The host parameter table (indices 0..33) and where each parameter's value
// lives in a settings slot.
//
// Indices 0..20 are continuous values stored per side (kind 2), 21..33 are
// switches shared by both sides (kind 1). Everything here is a pure lookup,
// safe on any thread.
#pragma once

#include "params/settings_block.h"
#include "params/value_law.h"

namespace solva {

enum ParamKind { kKindInternal = 0, kKindSwitch = 1, kKindContinuous = 2 };

// Law of a continuous parameter. BandQ1 and BandQ5 are the quality of bands 1
// and 5: bell Q, or shelf Q while the band's type switch is >= 0.5.
enum class LawId { None, Frequency, HpFrequency, FilterQ, BellQ, GainDb, AirGainDb, BandQ1, BandQ5 };

struct ParamInfo {
    int index;
    const char* shortName;  // eight characters, blank padded ("HPFreq  ")
    const char* longName;   // at most 31 characters
    int kind;               // ParamKind
    LawId law;              // None for switches
    float defaultNorm;      // value written by the built-in default settings
};

constexpr int kNumHostParams = 34;
constexpr int kFirstSwitchIndex = 21;
constexpr int kGeneralVolumeIndex = 20;
constexpr int kGeneralOnIndex = 33;
constexpr int kBand1TypeIndex = 24;
constexpr int kBand5TypeIndex = 29;

// Table entry of a host parameter, nullptr outside 0..33.
const ParamInfo* paramInfo(int index);
// 2 for 0..20, 1 for 21..33, 0 otherwise.
int getParameterKind(int index);

// The law of LawId as it applies in `slot` (BandQ1/BandQ5 read the band's
// type switch). None gives the identity law.
const ValueLaw& lawForId(LawId id, const SettingsSlot& slot);
// Law of a continuous index 0..20 as it applies in `slot`; the identity law
// for any other index.
const ValueLaw& lawForIndex(int index, const SettingsSlot& slot);

// Stored normalised value of continuous index 0..20 on side 0 or 1;
// nullptr for other indices or sides.
float* sideValuePtr(SettingsSlot& slot, int side, int index);
const float* sideValuePtr(const SettingsSlot& slot, int side, int index);
// Stored value of switch 21..33 (33 is the general on); nullptr otherwise.
float* switchValuePtr(SettingsSlot& slot, int index);
const float* switchValuePtr(const SettingsSlot& slot, int index);

// Band position 0..7 (BandPosition) of a continuous index 0..19 or of a
// switch 21..32; -1 otherwise (the general volume 20 and general on 33).
int bandOfIndex(int index);

// Frequencies: 0, 2, 5, 8, 11, 14, 17.
bool isFrequencyIndex(int index);
// Qualities: 1, 3, 6, 9, 12, 15, 18.
bool isQualityIndex(int index);
// Band gains including Air: 4, 7, 10, 13, 16, 19. The general volume (20)
// uses the gain law too but is not a band gain; see isVolumeIndex.
bool isGainIndex(int index);
// The general volume, 20.
bool isVolumeIndex(int index);
// On switches of the eight bands and the general on: 21, 23, 25..28, 30, 32, 33.
bool isOnSwitchIndex(int index);
// Type switches: 22 (HP 12 dB), 24 (low shelf), 29 (high shelf), 31 (LP 12 dB).
bool isTypeSwitchIndex(int index);
// On switch index of band position 0..7, -1 otherwise.
int onSwitchIndexOfBand(int band);
// Continuous indices of band position 0..7 (-1 where the band has no such
// parameter: high-pass and low-pass gain, Air frequency and quality).
int frequencyIndexOfBand(int band);
int qualityIndexOfBand(int band);
int gainIndexOfBand(int band);

// Writes the default of every host parameter into the slot, continuous
// values on both sides. Other fields are left as they are.
void writeParamDefaults(SettingsSlot& slot);

}  // namespace solva
