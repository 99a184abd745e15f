// The host parameter table: names, kinds, laws, defaults and value locations.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <string>

#include "params/param_table.h"
#include "params_test_support.h"

namespace solva {
namespace {

struct Expected {
    const char* shortName;
    const char* longName;
    float defaultNorm;
    float defaultPhysical;  // NAN for switches
};

const Expected kExpected[kNumHostParams] = {
    {"HPFreq", "HighPass CutOff Frequency", 0.1f, 42.0f},
    {"HPQual", "HighPass Quality Factor", 0.501f, 0.7066f},
    {"B1Freq", "Bell/Low Shelf CutOff Frequency", 0.2f, 88.0f},
    {"B1Qual", "Bell/Low Shelf Quality Factor", 0.5f, 1.0f},
    {"B1Gain", "Bell/Low Shelf Level", 0.5f, 0.0f},
    {"B2Freq", "Bell 2 CutOff Frequency", 0.3f, 176.0f},
    {"B2Qual", "Bell 2 Quality Factor", 0.5f, 1.0f},
    {"B2Gain", "Bell 2 Level", 0.5f, 0.0f},
    {"B3Freq", "Bell 3 CutOff Frequency", 0.5f, 1000.0f},
    {"B3Qual", "Bell 3 Quality Factor", 0.5f, 1.0f},
    {"B3Gain", "Bell 3 Level", 0.5f, 0.0f},
    {"B4Freq", "Bell 4 CutOff Frequency", 0.7f, 5800.0f},
    {"B4Qual", "Bell 4 Quality Factor", 0.5f, 1.0f},
    {"B4Gain", "Bell 4 Level", 0.5f, 0.0f},
    {"B5Freq", "Bell/High Shelf CutOff Frequenc", 0.8f, 9400.0f},
    {"B5Qual", "Bell/High Shelf Quality Factor", 0.5f, 1.0f},
    {"B5Gain", "Bell/High Shelf Level", 0.5f, 0.0f},
    {"LPFreq", "Low Pass CutOff Frequency", 0.9f, 13600.0f},
    {"LPQual", "Low Pass Quality Factor", 0.501f, 0.7066f},
    {"AirGain", "Air Level", 0.5f, 0.0f},
    {"GenVol", "General Volum", 0.5f, 0.0f},
    {"HPOn", "HighPass On/Off", 0.0f, NAN},
    {"HPType", "HighPass 6dB/12dB", 0.0f, NAN},
    {"B1On", "Bell/Low Shelf On/Off", 0.0f, NAN},
    {"B1Type", "Bell/Low Shelf Type", 0.0f, NAN},
    {"B2On", "Bell 2 On/Off", 0.0f, NAN},
    {"B3On", "Bell 3 On/Off", 0.0f, NAN},
    {"B4On", "Bell 4 On/Off", 0.0f, NAN},
    {"B5On", "Bell/High Shelf On/Off", 0.0f, NAN},
    {"B5Type", "Bell/High Shelf Type", 0.0f, NAN},
    {"LPOn", "Low Pass On/Off", 0.0f, NAN},
    {"LPType", "Low Pass 6dB/12dB", 0.0f, NAN},
    {"AirOn", "Air On/Off", 0.0f, NAN},
    {"GenOn", "General On/Off", 0.0f, NAN},
};

std::string padded8(const char* s) {
    std::string out(s);
    out.resize(8, ' ');
    return out;
}

TEST(ParamTable, NamesKindsAndDefaultsOfEveryHostParameter) {
    SettingsSlot slot{};
    for (int i = 0; i < kNumHostParams; ++i) {
        SCOPED_TRACE(i);
        const ParamInfo* p = paramInfo(i);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->index, i);
        EXPECT_EQ(std::string(p->shortName), padded8(kExpected[i].shortName));
        EXPECT_STREQ(p->longName, kExpected[i].longName);
        EXPECT_LE(std::strlen(p->longName), 31u);
        EXPECT_EQ(p->kind, getParameterKind(i));
        EXPECT_EQ(p->defaultNorm, kExpected[i].defaultNorm);
        EXPECT_GE(p->defaultNorm, 0.0f);
        EXPECT_LE(p->defaultNorm, 1.0f);
        if (p->kind == kKindContinuous) {
            const float phys = lawToPhysical(p->defaultNorm, lawForIndex(i, slot));
            EXPECT_NEAR(phys, kExpected[i].defaultPhysical, 1e-3f * std::max(1.0f, std::fabs(phys)));
        } else {
            EXPECT_EQ(p->law, LawId::None);
        }
    }
}

TEST(ParamTable, KindsAndOutOfRangeIndices) {
    EXPECT_EQ(getParameterKind(0), kKindContinuous);
    EXPECT_EQ(getParameterKind(20), kKindContinuous);
    EXPECT_EQ(getParameterKind(21), kKindSwitch);
    EXPECT_EQ(getParameterKind(33), kKindSwitch);
    for (int i : {-1, 34, 35, 43, 49, 50, 67, 105, 109, 1000}) {
        EXPECT_EQ(getParameterKind(i), kKindInternal) << i;
        EXPECT_EQ(paramInfo(i), nullptr) << i;
    }
}

TEST(ParamTable, LawsOfEachIndexWithBandTypeSwitchingQualityLaw) {
    SettingsSlot slot{};
    EXPECT_EQ(&lawForIndex(0, slot), &kHpFrequencyLaw);
    for (int i : {2, 5, 8, 11, 14, 17}) EXPECT_EQ(&lawForIndex(i, slot), &kFrequencyLaw) << i;
    for (int i : {1, 18}) EXPECT_EQ(&lawForIndex(i, slot), &kFilterQLaw) << i;
    for (int i : {3, 6, 9, 12, 15}) EXPECT_EQ(&lawForIndex(i, slot), &kBellQLaw) << i;
    for (int i : {4, 7, 10, 13, 16, 20}) EXPECT_EQ(&lawForIndex(i, slot), &kGainLaw) << i;
    EXPECT_EQ(&lawForIndex(19, slot), &kAirGainLaw);
    EXPECT_EQ(&lawForIndex(21, slot), &kIdentityLaw);

    slot.switches[kBand1].type = 0.5f;  // low shelf
    EXPECT_EQ(&lawForIndex(3, slot), &kShelfQLaw);
    EXPECT_EQ(&lawForIndex(15, slot), &kBellQLaw);
    slot.switches[kBand5].type = 0.7f;  // high shelf
    EXPECT_EQ(&lawForIndex(15, slot), &kShelfQLaw);
    slot.switches[kBand1].type = 0.49f;
    EXPECT_EQ(&lawForIndex(3, slot), &kBellQLaw);
}

TEST(ParamTable, ShelfTypeChangesTheReadingButNotTheStoredValue) {
    SettingsBlock block = test::makeDefaultBlock();
    SettingsSlot& slot = block.slot[0];
    const float stored = *sideValuePtr(slot, 0, 3);
    EXPECT_FLOAT_EQ(lawToPhysical(stored, lawForIndex(3, slot)), 1.0f);   // bell Q
    *switchValuePtr(slot, 24) = 1.0f;
    EXPECT_EQ(*sideValuePtr(slot, 0, 3), stored);
    EXPECT_FLOAT_EQ(lawToPhysical(stored, lawForIndex(3, slot)), 0.7f);   // shelf Q
}

TEST(ParamTable, ContinuousIndicesAddressTheirBandFieldOnEachSide) {
    SettingsSlot slot{};
    std::set<const float*> seen;
    for (int side = 0; side < kNumSides; ++side) {
        for (int i = 0; i <= 20; ++i) {
            float* p = sideValuePtr(slot, side, i);
            ASSERT_NE(p, nullptr);
            EXPECT_TRUE(seen.insert(p).second) << "index " << i << " shares storage";
            const char* base = reinterpret_cast<const char*>(&slot.side[side]);
            const std::ptrdiff_t offset = reinterpret_cast<const char*>(p) - base;
            EXPECT_GE(offset, 0);
            EXPECT_LT(offset, static_cast<std::ptrdiff_t>(sizeof(SideSettings)));
        }
    }
    EXPECT_EQ(sideValuePtr(slot, 0, 0), &slot.side[0].band[kBandHighPass].freq);
    EXPECT_EQ(sideValuePtr(slot, 1, 1), &slot.side[1].band[kBandHighPass].qual);
    EXPECT_EQ(sideValuePtr(slot, 0, 3), &slot.side[0].band[kBand1].qual);
    EXPECT_EQ(sideValuePtr(slot, 1, 13), &slot.side[1].band[kBand4].gain);
    EXPECT_EQ(sideValuePtr(slot, 0, 17), &slot.side[0].band[kBandLowPass].freq);
    EXPECT_EQ(sideValuePtr(slot, 0, 18), &slot.side[0].band[kBandLowPass].qual);
    EXPECT_EQ(sideValuePtr(slot, 1, 19), &slot.side[1].band[kBandAir].gain);
    EXPECT_EQ(sideValuePtr(slot, 1, 20), &slot.side[1].generalVolume);
    EXPECT_EQ(sideValuePtr(slot, 0, 21), nullptr);
    EXPECT_EQ(sideValuePtr(slot, 2, 0), nullptr);
    EXPECT_EQ(sideValuePtr(slot, -1, 0), nullptr);
}

TEST(ParamTable, SwitchIndicesAddressSharedOnAndTypeFields) {
    SettingsSlot slot{};
    EXPECT_EQ(switchValuePtr(slot, 21), &slot.switches[kBandHighPass].on);
    EXPECT_EQ(switchValuePtr(slot, 22), &slot.switches[kBandHighPass].type);
    EXPECT_EQ(switchValuePtr(slot, 23), &slot.switches[kBand1].on);
    EXPECT_EQ(switchValuePtr(slot, 24), &slot.switches[kBand1].type);
    EXPECT_EQ(switchValuePtr(slot, 25), &slot.switches[kBand2].on);
    EXPECT_EQ(switchValuePtr(slot, 26), &slot.switches[kBand3].on);
    EXPECT_EQ(switchValuePtr(slot, 27), &slot.switches[kBand4].on);
    EXPECT_EQ(switchValuePtr(slot, 28), &slot.switches[kBand5].on);
    EXPECT_EQ(switchValuePtr(slot, 29), &slot.switches[kBand5].type);
    EXPECT_EQ(switchValuePtr(slot, 30), &slot.switches[kBandLowPass].on);
    EXPECT_EQ(switchValuePtr(slot, 31), &slot.switches[kBandLowPass].type);
    EXPECT_EQ(switchValuePtr(slot, 32), &slot.switches[kBandAir].on);
    EXPECT_EQ(switchValuePtr(slot, 33), &slot.generalOn);
    EXPECT_EQ(switchValuePtr(slot, 20), nullptr);
    EXPECT_EQ(switchValuePtr(slot, 34), nullptr);
}

TEST(ParamTable, IndexClassesAndBandPositions) {
    const int bands[33] = {0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 6, 6, 7, -1,
                           0, 0, 1, 1, 2, 3, 4, 5, 5, 6, 6, 7};
    for (int i = 0; i < 33; ++i) EXPECT_EQ(bandOfIndex(i), bands[i]) << i;
    EXPECT_EQ(bandOfIndex(33), -1);
    EXPECT_EQ(bandOfIndex(34), -1);
    EXPECT_EQ(bandOfIndex(-1), -1);

    const std::set<int> freq = {0, 2, 5, 8, 11, 14, 17}, qual = {1, 3, 6, 9, 12, 15, 18},
                        gain = {4, 7, 10, 13, 16, 19}, on = {21, 23, 25, 26, 27, 28, 30, 32, 33},
                        type = {22, 24, 29, 31};
    for (int i = -1; i < 40; ++i) {
        EXPECT_EQ(isFrequencyIndex(i), freq.count(i) == 1) << i;
        EXPECT_EQ(isQualityIndex(i), qual.count(i) == 1) << i;
        EXPECT_EQ(isGainIndex(i), gain.count(i) == 1) << i;
        EXPECT_EQ(isVolumeIndex(i), i == 20) << i;
        EXPECT_EQ(isOnSwitchIndex(i), on.count(i) == 1) << i;
        EXPECT_EQ(isTypeSwitchIndex(i), type.count(i) == 1) << i;
    }
    const int onOfBand[8] = {21, 23, 25, 26, 27, 28, 30, 32};
    for (int b = 0; b < kNumBands; ++b) {
        EXPECT_EQ(onSwitchIndexOfBand(b), onOfBand[b]);
        EXPECT_EQ(bandOfIndex(onOfBand[b]), b);
        for (int i : {frequencyIndexOfBand(b), qualityIndexOfBand(b), gainIndexOfBand(b)})
            if (i >= 0) {
                EXPECT_EQ(bandOfIndex(i), b);
            }
    }
    EXPECT_EQ(frequencyIndexOfBand(kBandAir), -1);
    EXPECT_EQ(gainIndexOfBand(kBandHighPass), -1);
    EXPECT_EQ(gainIndexOfBand(kBandAir), 19);
    EXPECT_EQ(qualityIndexOfBand(kBandLowPass), 18);
    EXPECT_EQ(onSwitchIndexOfBand(8), -1);
}

TEST(ParamTable, DefaultsAreWrittenToBothSidesAndTheSwitches) {
    SettingsSlot slot;
    std::memset(&slot, 0x7f, sizeof slot);
    writeParamDefaults(slot);
    for (int side = 0; side < kNumSides; ++side)
        for (int i = 0; i <= 20; ++i) EXPECT_EQ(*sideValuePtr(slot, side, i), paramInfo(i)->defaultNorm);
    for (int i = 21; i <= 33; ++i) EXPECT_EQ(*switchValuePtr(slot, i), 0.0f);
}

}  // namespace
}  // namespace solva
