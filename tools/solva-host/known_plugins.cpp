#include "known_plugins.h"

#include "params/param_table.h"

namespace solvahost {

namespace {

// Solva's host parameter indices (0..33).
constexpr int kBandOnSwitches[] = {21, 23, 25, 26, 27, 28, 30, 32};  // HP, B1..B5, LP, Air
constexpr int kGeneralOn = 33;
constexpr int kBellGains[] = {4, 7, 10, 13, 16};  // B1..B5 level, 0.5 = 0 dB
constexpr int kAirGain = 19;

// Gains away from 0 dB (0.5) so that every bell really filters, boosting and
// cutting alternately.
constexpr float kBoostNorm = 0.7f;
constexpr float kCutNorm = 0.3f;

}  // namespace

bool isSolva(const vst::AEffect& effect) { return effect.uniqueID == kSolvaUniqueId; }

std::vector<ParamAssignment> defaultBusySettings(const vst::AEffect& effect) {
    std::vector<ParamAssignment> settings;
    if (!isSolva(effect)) return settings;
    for (int index : kBandOnSwitches) settings.push_back({index, 1.0f});
    settings.push_back({kGeneralOn, 1.0f});
    bool boost = true;
    for (int index : kBellGains) {
        settings.push_back({index, boost ? kBoostNorm : kCutNorm});
        boost = !boost;
    }
    settings.push_back({kAirGain, kBoostNorm});
    return settings;
}

std::vector<int> defaultAutomatedParameters(const vst::AEffect& effect) {
    std::vector<int> indices;
    if (!isSolva(effect)) return indices;
    constexpr int kBandPositions = 8;  // HP, B1..B5, LP, Air (which has no frequency)
    for (int band = 0; band < kBandPositions; ++band)
        if (solva::frequencyIndexOfBand(band) >= 0) indices.push_back(solva::frequencyIndexOfBand(band));
    indices.push_back(kAirGain);
    return indices;
}

}  // namespace solvahost
