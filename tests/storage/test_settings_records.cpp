// The settings record set: exact bytes written, and how records are read
// back into a slot.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "params/param_table.h"
#include "storage/init_settings.h"
#include "storage/record_format.h"
#include "storage/settings_records.h"
#include "storage_test_support.h"

namespace solva {
namespace {

SettingsSlot defaultSlot() {
    SettingsSlot init;
    resetInitSettings(init);
    SettingsBlock block;
    ResetSettingsBlock(block, init, 7);
    return block.slot[0];
}

std::string writtenRecords(const SettingsSlot& slot) {
    test::TempDirectory dir;
    std::FILE* f = std::fopen(dir.file("s.prt").c_str(), "wb");
    WriteSettingsRecords(f, slot);
    std::fclose(f);
    return test::readFileBytes(dir.file("s.prt"));
}

SettingsSlot readRecords(const std::string& bytes, SettingsSlot start) {
    test::TempDirectory dir;
    test::writeFileBytes(dir.file("s.prt"), bytes);
    std::FILE* f = std::fopen(dir.file("s.prt").c_str(), "rb");
    ReadSettingsRecords(f, start);
    std::fclose(f);
    return start;
}

TEST(SettingsRecordsWriter, DefaultSettingsFileBeginsAndEndsAsDocumented) {
    const std::string bytes = writtenRecords(defaultSlot());
    const std::string begin =
        "!@RIGH@BANDE1_FREQ#1.000000e-01#\n"
        "!@LEFT@BANDE1_FREQ#1.000000e-01#\n"
        "!@RIGH@BANDE1_QUAL#5.010000e-01#\n"
        "!@LEFT@BANDE1_QUAL#5.010000e-01#\n"
        "!@RIGH@BANDE2_FREQ#2.000000e-01#\n";
    const std::string end =
        "!ACTIF_GENERAL#0.000000e+00#\n"
        "!BANDE1_NAME#Band 1#\n"
        "!BANDE2_NAME#Band 2#\n"
        "!BANDE3_NAME#Band 3#\n"
        "!BANDE4_NAME#Band 4#\n"
        "!BANDE5_NAME#Band 5#\n"
        "!BANDE6_NAME#Band 6#\n"
        "!BANDE7_NAME#Band 7#\n"
        "!AIR_35K_NAME#Band Air#\n";
    EXPECT_EQ(bytes.substr(0, begin.size()), begin);
    ASSERT_GE(bytes.size(), end.size());
    EXPECT_EQ(bytes.substr(bytes.size() - end.size()), end);
}

TEST(SettingsRecordsWriter, SixtyThreeLinesWithoutCarriageReturn) {
    const std::string bytes = writtenRecords(defaultSlot());
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 63);
    EXPECT_EQ(bytes.find('\r'), std::string::npos);
    // 42 per-side records, 13 shared, 8 names, in that order.
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '@'), 84);
    EXPECT_NE(bytes.find("!@LEFT@VOLUME_GENERAL#5.000000e-01#\n!BANDE1_ON#0.000000e+00#\n"), std::string::npos);
}

TEST(SettingsRecordsWriter, SideOneComesBeforeSideZero) {
    SettingsSlot slot = defaultSlot();
    slot.side[0].band[kBand2].gain = 0.25f;
    slot.side[1].band[kBand2].gain = 0.75f;
    const std::string bytes = writtenRecords(slot);
    EXPECT_NE(bytes.find("!@RIGH@BANDE3_GAIN#7.500000e-01#\n!@LEFT@BANDE3_GAIN#2.500000e-01#\n"), std::string::npos);
}

TEST(SettingsRecordsReader, RoundTripRestoresEveryValue) {
    SettingsSlot slot = defaultSlot();
    for (int side = 0; side < 2; ++side)
        for (int index = 0; index <= 20; ++index) *sideValuePtr(slot, side, index) = 0.01f * float(index + 30 * side);
    for (int index = 21; index <= 33; ++index) *switchValuePtr(slot, index) = index % 2 ? 1.0f : 0.0f;
    copyToField(slot.switches[kBandAir].name, 24, "Sparkle");
    const SettingsSlot back = readRecords(writtenRecords(slot), defaultSlot());
    for (int side = 0; side < 2; ++side)
        for (int index = 0; index <= 20; ++index)
            EXPECT_FLOAT_EQ(*sideValuePtr(back, side, index), *sideValuePtr(slot, side, index)) << index;
    for (int index = 21; index <= 33; ++index) EXPECT_EQ(*switchValuePtr(back, index), *switchValuePtr(slot, index));
    EXPECT_STREQ(back.switches[kBandAir].name, "Sparkle");
}

TEST(SettingsRecordsReader, LeftPrefixChangesSideZeroOnlyAndNoPrefixBothSides) {
    const SettingsSlot start = defaultSlot();
    SettingsSlot s = readRecords("!@LEFT@BANDE3_GAIN#7.500000e-01#\n", start);
    EXPECT_FLOAT_EQ(s.side[0].band[kBand2].gain, 0.75f);
    EXPECT_FLOAT_EQ(s.side[1].band[kBand2].gain, 0.5f);
    s = readRecords("!BANDE3_GAIN#7.500000e-01#\n", start);
    EXPECT_FLOAT_EQ(s.side[0].band[kBand2].gain, 0.75f);
    EXPECT_FLOAT_EQ(s.side[1].band[kBand2].gain, 0.75f);
}

TEST(SettingsRecordsReader, PrefixHasNoEffectOnSharedKeys) {
    const SettingsSlot s = readRecords("!@RIGH@BANDE3_ON#1#\n", defaultSlot());
    EXPECT_EQ(s.switches[kBand2].on, 1.0f);
}

TEST(SettingsRecordsReader, UnknownKeyBetweenValidRecordsChangesNothing) {
    const SettingsSlot s = readRecords(
        "!BANDE2_FREQ#2.500000e-01#\n!NOT_A_KEY#9.0#\n!BANDE3_FREQ#3.500000e-01#\n", defaultSlot());
    EXPECT_FLOAT_EQ(s.side[0].band[kBand1].freq, 0.25f);
    EXPECT_FLOAT_EQ(s.side[1].band[kBand2].freq, 0.35f);
    SettingsSlot expected = defaultSlot();
    for (int side = 0; side < 2; ++side) {
        expected.side[side].band[kBand1].freq = 0.25f;
        expected.side[side].band[kBand2].freq = 0.35f;
    }
    EXPECT_EQ(std::memcmp(&s, &expected, sizeof s), 0);
}

TEST(SettingsRecordsReader, LastRecordWithoutTerminatorStillApplies) {
    const SettingsSlot s = readRecords("!BANDE2_ON#0#\n!VOLUME_GENERAL#2.500000e-01", defaultSlot());
    EXPECT_FLOAT_EQ(s.side[0].generalVolume, 0.25f);
    EXPECT_FLOAT_EQ(s.side[1].generalVolume, 0.25f);
}

TEST(SettingsRecordsReader, RecordCutBeforeItsValueChangesNothing) {
    const SettingsSlot s = readRecords("!VOLUME_GENERAL#", defaultSlot());
    EXPECT_FLOAT_EQ(s.side[0].generalVolume, 0.5f);
}

TEST(SettingsRecordsReader, CommaValueReadsAsItsIntegerPart) {
    const SettingsSlot s = readRecords("!BANDE2_GAIN#5,000000e-001#\n", defaultSlot());
    EXPECT_FLOAT_EQ(s.side[0].band[kBand1].gain, 5.0f);
}

TEST(SettingsRecordsReader, NameLongerThanItsFieldGivesTheDefaultName) {
    SettingsSlot start = defaultSlot();
    copyToField(start.switches[kBandHighPass].name, 24, "Rumble");
    SettingsSlot s = readRecords("!BANDE1_NAME#abcdefghijklmnopqrstuvwx#\n", start);
    EXPECT_STREQ(s.switches[kBandHighPass].name, "Band 1");
    s = readRecords("!BANDE1_NAME#abcdefghijklmnopqrstuvw#\n", start);
    EXPECT_STREQ(s.switches[kBandHighPass].name, "abcdefghijklmnopqrstuvw");
}

TEST(SettingsRecordsReader, LaterRecordOverridesEarlierOne) {
    const SettingsSlot s = readRecords("!BANDE2_FREQ#0.1#\n!@LEFT@BANDE2_FREQ#0.9#\n", defaultSlot());
    EXPECT_FLOAT_EQ(s.side[0].band[kBand1].freq, 0.9f);
    EXPECT_FLOAT_EQ(s.side[1].band[kBand1].freq, 0.1f);
}

TEST(SettingsRecordsApply, ReportsWhetherTheKeyIsNumeric) {
    SettingsSlot s = defaultSlot();
    EXPECT_EQ(ApplySettingsRecord(s, "AIR_35K_GAIN", 1, 0.9f), 1);
    EXPECT_FLOAT_EQ(s.side[1].band[kBandAir].gain, 0.9f);
    EXPECT_EQ(ApplySettingsRecord(s, "BANDE1_NAME", 0, 1.0f), 0);
    EXPECT_EQ(ApplySettingsRecord(s, "NOM_PRESET", 0, 1.0f), 0);
}

}  // namespace
}  // namespace solva
