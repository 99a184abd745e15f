#include "storage/options_file.h"

#include <cstring>

#include "storage/record_format.h"

namespace solva {

namespace {

// Integer keys and their option word. Flags are written as 1 from 0.5 up.
struct OptionKey {
    const char* key;
    int word;
    bool flag;
};
const OptionKey kIntegerKeys[] = {
    {"DSP_SAVE", kOptAutoSave, true},
    {"DISPLAY_VAL", kOptValueDisplay, true},
    {"DISPLAY_NAME", kOptNameDisplay, true},
    {"SNAP_FREQ", kOptFreqSnap, false},
    {"SNAP_RES", kOptQSnap, false},
    {"SNAP_GAIN", kOptGainSnap, false},
    {"BANDE_ON_AUTO", kOptAutoOn, false},
    {"GAIN_OUT_ON", kOptOutputGainActive, false},
    {"DISPLAY_NOTES", kOptFreqAsNotes, false},
    {"DISPLAY_QOCT", kOptQAsOctaves, false},
    // "INCR_WHEEL" stands here in the file, as a float.
    {"GAIN_DROP_ALT", kOptAltGainDrop, false},
    {"SHOW_CLIP", kOptShowClip, false},
    {"HOLD_CLIP", kOptHoldClip, false},
    {"CODAGE_MS", kOptInputMsCoding, false},
    {"DECODAGE_MS", kOptOutputMsDecoding, false},
    {"SAVE_IN_PROJECT", kOptSaveInProject, false},
};
constexpr int kKeysBeforeWheel = 10;
constexpr int kNumIntegerKeys = int(sizeof kIntegerKeys / sizeof kIntegerKeys[0]);
const char kWheelKey[] = "INCR_WHEEL";

int truncated(float value) {
    // Out-of-range values (never produced by the editor) are bounded.
    if (!(value > -1e9f && value < 1e9f)) return 0;
    return int(value);
}

void writeIntegerRecord(std::FILE* file, const OptionKey& k, const SettingsBlock& block) {
    const float value = block.options[k.word];
    int written = k.flag ? (value >= 0.5f ? 1 : 0) : truncated(value);
    if (k.word == kOptSaveInProject) written = 0;
    std::fprintf(file, "!%s#%d#\n", k.key, written);
}

}  // namespace

void writeOptionRecords(std::FILE* file, const SettingsBlock& block) {
    for (int i = 0; i < kKeysBeforeWheel; ++i) writeIntegerRecord(file, kIntegerKeys[i], block);
    char number[64];
    formatNumberE(block.options[kOptWheelIncrement], number, sizeof number);
    std::fprintf(file, "!%s#%s#\n", kWheelKey, number);
    for (int i = kKeysBeforeWheel; i < kNumIntegerKeys; ++i) writeIntegerRecord(file, kIntegerKeys[i], block);
}

void readOptionRecords(std::FILE* file, SettingsBlock& block) {
    char key[kTokenBufferSize];
    char value[kTokenBufferSize];
    for (;;) {
        if (ReadToken(file, key) != 0) return;
        const bool wheel = std::strcmp(key, kWheelKey) == 0;
        const OptionKey* found = nullptr;
        for (const OptionKey& k : kIntegerKeys)
            if (std::strcmp(key, k.key) == 0) found = &k;
        if (!wheel && !found) continue;  // not a key: its value is read as the next key
        const int end = ReadToken(file, value);
        if (end && value[0] == 0) return;
        if (wheel) block.options[kOptWheelIncrement] = float(parseLeadingNumber(value));
        else block.options[found->word] = float(parseLeadingInt(value));
        if (end) return;
    }
}

}  // namespace solva
