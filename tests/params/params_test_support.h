// Shared set-up for the parameter tests: a zeroed settings block with the
// built-in defaults in both slots and side 0 shown.
#pragma once

#include <cstring>

#include "params/param_table.h"
#include "params/settings_block.h"

namespace solva::test {

inline SettingsBlock makeDefaultBlock() {
    SettingsBlock block;
    std::memset(&block, 0, sizeof block);
    block.formatVersion = kFormatVersion;
    for (SettingsSlot& slot : block.slot) {
        writeParamDefaults(slot);
        slot.sideShown = 1.0f;  // side 0 shown
    }
    return block;
}

// Stored value of a continuous index on the shown side of the current slot.
inline float& shownValue(SettingsBlock& block, int index) {
    SettingsSlot& slot = currentSlot(block);
    return *sideValuePtr(slot, shownSide(slot), index);
}

}  // namespace solva::test
