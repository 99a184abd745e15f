// Snapping of continuous parameter values to musical or round physical
// values, as the editor applies it while snapping is enabled.
//
// Modes come from the options of the settings block, as whole numbers:
// frequency snap 0 off, 1 coarse, 2 fine, 3 notes; Q snap 0..2; gain snap
// 0..2 (band gains, Air gain and general volume). Pure functions over
// constant tables: safe on any thread.
#pragma once

#include "params/settings_block.h"
#include "params/value_law.h"

namespace solva {

// A snap table: `count` ascending physical values; count 0 means no
// snapping in that mode.
using SnapTable = ValueLaw;

enum class QualityFamily { Filter, Bell, Shelf };

// Frequency tables: mode 1 the law's breakpoints, 2 the fine values, 3 the
// note table. The high-pass variant stops at 10000 Hz.
SnapTable frequencySnapTable(int mode, bool highPass);
SnapTable qualitySnapTable(int mode, QualityFamily family);
// Band gains and Air gain share the same tables.
SnapTable gainSnapTable(int mode);

// The snap table that applies to continuous index 0..20 in `slot` for the
// block's current snap options (bands 1 and 5 take the shelf tables while
// their type is shelf). count 0 when the index is not snapped.
SnapTable snapTableForIndex(int index, const SettingsBlock& block, const SettingsSlot& slot);

// Snaps a normalised value of continuous index 0..20 through the index's law
// (law -> physical, snap, physical -> law). Mode 0, unknown modes and other
// indices return the value unchanged.
float snapNormalised(int index, float norm, const SettingsBlock& block, const SettingsSlot& slot);

}  // namespace solva
