// The options file and the init settings.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "params/param_table.h"
#include "storage/init_settings.h"
#include "storage/record_format.h"
#include "storage_test_support.h"

namespace solva {
namespace {

using test::StorageFixture;

const char kDefaultOptionsFile[] =
    "!DSP_SAVE#0#\n"
    "!DISPLAY_VAL#0#\n"
    "!DISPLAY_NAME#0#\n"
    "!SNAP_FREQ#0#\n"
    "!SNAP_RES#0#\n"
    "!SNAP_GAIN#0#\n"
    "!BANDE_ON_AUTO#1#\n"
    "!GAIN_OUT_ON#0#\n"
    "!DISPLAY_NOTES#0#\n"
    "!DISPLAY_QOCT#0#\n"
    "!INCR_WHEEL#0.000000e+00#\n"
    "!GAIN_DROP_ALT#0#\n"
    "!SHOW_CLIP#1#\n"
    "!HOLD_CLIP#0#\n"
    "!CODAGE_MS#1#\n"
    "!DECODAGE_MS#1#\n"
    "!SAVE_IN_PROJECT#0#\n";

TEST(OptionsFile, DefaultsAreWrittenAsSeventeenRecords) {
    StorageFixture f;
    f.storage.SaveOptions();
    EXPECT_EQ(test::readFileBytes(f.dir.file("options")), kDefaultOptionsFile);
}

TEST(OptionsFile, FlagsRoundAtHalfAndOthersTruncate) {
    StorageFixture f;
    f.block->options[kOptFreqSnap] = 0.7f;
    f.block->options[kOptAutoSave] = 0.7f;
    f.block->options[kOptGainSnap] = 2.9f;
    f.block->options[kOptSaveInProject] = 1.0f;
    f.storage.SaveOptions();
    const std::string bytes = test::readFileBytes(f.dir.file("options"));
    EXPECT_NE(bytes.find("!SNAP_FREQ#0#\n"), std::string::npos);
    EXPECT_NE(bytes.find("!DSP_SAVE#1#\n"), std::string::npos);
    EXPECT_NE(bytes.find("!SNAP_GAIN#2#\n"), std::string::npos);
    EXPECT_NE(bytes.find("!SAVE_IN_PROJECT#0#\n"), std::string::npos);
}

TEST(OptionsFile, SingleRecordChangesOnlyItsOption) {
    StorageFixture f;
    test::writeFileBytes(f.dir.file("options"), "!SHOW_CLIP#0#\n");
    f.storage.LoadOptions();
    EXPECT_EQ(f.block->options[kOptShowClip], 0.0f);
    for (int word = 0; word < kNumOptions; ++word) {
        if (word != kOptShowClip) {
            EXPECT_EQ(f.block->options[word], defaultOptionValue(word)) << word;
        }
    }
}

TEST(OptionsFile, WheelIncrementSurvivesARoundTripAsAFloat) {
    StorageFixture f;
    f.block->options[kOptWheelIncrement] = 2.0f;
    f.block->options[kOptFreqSnap] = 3.0f;
    f.storage.SaveOptions();
    EXPECT_NE(test::readFileBytes(f.dir.file("options")).find("!INCR_WHEEL#2.000000e+00#\n"), std::string::npos);
    f.block->options[kOptWheelIncrement] = 0.0f;
    f.block->options[kOptFreqSnap] = 0.0f;
    f.storage.LoadOptions();
    EXPECT_EQ(f.block->options[kOptWheelIncrement], 2.0f);
    EXPECT_EQ(f.block->options[kOptFreqSnap], 3.0f);
}

TEST(OptionsFile, UnknownTokensAreSkippedAndGarbageIsHarmless) {
    StorageFixture f;
    test::writeFileBytes(f.dir.file("options"), "!BOGUS#SNAP_RES#!SNAP_GAIN#2#\n");
    f.storage.LoadOptions();
    // "BOGUS" is skipped, "SNAP_RES" takes "SNAP_GAIN" as its value (0),
    // "2" is skipped.
    EXPECT_EQ(f.block->options[kOptQSnap], 0.0f);
    EXPECT_EQ(f.block->options[kOptGainSnap], 0.0f);
    test::writeFileBytes(f.dir.file("options"), std::string("\0\xff#!\n\r", 6) + std::string(3000, 'Z'));
    f.storage.LoadOptions();
    EXPECT_EQ(f.block->options[kOptShowClip], 1.0f);
}

TEST(OptionsFile, SaveInProjectIsAlwaysReadBackOff) {
    StorageFixture f;
    f.block->options[kOptSaveInProject] = 1.0f;
    f.storage.SaveOptions();
    f.storage.LoadOptions();
    EXPECT_EQ(f.block->options[kOptSaveInProject], 0.0f);
}

TEST(InitSettings, DefaultsMatchTheParameterDefaults) {
    SettingsSlot init;
    resetInitSettings(init);
    for (int side = 0; side < 2; ++side) {
        EXPECT_FLOAT_EQ(init.side[side].band[kBandHighPass].freq, 0.1f);
        EXPECT_FLOAT_EQ(init.side[side].band[kBandHighPass].qual, 0.501f);
        EXPECT_FLOAT_EQ(init.side[side].band[kBand4].freq, 0.7f);
        EXPECT_FLOAT_EQ(init.side[side].band[kBandLowPass].freq, 0.9f);
        EXPECT_FLOAT_EQ(init.side[side].band[kBandAir].gain, 0.5f);
        EXPECT_FLOAT_EQ(init.side[side].generalVolume, 0.5f);
        for (float reserved : init.side[side].reserved) EXPECT_EQ(reserved, 0.0f);
    }
    for (const BandSwitches& sw : init.switches) {
        EXPECT_EQ(sw.on, 0.0f);
        EXPECT_EQ(sw.name[0], 0);
    }
}

TEST(InitSettings, CopyIntoASlotFillsTheFixedWordsAndNames) {
    SettingsSlot init;
    resetInitSettings(init);
    for (BandSwitches& sw : init.switches) sw.type = 1.0f;
    copyToField(init.switches[kBand2].name, 24, "Mids");
    SettingsBlock block;
    std::memset(&block, 0, sizeof block);
    block.slot[1].modified = 1;
    copyInitIntoSlot(init, block, 1, 42);
    const SettingsSlot& s = block.slot[1];
    EXPECT_STREQ(s.name, "Solva42B");
    EXPECT_EQ(s.modified, 0);
    EXPECT_EQ(s.side[0].band[kBandHighPass].gain, 0.0f);
    EXPECT_EQ(s.side[1].band[kBandAir].freq, 1.0f);
    EXPECT_EQ(s.side[1].band[kBandAir].qual, 1.0f);
    EXPECT_EQ(s.switches[kBand1].type, 1.0f);
    EXPECT_EQ(s.switches[kBand5].type, 1.0f);
    EXPECT_EQ(s.switches[kBand3].type, 0.0f);
    EXPECT_EQ(s.switches[kBandAir].type, 0.0f);
    EXPECT_STREQ(s.switches[kBand2].name, "Mids");
    EXPECT_STREQ(s.switches[kBand1].name, "Band 2");
    EXPECT_STREQ(s.switches[kBandAir].name, "Band Air");
}

TEST(InitSettings, OverlongNameInTheFileReachesNewPresetsAsTheDefault) {
    StorageFixture f;
    test::writeFileBytes(f.dir.file("InitSettings"),
                         "!BANDE3_NAME#" + std::string(24, 'n') + "#\n!BANDE4_NAME#Presence#\n!BANDE4_ON#1#\n");
    f.storage.LoadInitSettings();
    f.storage.NewPreset(true);
    EXPECT_STREQ(f.slot().switches[kBand2].name, "Band 3");
    EXPECT_STREQ(f.slot().switches[kBand3].name, "Presence");
    EXPECT_EQ(f.slot().switches[kBand3].on, 1.0f);
    EXPECT_EQ(f.slot().info.bandCount, 1);
}

TEST(InitSettings, FromCurrentIsSavedAndReachesNewPresets) {
    StorageFixture f;
    SettingsSlot& s = f.slot();
    for (int side = 0; side < 2; ++side)
        for (int index = 0; index <= 20; ++index) *sideValuePtr(s, side, index) = 0.02f * float(index + side);
    for (int index = 21; index <= 33; ++index) *switchValuePtr(s, index) = 1.0f;
    copyToField(s.switches[kBand5].name, 24, "Top");
    SettingsSlot before = s;
    f.storage.InitSettingsFromCurrent();
    ASSERT_TRUE(test::fileExists(f.dir.file("InitSettings")));
    // A fresh instance reads the file.
    StorageFixture g;
    std::remove(g.dir.file("InitSettings").c_str());
    PresetStorage other(g.host);
    other.startWith(f.dir.path(), 3);
    SettingsBlock otherBlock;
    other.attachBlock(&otherBlock);
    other.loadStartupSettings();
    other.NewPreset(true);
    const SettingsSlot& made = currentSlot(otherBlock);
    for (int side = 0; side < 2; ++side)
        for (int index = 0; index <= 20; ++index)
            EXPECT_FLOAT_EQ(*sideValuePtr(made, side, index), *sideValuePtr(before, side, index)) << index;
    for (int index : {21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33})
        EXPECT_EQ(*switchValuePtr(made, index), 1.0f) << index;
    EXPECT_STREQ(made.switches[kBand5].name, "Top");
}

TEST(InitSettings, InitValueFollowsTheShownSide) {
    StorageFixture f;
    f.slot().sideShown = 0.0f;  // side 1 shown
    f.storage.setInitValue(4, 0.9f);
    EXPECT_FLOAT_EQ(f.storage.initSettings().side[1].band[kBand1].gain, 0.9f);
    EXPECT_FLOAT_EQ(f.storage.initSettings().side[0].band[kBand1].gain, 0.5f);
    EXPECT_FLOAT_EQ(f.storage.getInitValue(4), 0.9f);
    f.storage.setInitValue(23, 1.0f);
    EXPECT_FLOAT_EQ(f.storage.getInitValue(23), 1.0f);
    EXPECT_FLOAT_EQ(f.storage.getInitValue(99), 0.0f);
}

TEST(SettingsBlockReset, FillsEveryDocumentedDefault) {
    SettingsSlot init;
    resetInitSettings(init);
    SettingsBlock block;
    std::memset(&block, 0xAB, sizeof block);
    ResetSettingsBlock(block, init, 9);
    EXPECT_EQ(block.formatVersion, 2.1f);
    EXPECT_EQ(block.slotSelector, 0.0f);
    for (const SettingsSlot& s : block.slot) {
        EXPECT_EQ(s.sideShown, 1.0f);
        const float links[5] = {1, 0, 0, 1, 0};
        EXPECT_EQ(std::memcmp(s.linkMode, links, sizeof links), 0);
        EXPECT_STREQ(s.info.presetName, "default");
        EXPECT_STREQ(s.info.modificationDate, "default");
        EXPECT_EQ(s.info.number, 0);
    }
    EXPECT_STREQ(block.slot[0].name, "Solva09A");
    EXPECT_EQ(block.options[kOptReserved], 1.0f);
    EXPECT_EQ(block.options[kOptOutputMsDecoding], 1.0f);
    for (float r : block.reserved) EXPECT_EQ(r, 0.0f);
}

TEST(InstallDirectory, ComesFromTheEnvironmentAndIsCreated) {
    test::TempDirectory dir;
    const std::string wanted = dir.path() + "nested/Solva";
    setenv("SOLVA_INSTALL_DIR", wanted.c_str(), 1);
    const InstallDirectory found = LookUpInstallDirectory();
    unsetenv("SOLVA_INSTALL_DIR");
    EXPECT_EQ(found.status, InstallLookup::kFound);
    EXPECT_EQ(found.path, wanted + "/");
    EXPECT_TRUE(std::filesystem::is_directory(wanted));
}

TEST(InstallDirectory, OverlongPathAlertsAndDisablesStorage) {
    const std::string longPath = "/tmp/" + std::string(210, 'y');
    setenv("SOLVA_INSTALL_DIR", longPath.c_str(), 1);
    test::RecordingHost host;
    PresetStorage storage(host);
    storage.start();
    unsetenv("SOLVA_INSTALL_DIR");
    ASSERT_EQ(host.alerts.size(), 1u);
    EXPECT_EQ(host.alerts[0], "Wrong installation of your Marwen plugIn");
    EXPECT_FALSE(storage.store().usable());
    EXPECT_FALSE(std::filesystem::exists(longPath));
    SettingsBlock block;
    storage.attachBlock(&block);
    storage.loadStartupSettings();
    EXPECT_EQ(storage.SavePreset(false), 1);
    EXPECT_EQ(storage.LoadPreset(0), 1);
}

}  // namespace
}  // namespace solva
