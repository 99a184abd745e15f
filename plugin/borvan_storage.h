// The effect's storage state: base directory, preset library, init
// settings. Private to the effect object (UI thread only).
#pragma once

#include "params/settings_block.h"

namespace solva {

class CBorvan;

struct BorvanStorage {
    // Init settings: the template of every new preset.
    SettingsSlot initSettings{};

    // Display texts 74..81 (preset and bank names, preset information).
    static void displayText(CBorvan& effect, int index, char* out);
};

}  // namespace solva
