// The init settings (the template of every new preset, filling any key a
// preset file lacks) and the defaults of the whole settings block. The init
// settings use the settings part of a SettingsSlot: both SideSettings, the
// BandSwitches and the general on/off. UI thread.
#pragma once

#include <cstdint>

#include "params/settings_block.h"

namespace solva {

// Default display name of band position 0..7: "Band 1".."Band 7", "Band Air".
const char* defaultBandName(int band);

// Default option value of option word 0..17.
float defaultOptionValue(int word);

// The built-in init settings: the parameter defaults on both sides, every
// switch off, empty display names, everything else 0.
void resetInitSettings(SettingsSlot& init);

// Copies the init settings into slot 0 (A) or 1 (B): per-side values,
// switches and general on/off; high-pass and low-pass gain words 0, Air
// frequency and quality words 1.0; types of bands 2..4 and Air 0; names that
// fail the name check become the band's default name. The slot is named
// "Solva%.2dA"/"Solva%.2dB" of `instanceId` and its modified flags clear.
void copyInitIntoSlot(const SettingsSlot& init, SettingsBlock& block, int slotIndex, int32_t instanceId);

// Copies the current settings of `slot` into the init settings (values of
// both sides, every on/off, the types of high-pass, bands 1, 4, 5 and
// low-pass, the display names and the general on/off).
void initFromSlot(SettingsSlot& init, const SettingsSlot& slot);

// Fills the whole block with its defaults: version 2.1, init settings in
// both slots, preset information "default", slot A selected, option
// defaults, reserved words 0.
void ResetSettingsBlock(SettingsBlock& block, const SettingsSlot& init, int32_t instanceId);

// How many of the eight band on-switches are on.
int countBandsOn(const SettingsSlot& slot);

// The slot's program name "Solva%.2dA" / "Solva%.2dB".
void writeSlotName(SettingsSlot& slot, int slotIndex, int32_t instanceId);

}  // namespace solva
