// Conversion of a physical value typed into an editor text field (Hz,
// quality factor or octaves, dB) into a parameter's normalised value.
// Pure function of the settings block; called on the UI thread.
#pragma once

#include "params/settings_block.h"

namespace solva {

// Converts typed text for continuous index 0..20 into a normalised value
// through the index's law as it applies in the current slot, clamped to
// 0..1. The text is read like strtod in the "C" locale ("." decimal point
// whatever the locale); text that is not a number reads as 0. With Q as
// octaves on, a typed quality is a bandwidth in octaves, Q = 1 / (2 v).
// Returns false, leaving *normOut untouched, when the entry is ignored:
// frequencies and qualities while frequencies are shown as notes, and every
// index outside 0..20.
bool typedValueToNormalised(const SettingsBlock& block, int index, const char* text, float* normOut);

}  // namespace solva
