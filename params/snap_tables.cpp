#include "params/snap_tables.h"

#include "params/note_table.h"
#include "params/param_table.h"

namespace solva {

namespace {

constexpr float kFreqCoarseHz[23] = {
    20.0f,   30.0f,   45.0f,   60.0f,    80.0f,    100.0f,   140.0f,   200.0f,
    300.0f,  500.0f,  700.0f,  1000.0f,  1500.0f,  2000.0f,  3000.0f,  5000.0f,
    7000.0f, 8500.0f, 10000.0f, 12000.0f, 14000.0f, 17000.0f, 20000.0f,
};
// The first 36 entries (up to 10000 Hz) serve the high-pass.
constexpr float kFreqFineHz[41] = {
    20.0f,   25.0f,   30.0f,   35.0f,   40.0f,    50.0f,    60.0f,    80.0f,    100.0f,
    120.0f,  150.0f,  180.0f,  220.0f,  260.0f,   300.0f,   380.0f,   460.0f,   550.0f,
    680.0f,  820.0f,  1000.0f, 1150.0f, 1300.0f,  1500.0f,  1800.0f,  2200.0f,  2500.0f,
    2800.0f, 3300.0f, 3800.0f, 4500.0f, 5000.0f,  6000.0f,  7000.0f,  8500.0f,  10000.0f,
    11000.0f, 12500.0f, 15000.0f, 17000.0f, 20000.0f,
};
constexpr float kBellQCoarse[7] = {0.1f, 0.2f, 0.5f, 1.0f, 1.7f, 3.5f, 7.0f};
constexpr float kBellQFine[13] = {0.1f, 0.15f, 0.2f, 0.3f, 0.5f, 0.7f, 1.0f,
                                  1.4f, 1.9f,  2.6f, 3.6f, 5.0f, 7.0f};
constexpr float kShelfQCoarse[7] = {0.3f, 0.4f, 0.52f, 0.7f, 1.0f, 1.4f, 2.0f};
constexpr float kShelfQFine[13] = {0.3f, 0.35f, 0.4f, 0.46f, 0.52f, 0.6f, 0.7f,
                                   0.8f, 1.0f,  1.2f, 1.4f,  1.7f,  2.0f};
constexpr float kFilterQCoarse[7] = {0.05f, 0.1f, 0.3f, 0.7f, 2.0f, 3.0f, 4.0f};
constexpr float kFilterQFine[15] = {0.05f, 0.07f, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.7f,
                                    1.0f,  1.4f,  1.8f, 2.2f, 2.8f, 3.4f, 4.0f};
constexpr float kGainCoarseDb[19] = {-15.0f, -12.0f, -9.0f, -6.0f, -5.0f, -4.0f, -3.0f,
                                     -2.0f,  -1.0f,  0.0f,  1.0f,  2.0f,  3.0f,  4.0f,
                                     5.0f,   6.0f,   9.0f,  12.0f, 15.0f};
// -15..-6 by 1 dB, -5.5..+6 by 0.5 dB, 7..15 by 1 dB.
constexpr float kGainFineDb[43] = {
    -15.0f, -14.0f, -13.0f, -12.0f, -11.0f, -10.0f, -9.0f, -8.0f, -7.0f, -6.0f, -5.5f,
    -5.0f,  -4.5f,  -4.0f,  -3.5f,  -3.0f,  -2.5f,  -2.0f, -1.5f, -1.0f, -0.5f, 0.0f,
    0.5f,   1.0f,   1.5f,   2.0f,   2.5f,   3.0f,   3.5f,  4.0f,  4.5f,  5.0f,  5.5f,
    6.0f,   7.0f,   8.0f,   9.0f,   10.0f,  11.0f,  12.0f, 13.0f, 14.0f, 15.0f,
};

constexpr SnapTable kNone = {0, nullptr};

// Snap modes are whole numbers stored as floats; anything unusable is off.
int modeOption(const SettingsBlock& block, int word) {
    const float v = block.options[word];
    return (v >= 0.0f && v < 16.0f) ? static_cast<int>(v) : 0;
}

QualityFamily familyOf(int index, const SettingsSlot& slot) {
    switch (paramInfo(index)->law) {
        case LawId::FilterQ: return QualityFamily::Filter;
        case LawId::BandQ1:
            return slot.switches[kBand1].type >= 0.5f ? QualityFamily::Shelf : QualityFamily::Bell;
        case LawId::BandQ5:
            return slot.switches[kBand5].type >= 0.5f ? QualityFamily::Shelf : QualityFamily::Bell;
        default: return QualityFamily::Bell;
    }
}

}  // namespace

SnapTable frequencySnapTable(int mode, bool highPass) {
    switch (mode) {
        case 1: return {highPass ? 19 : 23, kFreqCoarseHz};
        case 2: return {highPass ? 36 : 41, kFreqFineHz};
        case 3: return {kNumNotes, noteTable()};
        default: return kNone;
    }
}

SnapTable qualitySnapTable(int mode, QualityFamily family) {
    if (mode != 1 && mode != 2) return kNone;
    const bool coarse = mode == 1;
    switch (family) {
        case QualityFamily::Filter: return coarse ? SnapTable{7, kFilterQCoarse} : SnapTable{15, kFilterQFine};
        case QualityFamily::Bell: return coarse ? SnapTable{7, kBellQCoarse} : SnapTable{13, kBellQFine};
        case QualityFamily::Shelf: return coarse ? SnapTable{7, kShelfQCoarse} : SnapTable{13, kShelfQFine};
    }
    return kNone;
}

SnapTable gainSnapTable(int mode) {
    if (mode == 1) return {19, kGainCoarseDb};
    if (mode == 2) return {43, kGainFineDb};
    return kNone;
}

SnapTable snapTableForIndex(int index, const SettingsBlock& block, const SettingsSlot& slot) {
    if (isFrequencyIndex(index))
        return frequencySnapTable(modeOption(block, kOptFreqSnap), index == 0);
    if (isQualityIndex(index))
        return qualitySnapTable(modeOption(block, kOptQSnap), familyOf(index, slot));
    if (isGainIndex(index) || isVolumeIndex(index))
        return gainSnapTable(modeOption(block, kOptGainSnap));
    return kNone;
}

float snapNormalised(int index, float norm, const SettingsBlock& block, const SettingsSlot& slot) {
    const SnapTable table = snapTableForIndex(index, block, slot);
    if (table.count == 0) return norm;
    const ValueLaw& law = lawForIndex(index, slot);
    const float snapped = snapPhysical(lawToPhysical(norm, law), table);
    return lawToNormalised(snapped, law);
}

}  // namespace solva
