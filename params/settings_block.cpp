#include "params/settings_block.h"

namespace solva {

namespace {
// Option word of each parameter index 50..67 (index 53 has no option).
constexpr int kWordOfIndex[18] = {
    kOptAutoSave,          // 50
    kOptValueDisplay,      // 51
    kOptNameDisplay,       // 52
    -1,                    // 53
    kOptSaveInProject,     // 54
    kOptAutoOn,            // 55
    kOptOutputGainActive,  // 56
    kOptFreqSnap,          // 57
    kOptQSnap,             // 58
    kOptGainSnap,          // 59
    kOptFreqAsNotes,       // 60
    kOptQAsOctaves,        // 61
    kOptShowClip,          // 62
    kOptHoldClip,          // 63
    kOptInputMsCoding,     // 64
    kOptOutputMsDecoding,  // 65
    kOptWheelIncrement,    // 66
    kOptAltGainDrop,       // 67
};
}  // namespace

int optionWordForIndex(int index) {
    if (index < 50 || index > 67) return -1;
    return kWordOfIndex[index - 50];
}

int indexForOptionWord(int word) {
    for (int i = 0; i < 18; ++i)
        if (kWordOfIndex[i] == word) return 50 + i;
    return -1;
}

}  // namespace solva
