// The settings model: every parameter value of both slots and both sides,
// plus the options. The block is also the host chunk, so every byte position
// below is part of the saved-project format and is checked at compile time.
//
// All values are 32-bit floats, normalised 0..1 unless stated otherwise.
// Owned by the effect object for its whole life; written from the UI thread
// (and host parameter calls), read by the engine translation only.
#pragma once

#include <cstddef>
#include <cstdint>

#include "params/preset_info.h"

namespace solva {

constexpr int kNumBands = 8;        // high-pass, band 1..5, low-pass, Air
constexpr int kNumSides = 2;        // 0 = left or mid, 1 = right or side
constexpr int kNumOptions = 18;
constexpr float kFormatVersion = 2.1f;

// Band positions in chain order.
enum BandPosition : int {
    kBandHighPass = 0,
    kBand1 = 1,
    kBand2 = 2,
    kBand3 = 3,
    kBand4 = 4,
    kBand5 = 5,
    kBandLowPass = 6,
    kBandAir = 7,
};

struct BandValues {
    float freq;  // normalised frequency
    float qual;  // normalised quality
    float gain;  // normalised gain
};

// 41 floats: 8 bands x (freq, qual, gain), general volume, 16 reserved.
struct SideSettings {
    BandValues band[kNumBands];
    float generalVolume;
    float reserved[16];
};

// Switches and name shared by both sides of one band.
struct BandSwitches {
    float type;     // second type (12 dB, shelf) when >= 0.5
    float on;       // on when >= 0.5
    char name[24];  // display name, zero-terminated
};

struct SettingsSlot {
    SideSettings side[kNumSides];      // 0
    BandSwitches switches[kNumBands];  // 328
    float generalOn;                   // 584, index 33
    uint8_t unused[64];                // 588
    PresetInfo info;                   // 652
    char name[24];                     // 828, program name for the host
    int32_t modified;                  // 852, "*" after the preset name
    int32_t modifiedShown;             // 856, copy the editor last showed
    float sideShown;                   // 860, index 43: side 0 shown when >= 0.5
    float linkMode[5];                 // 864..880, indices 44..48
};

// Option word positions inside SettingsBlock::options (word 444 + position).
enum OptionWord : int {
    kOptAutoSave = 0,           // index 50, "DSP_SAVE"
    kOptValueDisplay = 1,       // index 51, "DISPLAY_VAL"
    kOptSaveInProject = 2,      // index 54, "SAVE_IN_PROJECT"
    kOptNameDisplay = 3,        // index 52, "DISPLAY_NAME"
    kOptFreqSnap = 4,           // index 57, "SNAP_FREQ" (0..3)
    kOptQSnap = 5,              // index 58, "SNAP_RES" (0..2)
    kOptGainSnap = 6,           // index 59, "SNAP_GAIN" (0..2)
    kOptFreqAsNotes = 7,        // index 60, "DISPLAY_NOTES"
    kOptQAsOctaves = 8,         // index 61, "DISPLAY_QOCT"
    kOptAutoOn = 9,             // index 55, "BANDE_ON_AUTO"
    kOptOutputGainActive = 10,  // index 56, "GAIN_OUT_ON"
    kOptWheelIncrement = 11,    // index 66, "INCR_WHEEL" (0..2)
    kOptShowClip = 12,          // index 62, "SHOW_CLIP"
    kOptHoldClip = 13,          // index 63, "HOLD_CLIP"
    kOptOutputMsDecoding = 14,  // index 65, "DECODAGE_MS"
    kOptInputMsCoding = 15,     // index 64, "CODAGE_MS"
    kOptReserved = 16,          // word 460, 1.0
    kOptAltGainDrop = 17,       // index 67, "GAIN_DROP_ALT" (0..2)
};

// Word position of parameter index 50..67 inside the options, -1 for 53.
int optionWordForIndex(int index);
// Parameter index (50..67) of an option word, -1 for the reserved word.
int indexForOptionWord(int word);

struct SettingsBlock {
    float formatVersion;     // word 0, 2.1
    SettingsSlot slot[2];    // words 1..221 (A), 222..442 (B)
    float slotSelector;      // word 443, index 49: slot B current when >= 0.5
    float options[kNumOptions];  // words 444..461
    float reserved[14];      // words 462..475
};

static_assert(sizeof(SideSettings) == 164, "SideSettings is 41 floats");
static_assert(sizeof(BandSwitches) == 32, "BandSwitches is 32 bytes");
static_assert(sizeof(SettingsSlot) == 884, "SettingsSlot is 884 bytes");
static_assert(offsetof(SettingsSlot, side) == 0, "slot layout");
static_assert(offsetof(SettingsSlot, switches) == 328, "slot layout");
static_assert(offsetof(SettingsSlot, generalOn) == 584, "slot layout");
static_assert(offsetof(SettingsSlot, unused) == 588, "slot layout");
static_assert(offsetof(SettingsSlot, info) == 652, "slot layout");
static_assert(offsetof(SettingsSlot, info) + offsetof(PresetInfo, factory) == 816, "slot layout");
static_assert(offsetof(SettingsSlot, info) + offsetof(PresetInfo, channelMode) == 820, "slot layout");
static_assert(offsetof(SettingsSlot, name) == 828, "slot layout");
static_assert(offsetof(SettingsSlot, modified) == 852, "slot layout");
static_assert(offsetof(SettingsSlot, modifiedShown) == 856, "slot layout");
static_assert(offsetof(SettingsSlot, sideShown) == 860, "slot layout");
static_assert(offsetof(SettingsSlot, linkMode) == 864, "slot layout");
static_assert(sizeof(SettingsBlock) == 1904, "SettingsBlock is 476 words");
static_assert(offsetof(SettingsBlock, slot) == 4, "block layout");
static_assert(offsetof(SettingsBlock, slot) + sizeof(SettingsSlot) == 888, "block layout");
static_assert(offsetof(SettingsBlock, slotSelector) == 443 * 4, "block layout");
static_assert(offsetof(SettingsBlock, options) == 444 * 4, "block layout");
static_assert(offsetof(SettingsBlock, reserved) == 462 * 4, "block layout");

// Current slot: B when the selector is >= 0.5, else A.
inline int currentSlotIndex(const SettingsBlock& b) { return b.slotSelector >= 0.5f ? 1 : 0; }
inline SettingsSlot& currentSlot(SettingsBlock& b) { return b.slot[currentSlotIndex(b)]; }
inline const SettingsSlot& currentSlot(const SettingsBlock& b) { return b.slot[currentSlotIndex(b)]; }
// Shown side: 0 when sideShown >= 0.5, else 1.
inline int shownSide(const SettingsSlot& s) { return s.sideShown >= 0.5f ? 0 : 1; }

}  // namespace solva
