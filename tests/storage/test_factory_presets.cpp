// The factory library built into the plug-in: the committed files, their
// content and what they sound like in physical values.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "params/param_table.h"
#include "params/value_law.h"
#include "storage/factory_presets.h"
#include "storage/init_settings.h"
#include "storage/record_format.h"
#include "storage_test_support.h"

namespace solva {
namespace {

using test::StorageFixture;

TEST(FactoryPresets, EmbeddedBytesAreTheCommittedFiles) {
    std::size_t count = 0;
    const FactoryPresetFile* files = factoryPresetFiles(&count);
    ASSERT_GE(count, 32u);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string path = std::string(SOLVA_SOURCE_DIR) + "/resources/presets/" + files[i].name;
        EXPECT_EQ(test::readFileBytes(path), std::string(reinterpret_cast<const char*>(files[i].bytes), files[i].size))
            << files[i].name;
    }
}

TEST(FactoryPresets, NumberedFromZeroAsFactoryPresetsInSeveralBanks) {
    StorageFixture f(17, true);
    const auto& byNumber = f.storage.library().byNumber();
    ASSERT_GE(byNumber.size(), 16u);
    std::set<std::string> banks;
    int expected = 0;
    for (const auto& [number, info] : byNumber) {
        EXPECT_EQ(number, expected++);
        EXPECT_EQ(info.factory, 1);
        EXPECT_TRUE(IsValidName(info.presetName, 32));
        EXPECT_TRUE(IsValidName(info.bankName, 32));
        banks.insert(info.bankName);
        ASSERT_EQ(f.storage.LoadPreset(number), 0);
        EXPECT_EQ(info.bandCount, countBandsOn(f.slot())) << info.presetName;
    }
    EXPECT_GE(banks.size(), 4u);  // the default bank and at least three others
}

TEST(FactoryPresets, PresetZeroIsNeutral) {
    StorageFixture f(17, true);
    ASSERT_EQ(f.storage.LoadPreset(0), 0);
    for (const BandSwitches& sw : f.slot().switches) EXPECT_EQ(sw.on, 0.0f);
    for (int side = 0; side < 2; ++side) {
        EXPECT_FLOAT_EQ(lawToPhysical(f.slot().side[side].generalVolume, kGainLaw), 0.0f);
        for (int index : {4, 7, 10, 13, 16})
            EXPECT_FLOAT_EQ(lawToPhysical(*sideValuePtr(f.slot(), side, index), kGainLaw), 0.0f);
    }
}

TEST(FactoryPresets, ValuesComeFromThePhysicalTable) {
    StorageFixture f(17, true);
    ASSERT_EQ(f.storage.LoadPreset(1), 0);  // Low Cut 80: 12 dB high-pass at 80 Hz
    EXPECT_STREQ(f.slot().info.presetName, "Low Cut 80");
    EXPECT_EQ(f.slot().switches[kBandHighPass].on, 1.0f);
    EXPECT_EQ(f.slot().switches[kBandHighPass].type, 1.0f);
    EXPECT_NEAR(lawToPhysical(f.slot().side[0].band[kBandHighPass].freq, kHpFrequencyLaw), 80.0f, 0.01f);
    EXPECT_NEAR(lawToPhysical(f.slot().side[1].band[kBandHighPass].qual, kFilterQLaw), 0.7f, 0.001f);
    ASSERT_EQ(f.storage.LoadPreset(7), 0);  // Loudness Curve: +3 dB low shelf at 100 Hz
    EXPECT_EQ(f.slot().switches[kBand1].type, 1.0f);
    EXPECT_NEAR(lawToPhysical(f.slot().side[0].band[kBand1].freq, kFrequencyLaw), 100.0f, 0.01f);
    EXPECT_NEAR(lawToPhysical(f.slot().side[0].band[kBand1].gain, kGainLaw), 3.0f, 0.001f);
    EXPECT_NEAR(lawToPhysical(f.slot().side[0].band[kBand1].qual, kShelfQLaw), 0.7f, 0.001f);
    EXPECT_NEAR(lawToPhysical(f.slot().side[0].generalVolume, kGainLaw), -3.0f, 0.001f);
}

}  // namespace
}  // namespace solva
