#include "params/param_table.h"

namespace solva {

namespace {

constexpr int C = kKindContinuous;
constexpr int S = kKindSwitch;

const ParamInfo kParams[kNumHostParams] = {
    {0, "HPFreq  ", "HighPass CutOff Frequency", C, LawId::HpFrequency, 0.1f},
    {1, "HPQual  ", "HighPass Quality Factor", C, LawId::FilterQ, 0.501f},
    {2, "B1Freq  ", "Bell/Low Shelf CutOff Frequency", C, LawId::Frequency, 0.2f},
    {3, "B1Qual  ", "Bell/Low Shelf Quality Factor", C, LawId::BandQ1, 0.5f},
    {4, "B1Gain  ", "Bell/Low Shelf Level", C, LawId::GainDb, 0.5f},
    {5, "B2Freq  ", "Bell 2 CutOff Frequency", C, LawId::Frequency, 0.3f},
    {6, "B2Qual  ", "Bell 2 Quality Factor", C, LawId::BellQ, 0.5f},
    {7, "B2Gain  ", "Bell 2 Level", C, LawId::GainDb, 0.5f},
    {8, "B3Freq  ", "Bell 3 CutOff Frequency", C, LawId::Frequency, 0.5f},
    {9, "B3Qual  ", "Bell 3 Quality Factor", C, LawId::BellQ, 0.5f},
    {10, "B3Gain  ", "Bell 3 Level", C, LawId::GainDb, 0.5f},
    {11, "B4Freq  ", "Bell 4 CutOff Frequency", C, LawId::Frequency, 0.7f},
    {12, "B4Qual  ", "Bell 4 Quality Factor", C, LawId::BellQ, 0.5f},
    {13, "B4Gain  ", "Bell 4 Level", C, LawId::GainDb, 0.5f},
    // Long names are limited to 31 characters, which cuts the next one.
    {14, "B5Freq  ", "Bell/High Shelf CutOff Frequenc", C, LawId::Frequency, 0.8f},
    {15, "B5Qual  ", "Bell/High Shelf Quality Factor", C, LawId::BandQ5, 0.5f},
    {16, "B5Gain  ", "Bell/High Shelf Level", C, LawId::GainDb, 0.5f},
    {17, "LPFreq  ", "Low Pass CutOff Frequency", C, LawId::Frequency, 0.9f},
    {18, "LPQual  ", "Low Pass Quality Factor", C, LawId::FilterQ, 0.501f},
    {19, "AirGain ", "Air Level", C, LawId::AirGainDb, 0.5f},
    {20, "GenVol  ", "General Volum", C, LawId::GainDb, 0.5f},
    {21, "HPOn    ", "HighPass On/Off", S, LawId::None, 0.0f},
    {22, "HPType  ", "HighPass 6dB/12dB", S, LawId::None, 0.0f},
    {23, "B1On    ", "Bell/Low Shelf On/Off", S, LawId::None, 0.0f},
    {24, "B1Type  ", "Bell/Low Shelf Type", S, LawId::None, 0.0f},
    {25, "B2On    ", "Bell 2 On/Off", S, LawId::None, 0.0f},
    {26, "B3On    ", "Bell 3 On/Off", S, LawId::None, 0.0f},
    {27, "B4On    ", "Bell 4 On/Off", S, LawId::None, 0.0f},
    {28, "B5On    ", "Bell/High Shelf On/Off", S, LawId::None, 0.0f},
    {29, "B5Type  ", "Bell/High Shelf Type", S, LawId::None, 0.0f},
    {30, "LPOn    ", "Low Pass On/Off", S, LawId::None, 0.0f},
    {31, "LPType  ", "Low Pass 6dB/12dB", S, LawId::None, 0.0f},
    {32, "AirOn   ", "Air On/Off", S, LawId::None, 0.0f},
    {33, "GenOn   ", "General On/Off", S, LawId::None, 0.0f},
};

// Which value of a band each continuous index 0..19 addresses.
enum Component { kFreq = 0, kQual = 1, kGain = 2 };
struct Location {
    int band;
    int component;
};
constexpr Location kContinuous[20] = {
    {kBandHighPass, kFreq}, {kBandHighPass, kQual},                          // 0, 1
    {kBand1, kFreq}, {kBand1, kQual}, {kBand1, kGain},                       // 2..4
    {kBand2, kFreq}, {kBand2, kQual}, {kBand2, kGain},                       // 5..7
    {kBand3, kFreq}, {kBand3, kQual}, {kBand3, kGain},                       // 8..10
    {kBand4, kFreq}, {kBand4, kQual}, {kBand4, kGain},                       // 11..13
    {kBand5, kFreq}, {kBand5, kQual}, {kBand5, kGain},                       // 14..16
    {kBandLowPass, kFreq}, {kBandLowPass, kQual},                            // 17, 18
    {kBandAir, kGain},                                                       // 19
};

// Band and field (0 = on, 1 = type) of each switch 21..32.
constexpr Location kSwitches[12] = {
    {kBandHighPass, 0}, {kBandHighPass, 1}, {kBand1, 0}, {kBand1, 1}, {kBand2, 0}, {kBand3, 0},
    {kBand4, 0},        {kBand5, 0},        {kBand5, 1}, {kBandLowPass, 0}, {kBandLowPass, 1},
    {kBandAir, 0},
};

constexpr int kOnSwitchOfBand[kNumBands] = {21, 23, 25, 26, 27, 28, 30, 32};

float* componentPtr(BandValues& v, int component) {
    return component == kFreq ? &v.freq : component == kQual ? &v.qual : &v.gain;
}

int indexOfComponent(int band, int component) {
    for (int i = 0; i < 20; ++i)
        if (kContinuous[i].band == band && kContinuous[i].component == component) return i;
    return -1;
}

}  // namespace

const ParamInfo* paramInfo(int index) {
    if (index < 0 || index >= kNumHostParams) return nullptr;
    return &kParams[index];
}

int getParameterKind(int index) {
    if (index >= 0 && index <= kGeneralVolumeIndex) return kKindContinuous;
    if (index >= kFirstSwitchIndex && index <= kGeneralOnIndex) return kKindSwitch;
    return kKindInternal;
}

const ValueLaw& lawForId(LawId id, const SettingsSlot& slot) {
    switch (id) {
        case LawId::Frequency: return kFrequencyLaw;
        case LawId::HpFrequency: return kHpFrequencyLaw;
        case LawId::FilterQ: return kFilterQLaw;
        case LawId::BellQ: return kBellQLaw;
        case LawId::GainDb: return kGainLaw;
        case LawId::AirGainDb: return kAirGainLaw;
        case LawId::BandQ1: return slot.switches[kBand1].type >= 0.5f ? kShelfQLaw : kBellQLaw;
        case LawId::BandQ5: return slot.switches[kBand5].type >= 0.5f ? kShelfQLaw : kBellQLaw;
        case LawId::None: break;
    }
    return kIdentityLaw;
}

const ValueLaw& lawForIndex(int index, const SettingsSlot& slot) {
    if (getParameterKind(index) != kKindContinuous) return kIdentityLaw;
    return lawForId(kParams[index].law, slot);
}

float* sideValuePtr(SettingsSlot& slot, int side, int index) {
    if (side < 0 || side >= kNumSides || index < 0 || index > kGeneralVolumeIndex) return nullptr;
    SideSettings& s = slot.side[side];
    if (index == kGeneralVolumeIndex) return &s.generalVolume;
    const Location at = kContinuous[index];
    return componentPtr(s.band[at.band], at.component);
}

const float* sideValuePtr(const SettingsSlot& slot, int side, int index) {
    return sideValuePtr(const_cast<SettingsSlot&>(slot), side, index);
}

float* switchValuePtr(SettingsSlot& slot, int index) {
    if (index == kGeneralOnIndex) return &slot.generalOn;
    if (index < kFirstSwitchIndex || index > kGeneralOnIndex) return nullptr;
    const Location at = kSwitches[index - kFirstSwitchIndex];
    BandSwitches& sw = slot.switches[at.band];
    return at.component == 0 ? &sw.on : &sw.type;
}

const float* switchValuePtr(const SettingsSlot& slot, int index) {
    return switchValuePtr(const_cast<SettingsSlot&>(slot), index);
}

int bandOfIndex(int index) {
    if (index >= 0 && index < kGeneralVolumeIndex) return kContinuous[index].band;
    if (index >= kFirstSwitchIndex && index < kGeneralOnIndex)
        return kSwitches[index - kFirstSwitchIndex].band;
    return -1;
}

bool isFrequencyIndex(int index) {
    return index >= 0 && index < kGeneralVolumeIndex && kContinuous[index].component == kFreq;
}

bool isQualityIndex(int index) {
    return index >= 0 && index < kGeneralVolumeIndex && kContinuous[index].component == kQual;
}

bool isGainIndex(int index) {
    return index >= 0 && index < kGeneralVolumeIndex && kContinuous[index].component == kGain;
}

bool isVolumeIndex(int index) { return index == kGeneralVolumeIndex; }

bool isOnSwitchIndex(int index) {
    if (index == kGeneralOnIndex) return true;
    return index >= kFirstSwitchIndex && index < kGeneralOnIndex &&
           kSwitches[index - kFirstSwitchIndex].component == 0;
}

bool isTypeSwitchIndex(int index) {
    return index >= kFirstSwitchIndex && index < kGeneralOnIndex &&
           kSwitches[index - kFirstSwitchIndex].component == 1;
}

int onSwitchIndexOfBand(int band) {
    if (band < 0 || band >= kNumBands) return -1;
    return kOnSwitchOfBand[band];
}

int frequencyIndexOfBand(int band) { return indexOfComponent(band, kFreq); }
int qualityIndexOfBand(int band) { return indexOfComponent(band, kQual); }
int gainIndexOfBand(int band) { return indexOfComponent(band, kGain); }

void writeParamDefaults(SettingsSlot& slot) {
    for (const ParamInfo& p : kParams) {
        for (int side = 0; side < kNumSides; ++side)
            if (float* v = sideValuePtr(slot, side, p.index)) *v = p.defaultNorm;
        if (float* v = switchValuePtr(slot, p.index)) *v = p.defaultNorm;
    }
}

}  // namespace solva
