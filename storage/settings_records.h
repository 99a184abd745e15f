// The settings record set: one preset's equaliser settings as 63 tagged
// records (42 per-side values, 13 shared switches, 8 band names).
//
// A settings source or target is the settings part of a SettingsSlot (both
// SideSettings, the BandSwitches and the general on/off); the init settings
// use the same shape. UI thread.
#pragma once

#include <cstdio>

#include "params/settings_block.h"

namespace solva {

// Record index 0..42 (`SettingsRecordIndex`): 0..20 per-side values, 21..33
// shared switches, 34 unused, 35..42 band display names. The numeric
// indices are the parameter indices of the same values.
constexpr int kNumSettingsRecords = 43;
constexpr int kFirstSharedRecord = 21;
constexpr int kUnusedRecord = 34;
constexpr int kFirstNameRecord = 35;

// Key of a record index ("BANDE1_FREQ" ...), nullptr for 34 and outside.
const char* settingsRecordKey(int index);
// Record index of a key (exact comparison), -1 when it is not in the table.
int settingsRecordIndex(const char* key);

// Writes the 63 records of `source` in table order (side 1 before side 0).
void WriteSettingsRecords(std::FILE* file, const SettingsSlot& source);

// Reads records until the end of the file into `target`; keys that do not
// occur leave their fields as they were, unknown keys are skipped.
void ReadSettingsRecords(std::FILE* file, SettingsSlot& target);

// Stores `value` under a numeric key: per-side keys on `side` (0 or 1),
// shared keys whatever the side. Returns 1 when the key is a numeric key of
// the table, else 0.
int ApplySettingsRecord(SettingsSlot& target, const char* key, int side, float value);

}  // namespace solva
