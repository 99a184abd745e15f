// PresetInfo: the 176-byte description of one preset. It is stored inside
// every settings slot (and so inside the host chunk), which fixes its layout.
#pragma once

#include <cstddef>
#include <cstdint>

namespace solva {

struct PresetInfo {
    char presetName[32];     // "NOM_PRESET", zero-terminated
    char bankName[32];       // "NOM_BANQUE"
    char author[32];         // "NOM_AUTEUR"
    char project[32];        // "NOM_PROJET"
    char creationDate[16];   // "DATE_CREATION", "%.2d/%.2d/%.4d" day/month/year
    char modificationDate[16];  // "DATE_MODIFICATION"
    int32_t bandCount;       // "NBR_BANDES": band switches that are on
    int32_t factory;         // "USINE": 1 for a factory preset
    int32_t channelMode;     // "LEFT-RIGHT": 0 same, 1 left/right, 2 mid/side
    int32_t number;          // "NUMERO_PRESET"
};

static_assert(sizeof(PresetInfo) == 176, "PresetInfo is 176 bytes");
static_assert(offsetof(PresetInfo, bankName) == 32, "PresetInfo layout");
static_assert(offsetof(PresetInfo, author) == 64, "PresetInfo layout");
static_assert(offsetof(PresetInfo, project) == 96, "PresetInfo layout");
static_assert(offsetof(PresetInfo, creationDate) == 128, "PresetInfo layout");
static_assert(offsetof(PresetInfo, modificationDate) == 144, "PresetInfo layout");
static_assert(offsetof(PresetInfo, bandCount) == 160, "PresetInfo layout");
static_assert(offsetof(PresetInfo, factory) == 164, "PresetInfo layout");
static_assert(offsetof(PresetInfo, channelMode) == 168, "PresetInfo layout");
static_assert(offsetof(PresetInfo, number) == 172, "PresetInfo layout");

}  // namespace solva
