// Preset loading and saving and the library operations behind the
// editor's preset and bank menus.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "params/param_table.h"
#include "storage/init_settings.h"
#include "storage/record_format.h"
#include "storage/settings_records.h"
#include "storage_test_support.h"

namespace solva {
namespace {

using test::StorageFixture;

std::string settingsBytes(const SettingsSlot& slot) {
    test::TempDirectory dir;
    std::FILE* f = std::fopen(dir.file("x").c_str(), "wb");
    WriteSettingsRecords(f, slot);
    std::fclose(f);
    return test::readFileBytes(dir.file("x"));
}

TEST(Startup, SlotsHoldPresetZeroAndSlotATheInitSettings) {
    StorageFixture f(17, true);
    EXPECT_EQ(f.block->slotSelector, 0.0f);
    EXPECT_STREQ(f.block->slot[0].name, "Solva17A");
    EXPECT_STREQ(f.block->slot[1].name, "Solva17B");
    EXPECT_STREQ(f.block->slot[1].info.presetName, "Neutral");
    EXPECT_EQ(f.block->slot[1].info.factory, 1);
    EXPECT_STREQ(f.block->slot[0].info.presetName, "Neutral");
    EXPECT_EQ(f.block->slot[0].generalOn, 0.0f);  // init settings
    EXPECT_EQ(f.block->slot[1].generalOn, 1.0f);  // the factory preset
    EXPECT_EQ(f.block->formatVersion, 2.1f);
    EXPECT_EQ(f.storage.library().presetCount(), 18);
    EXPECT_GE(f.storage.library().groupCount(), 3);
}

TEST(Startup, WithoutAnyPresetTheDefaultsStand) {
    StorageFixture f(5, false);
    EXPECT_EQ(f.storage.library().presetCount(), 0);
    EXPECT_STREQ(f.block->slot[0].info.presetName, "default");
    EXPECT_STREQ(f.block->slot[0].switches[kBandAir].name, "Band Air");
    EXPECT_EQ(f.block->options[kOptAutoOn], 1.0f);
}

TEST(FactoryLibrary, InstallsOnceAndNeverOverwrites) {
    StorageFixture f(5, false);
    EXPECT_EQ(f.storage.installFactoryPresets(), 18);
    test::writeFileBytes(f.dir.file("preset0003.inf"), "!removed#");
    EXPECT_EQ(f.storage.installFactoryPresets(), 0);
    EXPECT_EQ(test::readFileBytes(f.dir.file("preset0003.inf")), "!removed#");
    // The neutral preset: every band off at 0 dB.
    f.storage.ScanLibrary();
    ASSERT_EQ(f.storage.LoadPreset(0), 0);
    for (const BandSwitches& sw : f.slot().switches) EXPECT_EQ(sw.on, 0.0f);
    EXPECT_FLOAT_EQ(f.slot().side[0].generalVolume, 0.5f);
}

TEST(LoadPreset, MissingKeysTakeTheInitSettings) {
    StorageFixture f;
    test::writeUserPreset(f.dir.path(), 501, "Sparse", "Mine");
    test::writeFileBytes(f.dir.file("preset0501.prt"), "!BANDE2_GAIN#2.500000e-01#\n");
    for (SideSettings& side : f.storage.initSettings().side) side.band[kBand3].gain = 0.8f;
    f.storage.ScanLibrary();
    f.host.reapplies.clear();
    ASSERT_EQ(f.storage.LoadPreset(501), 0);
    for (int side = 0; side < 2; ++side) {
        EXPECT_FLOAT_EQ(f.slot().side[side].band[kBand3].gain, 0.8f);
        EXPECT_FLOAT_EQ(f.slot().side[side].band[kBand1].gain, 0.25f);
    }
    EXPECT_STREQ(f.slot().info.presetName, "Sparse");
    EXPECT_EQ(f.slot().modified, 0);
    EXPECT_EQ(f.slot().sideShown, 0.0f);
    const float links[5] = {1, 0, 0, 1, 0};
    EXPECT_EQ(std::memcmp(f.slot().linkMode, links, sizeof links), 0);
    EXPECT_EQ(f.host.reapplies, std::vector<int>{-1});
    EXPECT_EQ(f.host.lastEditorValue(73), 0.0f);
}

TEST(LoadPreset, FilesWrittenOnWindowsLoadAlike) {
    StorageFixture f;
    test::writeUserPreset(f.dir.path(), 501, "Win", "Mine");
    test::writeFileBytes(f.dir.file("preset0501.prt"),
                         "!@LEFT@BANDE2_GAIN#7.500000e-001#\r\n!@RIGH@BANDE2_GAIN#2.500000e-001#\r\n");
    ASSERT_EQ(f.storage.LoadPreset(501), 0);
    EXPECT_FLOAT_EQ(f.slot().side[0].band[kBand1].gain, 0.75f);
    EXPECT_FLOAT_EQ(f.slot().side[1].band[kBand1].gain, 0.25f);
}

TEST(LoadPreset, BinaryOrOversizedSettingsFileNeverCrashes) {
    StorageFixture f;
    test::writeUserPreset(f.dir.path(), 501, "Junk", "Mine");
    std::string junk(1 << 20, '\0');
    uint32_t state = 99;
    for (char& c : junk) {
        state = state * 1103515245u + 12345u;
        c = char(state >> 24);
    }
    test::writeFileBytes(f.dir.file("preset0501.prt"), junk);
    EXPECT_EQ(f.storage.LoadPreset(501), 0);
    EXPECT_STREQ(f.slot().info.presetName, "Junk");
    for (const BandSwitches& sw : f.slot().switches) EXPECT_NE(std::memchr(sw.name, 0, sizeof sw.name), nullptr);
    test::writeFileBytes(f.dir.file("preset0501.inf"), "!NOM_PRESET#Big#\n" + std::string(1 << 20, '#'));
    EXPECT_EQ(f.storage.LoadPreset(501), 0);
    EXPECT_STREQ(f.slot().info.presetName, "Big");
}

TEST(LoadPreset, ChannelModeNeedsTwoOutputs) {
    StorageFixture f;
    test::writeUserPreset(f.dir.path(), 501, "MS", "Mine");
    test::writeFileBytes(f.dir.file("preset0501.inf"), "!NOM_PRESET#MS#\n!LEFT-RIGHT#02#\n");
    ASSERT_EQ(f.storage.LoadPreset(501), 0);
    EXPECT_EQ(f.host.channelMode, 2);
    EXPECT_EQ(f.host.midSideFlag, 1);
    f.host.outputs = 1;
    ASSERT_EQ(f.storage.LoadPreset(501), 0);
    EXPECT_EQ(f.host.channelMode, 0);
    EXPECT_EQ(f.host.midSideFlag, 0);
}

TEST(LoadPreset, MissingOrRemovedPresetFails) {
    StorageFixture f;
    EXPECT_EQ(f.storage.LoadPreset(501), 1);
    EXPECT_EQ(f.storage.LoadPreset(-1), 1);
    test::writeUserPreset(f.dir.path(), 502, "NoSettings", "Mine");
    std::remove(f.dir.file("preset0502.prt").c_str());
    EXPECT_EQ(f.storage.LoadPreset(502), 1);
    EXPECT_STREQ(f.slot().info.presetName, "NoSettings");  // the information is taken
}

TEST(NewPreset, FirstUserPresetIs501NamedPreset0001) {
    StorageFixture f(17, true);
    f.slot().switches[kBand2].on = 1.0f;
    f.slot().switches[kBandAir].on = 1.0f;
    f.storage.NewPreset(false);
    EXPECT_EQ(f.slot().info.number, 501);
    EXPECT_STREQ(f.slot().info.presetName, "Preset0001");
    EXPECT_EQ(f.slot().info.factory, 0);
    EXPECT_EQ(f.slot().info.bandCount, 2);
    ASSERT_TRUE(test::fileExists(f.dir.file("preset0501.inf")));
    EXPECT_EQ(test::readFileBytes(f.dir.file("preset0501.prt")), settingsBytes(f.slot()));
    EXPECT_EQ(f.storage.library().byNumber().count(501), 1u);
    EXPECT_EQ(f.storage.library().PresetNumberAt(f.storage.library().currentGroup(),
                                                 f.storage.library().currentPosition()),
              501);
    EXPECT_FALSE(f.storage.library().newPresetRequest());
    // A second one takes the next number.
    f.storage.NewPreset(false);
    EXPECT_EQ(f.slot().info.number, 502);
    EXPECT_STREQ(f.slot().info.presetName, "Preset0002");
}

TEST(NewPreset, SettingsFileThatCannotBeCreatedRemovesTheInformationToo) {
    StorageFixture f(17, true);
    std::filesystem::create_directory(f.dir.file("preset0501.prt"));  // blocks the file
    f.storage.NewPreset(false);
    EXPECT_EQ(f.slot().info.number, 501);
    EXPECT_FALSE(test::fileExists(f.dir.file("preset0501.inf")));
    PresetInfo info = f.slot().info;
    std::filesystem::create_directory(f.dir.file("preset0600.inf"));
    info.number = 600;
    EXPECT_EQ(f.storage.store().WritePresetInfo(info), 1);
}

TEST(NewPreset, FromInitStartsFromTheInitSettings) {
    StorageFixture f(17, true);
    f.slot().side[0].band[kBand3].freq = 0.123f;
    f.storage.InitSettingsFromCurrent();
    f.slot().side[0].band[kBand3].freq = 0.9f;
    f.host.reapplies.clear();
    f.storage.NewPreset(true);
    EXPECT_FLOAT_EQ(f.slot().side[0].band[kBand3].freq, 0.123f);
    EXPECT_EQ(f.host.reapplies, std::vector<int>{-1});
}

TEST(SaveInPlace, OverwritesAUserPresetAndLeavesFactoryPresetsAlone) {
    StorageFixture f(17, true);
    const std::string before = test::readFileBytes(f.dir.file("preset0000.prt"));
    f.slot().side[0].band[kBand1].gain = 0.9f;
    f.storage.savePresetInPlace();
    EXPECT_EQ(test::readFileBytes(f.dir.file("preset0000.prt")), before);
    f.storage.NewPreset(false);
    f.slot().side[0].band[kBand1].gain = 0.1f;
    f.slot().modified = 1;
    f.storage.savePresetInPlace();
    EXPECT_EQ(f.slot().info.number, 501);
    EXPECT_EQ(f.slot().modified, 0);
    EXPECT_NE(test::readFileBytes(f.dir.file("preset0501.prt")).find("!@LEFT@BANDE2_GAIN#1.000000e-01#"),
              std::string::npos);
    EXPECT_FALSE(test::fileExists(f.dir.file("preset0502.inf")));
}

TEST(RenamePreset, ClashingNamesGetNumericSuffixes) {
    StorageFixture f;
    test::writeUserPreset(f.dir.path(), 501, "Warm", "B");
    test::writeUserPreset(f.dir.path(), 502, "Cold", "B");
    test::writeUserPreset(f.dir.path(), 503, "Other", "B");
    test::writeUserPreset(f.dir.path(), 504, "Warm", "Elsewhere");
    f.storage.ScanLibrary();
    ASSERT_EQ(f.storage.LoadPreset(502), 0);
    f.storage.RenamePreset("Warm");
    EXPECT_STREQ(f.slot().info.presetName, "Warm.1");
    ASSERT_EQ(f.storage.LoadPreset(503), 0);
    f.storage.RenamePreset("Warm");
    EXPECT_STREQ(f.slot().info.presetName, "Warm.2");
    PresetInfo onDisk;
    ASSERT_EQ(f.storage.store().LoadPresetInfo(503, onDisk), kInfoLoaded);
    EXPECT_STREQ(onDisk.presetName, "Warm.2");
    ASSERT_EQ(f.storage.LoadPreset(503), 0);
    f.storage.RenamePreset("Fresh");
    EXPECT_STREQ(f.slot().info.presetName, "Fresh");
}

TEST(RenamePreset, FactoryAndInvalidNamesAreRefused) {
    StorageFixture f(17, true);
    f.storage.LoadPreset(1);
    const std::string before = test::readFileBytes(f.dir.file("preset0001.inf"));
    f.storage.RenamePreset("Mine");
    EXPECT_EQ(test::readFileBytes(f.dir.file("preset0001.inf")), before);
    f.storage.NewPreset(false);
    for (const char* bad : {"", "a#b", "caf\xc3\xa9", "tab\there"}) {
        f.storage.RenamePreset(bad);
        EXPECT_STRNE(f.slot().info.presetName, bad);
    }
    // Names never become paths: a path-like name stays a name.
    f.storage.RenamePreset("../../etc");
    EXPECT_STREQ(f.slot().info.presetName, "../../etc");
    EXPECT_TRUE(test::fileExists(f.dir.file("preset0501.inf")));
}

TEST(NewBank, NamedAfterTheGroupCount) {
    StorageFixture f;
    test::writeUserPreset(f.dir.path(), 501, "a", "Alpha");
    test::writeUserPreset(f.dir.path(), 502, "b", "Beta");
    test::writeUserPreset(f.dir.path(), 503, "c", "Gamma");
    f.storage.ScanLibrary();
    f.storage.LoadPreset(501);
    f.storage.NewBank(false);
    EXPECT_STREQ(f.slot().info.bankName, "Bank03");
    EXPECT_EQ(f.slot().info.number, 504);
    EXPECT_EQ(f.storage.library().groupCount(), 4);
    EXPECT_EQ(f.storage.BankNameExists("Bank03"), 1);
    f.storage.SetSortMode(kSortByAuthor);
    f.storage.NewBank(false);  // only while sorted by bank
    EXPECT_FALSE(test::fileExists(f.dir.file("preset0505.inf")));
}

TEST(DeletePreset, FactoryPresetStaysButOthersAreNotified) {
    StorageFixture f(17, true);
    std::remove(f.dir.file("Modif").c_str());
    f.storage.LoadPreset(3);
    f.storage.DeletePreset(f.storage.library().currentGroup(), f.storage.library().currentPosition());
    EXPECT_NE(test::readFileBytes(f.dir.file("preset0003.inf")), "!removed#");
    EXPECT_TRUE(test::fileExists(f.dir.file("preset0003.prt")));
    EXPECT_EQ(test::readFileBytes(f.dir.file("Modif")), "!NUM_INSTANCE_MOD#000017#\n");
}

TEST(DeletePreset, UserPresetIsMarkedRemovedAndTheGroupStartLoaded) {
    StorageFixture f;
    test::writeUserPreset(f.dir.path(), 501, "A", "Mine");
    test::writeUserPreset(f.dir.path(), 502, "B", "Mine");
    f.storage.ScanLibrary();
    f.storage.DeletePreset(0, 0);
    EXPECT_EQ(test::readFileBytes(f.dir.file("preset0501.inf")), "!removed#");
    EXPECT_FALSE(test::fileExists(f.dir.file("preset0501.prt")));
    EXPECT_EQ(f.storage.library().presetCount(), 1);
    EXPECT_STREQ(f.slot().info.presetName, "B");
    EXPECT_EQ(f.host.lastEditorValue(69), 0.0f);
    EXPECT_EQ(f.storage.library().NextFreePresetNumber(), 501);
}

TEST(DeleteBank, RemovesTheBanksUserPresetsOnly) {
    StorageFixture f(17, true);
    test::writeUserPreset(f.dir.path(), 501, "A", "Mixing");  // joins the factory bank
    test::writeUserPreset(f.dir.path(), 502, "B", "Other");
    f.storage.ScanLibrary();
    f.storage.LoadPreset(501);
    f.storage.library().SelectPresetByNumber(501);
    f.storage.DeleteBank(f.storage.library().currentGroup());
    EXPECT_EQ(test::readFileBytes(f.dir.file("preset0501.inf")), "!removed#");
    EXPECT_NE(test::readFileBytes(f.dir.file("preset0001.inf")), "!removed#");
    EXPECT_NE(test::readFileBytes(f.dir.file("preset0502.inf")), "!removed#");
    EXPECT_EQ(f.storage.library().currentGroup(), 0);
}

TEST(ToggleFactory, HidingWhileAFactoryPresetIsLoadedLoadsTheFirstShownPreset) {
    StorageFixture f(17, true);
    test::writeUserPreset(f.dir.path(), 501, "Mine", "Zulu");
    f.storage.ScanLibrary();
    f.storage.LoadPreset(2);
    f.storage.ToggleFactoryPresets();
    EXPECT_FALSE(f.storage.library().factoryShown());
    EXPECT_EQ(f.slot().info.number, 501);
    f.storage.ToggleFactoryPresets();
    EXPECT_TRUE(f.storage.library().factoryShown());
    EXPECT_EQ(f.storage.library().PresetNumberAt(f.storage.library().currentGroup(),
                                                 f.storage.library().currentPosition()),
              501);
}

TEST(BankEditing, RenameBankRewritesEveryMember) {
    StorageFixture f;
    test::writeUserPreset(f.dir.path(), 501, "A", "Old");
    test::writeUserPreset(f.dir.path(), 502, "B", "Old");
    test::writeUserPreset(f.dir.path(), 503, "C", "Keep");
    f.storage.ScanLibrary();
    f.storage.LoadPreset(502);
    f.storage.RenameBank("New Name");
    PresetInfo info;
    for (int n : {501, 502}) {
        ASSERT_EQ(f.storage.store().LoadPresetInfo(n, info), kInfoLoaded);
        EXPECT_STREQ(info.bankName, "New Name");
    }
    ASSERT_EQ(f.storage.store().LoadPresetInfo(503, info), kInfoLoaded);
    EXPECT_STREQ(info.bankName, "Keep");
    EXPECT_STREQ(f.slot().info.bankName, "New Name");
}

TEST(BankEditing, CopyBankDuplicatesTheCurrentGroupAsUserPresets) {
    StorageFixture f(17, true);
    f.storage.LoadPreset(6);  // Mastering
    f.storage.library().SelectPresetByNumber(6);
    const int members = f.storage.library().getGroupSize(f.storage.library().currentGroup());
    f.storage.CopyBank("Master Copy");
    int copies = 0;
    for (const auto& [number, info] : f.storage.library().byNumber()) {
        if (std::strcmp(info.bankName, "Master Copy") != 0) continue;
        ++copies;
        EXPECT_GE(number, 501);
        EXPECT_EQ(info.factory, 0);
    }
    EXPECT_EQ(copies, members);
    EXPECT_STREQ(f.slot().info.bankName, "Master Copy");
    EXPECT_GE(f.slot().info.number, 501);  // the copy of the loaded preset
}

TEST(PresetFields, AuthorAndProjectOnlyForUserPresets) {
    StorageFixture f(17, true);
    f.storage.LoadPreset(1);
    f.storage.SetPresetAuthor("Someone");
    EXPECT_STRNE(f.slot().info.author, "Someone");
    f.storage.NewPreset(false);
    f.storage.SetPresetAuthor("Someone");
    f.storage.SetPresetProject("Album");
    f.storage.SetPresetBank("Fresh Bank");
    PresetInfo info;
    ASSERT_EQ(f.storage.store().LoadPresetInfo(f.slot().info.number, info), kInfoLoaded);
    EXPECT_STREQ(info.author, "Someone");
    EXPECT_STREQ(info.project, "Album");
    EXPECT_STREQ(info.bankName, "Fresh Bank");
    EXPECT_EQ(f.storage.BankNameExists("Fresh Bank"), 1);
}

TEST(FindOrAdd, MatchingNameAndBankTakesTheLibraryNumber) {
    StorageFixture f;
    test::writeUserPreset(f.dir.path(), 501, "Song Mix", "Proj");
    f.storage.ScanLibrary();
    copyToField(f.slot().info.presetName, 32, "Song Mix");
    copyToField(f.slot().info.bankName, 32, "Proj");
    f.slot().info.number = 900;
    f.storage.FindOrAddCurrentPreset();
    EXPECT_EQ(f.slot().info.number, 501);
    copyToField(f.slot().info.presetName, 32, "Brand New");
    f.storage.FindOrAddCurrentPreset();
    EXPECT_EQ(f.slot().info.number, 502);
    EXPECT_TRUE(test::fileExists(f.dir.file("preset0502.prt")));
    EXPECT_EQ(f.storage.library().byNumber().count(502), 0u);  // listed after the next scan
    copyToField(f.slot().info.presetName, 32, "bad#name");
    f.slot().info.number = 7;
    f.storage.FindOrAddCurrentPreset();
    EXPECT_EQ(f.slot().info.number, 7);
}

TEST(ReloadLibrary, PicksUpAnotherInstancesPresets) {
    StorageFixture a(17, true);
    StorageFixture b(42, false);
    // Both instances share one directory here.
    PresetStorage other(b.host);
    other.startWith(a.dir.path(), 42);
    SettingsBlock otherBlock;
    other.attachBlock(&otherBlock);
    other.loadStartupSettings();
    a.storage.NewPreset(false);
    EXPECT_EQ(other.CheckLibraryChanged(), 1);
    other.ReloadLibrary();
    EXPECT_EQ(other.library().byNumber().count(501), 1u);
    EXPECT_EQ(b.host.lastEditorValue(74), 0.0f);
}

TEST(Browser, EntryTextsAndRefresh) {
    StorageFixture f(17, true);
    char label[32], name[32];
    f.storage.getEntryTexts(-1, 0, label, name);
    EXPECT_STREQ(label, "-");
    EXPECT_STREQ(name, "-");
    f.storage.SetSortMode(kSortFlat);
    f.storage.getEntryTexts(0, 0, label, name);
    EXPECT_STREQ(label, "All");
    EXPECT_STREQ(name, "Air Lift");
    EXPECT_EQ(f.host.lastEditorValue(70), float(f.storage.library().currentPosition()));
    EXPECT_EQ(f.host.lastEditorValue(79), 0.0f);
    f.storage.LoadPresetAt(0, 1);
    EXPECT_STREQ(f.slot().info.presetName, "De-Box");
}

TEST(DisplayTexts, PresetNameCarriesTheModifiedMark) {
    StorageFixture f(17, true);
    char text[64];
    f.slot().modified = 1;
    f.storage.displayText(75, text);
    EXPECT_STREQ(text, "Neutral*");
    f.slot().modified = 0;
    f.storage.displayText(75, text);
    EXPECT_STREQ(text, "Neutral");
    f.storage.displayText(74, text);
    EXPECT_STREQ(text, "Default");
    f.storage.displayText(77, text);
    EXPECT_STREQ(text, "Marwen");
    f.storage.displayText(78, text);
    EXPECT_STREQ(text, "01");
    f.storage.displayText(80, text);
    EXPECT_STREQ(text, "05/12/2026");
}

}  // namespace
}  // namespace solva
