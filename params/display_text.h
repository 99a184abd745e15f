// Value texts shown by the editor's displays. Texts use "." as the decimal
// point whatever the process locale. Pure functions of the settings block;
// called on the UI thread.
#pragma once

#include "params/settings_block.h"

namespace solva {

constexpr int kDisplayTextCapacity = 256;  // the effect's scratch text buffer
constexpr int kVersionTextIndex = 105;
constexpr float kVersionNumber = 1.34f;

// Frequency text of a normalised value through the frequency law (hpLaw
// false) or the high-pass law (true): "42.00", "176.0", "5800", "13.60k";
// with `notes` the nearest note at or below, "A3  ", followed by "+" when the
// frequency is more than 0.5 % above the note, or the next note followed by
// "-" when more than 2.9 % above. out holds at least 32 bytes.
void frequencyText(float norm, bool notes, bool hpLaw, char* out);

// The two halves of frequencyText for a frequency in Hz: the note text
// ("C0  +", "Bb3 -"; above the last note by more than 2.9 % "B9  +") and the
// Hz text ("42.00", "176.0", "5800", "13.60k"). out holds at least 32 bytes.
void noteTextOfFrequency(float freqHz, char* out);
void hertzTextOfFrequency(float freqHz, char* out);

// Quality text "%.2f" of a quality factor; as octaves (1 / (2 Q)) when
// `octaves` is set.
void qualityText(float qFactor, bool octaves, char* out);

// Display text of index 0..42 (values and switches read from the shown side
// of the current slot, band names 35..42) and of 105 (the version text) into
// out (kDisplayTextCapacity bytes). Returns false and leaves out untouched
// for every other index (74..81 are composed by the preset library).
bool formatDisplayText(const SettingsBlock& block, int index, char* out);

// "V1.34 (<build date> / <build time>) Generic".
void versionText(char* out);

}  // namespace solva
