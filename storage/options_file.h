// The options file: seventeen records for the option words of the
// settings block. "SAVE_IN_PROJECT" is always written as 0, so every new
// instance starts with it off. UI thread.
#pragma once

#include <cstdio>

#include "params/settings_block.h"

namespace solva {

// Writes the seventeen option records in their fixed order.
void writeOptionRecords(std::FILE* file, const SettingsBlock& block);
// Reads option records until the end of the file; unknown tokens are
// skipped one by one.
void readOptionRecords(std::FILE* file, SettingsBlock& block);

}  // namespace solva
