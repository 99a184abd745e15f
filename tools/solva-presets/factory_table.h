// The factory library as physical values: frequencies in Hz, qualities as
// Q factors, gains in dB.
#pragma once

namespace solva::presets {

struct BandSetting {
    bool on;
    float freqHz;   // unused for Air
    float qFactor;  // unused for Air
    float gainDb;   // unused for the high-pass and low-pass
    bool altType;   // 12 dB for the filters, shelf for bands 1 and 5
};

struct FactoryPreset {
    int number;
    const char* bank;
    const char* name;
    BandSetting highPass, band1, band2, band3, band4, band5, lowPass;
    bool airOn;
    float airGainDb;
    float outputGainDb;
};

// The whole library, numbered 0.. without holes; preset 0 is neutral.
const FactoryPreset* factoryPresets(int* count);

}  // namespace solva::presets
