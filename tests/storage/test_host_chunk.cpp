// The host chunk: both byte orders, both versions, validation and the
// fallback to preset 0, and which options a project brings.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "chunk_test_support.h"
#include "storage/chunk_reader.h"
#include "storage/init_settings.h"
#include "storage/record_format.h"
#include "storage_test_support.h"

namespace solva {
namespace {

using test::StorageFixture;

// A project state: slot A with an edited factory preset, slot B current
// with another preset, options saved in the project.
std::vector<uint8_t> projectChunk(StorageFixture& f, bool saveInProject = true) {
    f.storage.LoadPreset(5);
    f.slot().side[0].band[kBand3].gain = 0.8125f;
    f.slot().side[1].band[kBand3].gain = 0.25f;
    copyToField(f.slot().switches[kBand3].name, 24, "Honk");
    f.slot().info.channelMode = 1;
    f.slot().linkMode[1] = 1.0f;
    f.block->slotSelector = 1.0f;
    f.storage.LoadPreset(7);
    f.block->options[kOptSaveInProject] = saveInProject ? 1.0f : 0.0f;
    f.block->options[kOptValueDisplay] = 1.0f;
    f.block->options[kOptHoldClip] = 1.0f;
    f.block->options[kOptShowClip] = 0.0f;
    f.block->options[kOptInputMsCoding] = 0.0f;
    void* data = nullptr;
    EXPECT_EQ(f.storage.getChunk(&data), 1904);
    EXPECT_EQ(data, f.block.get());
    return test::blockBytes(*f.block);
}

TEST(HostChunk, SizeBelowFourChangesNothing) {
    StorageFixture f(17, true);
    const std::vector<uint8_t> before = test::blockBytes(*f.block);
    const float word = 2.1f;
    EXPECT_EQ(f.storage.setChunk(&word, 3), 1);
    EXPECT_EQ(f.storage.setChunk(nullptr, 1904), 1);
    EXPECT_EQ(test::blockBytes(*f.block), before);
}

TEST(HostChunk, RestoresTheWholeStateInAFreshInstance) {
    StorageFixture a(17, true);
    const std::vector<uint8_t> chunk = projectChunk(a);
    StorageFixture b(42, true);
    EXPECT_EQ(b.storage.setChunk(chunk.data(), int32_t(chunk.size())), 0);
    EXPECT_EQ(test::blockBytes(*b.block), chunk);
    EXPECT_EQ(b.host.reapplies.back(), 1);
    EXPECT_EQ(b.host.lastEditorValue(74), 0.0f);
    EXPECT_EQ(b.host.displayUpdates, 1);
}

TEST(HostChunk, OwnBlockHandedBackRestoresItself) {
    StorageFixture f(17, true);
    const std::vector<uint8_t> chunk = projectChunk(f);
    void* data = nullptr;
    const int size = f.storage.getChunk(&data);
    EXPECT_EQ(f.storage.setChunk(data, size), 0);
    EXPECT_EQ(test::blockBytes(*f.block), chunk);
}

TEST(HostChunk, BigEndianBlockRestoresTheSameState) {
    StorageFixture a(17, true);
    const std::vector<uint8_t> chunk = projectChunk(a);
    const std::vector<uint8_t> swapped = test::bigEndianBytes(*a.block);
    ASSERT_NE(swapped, chunk);
    StorageFixture b(42, true);
    EXPECT_EQ(b.storage.setChunk(swapped.data(), int32_t(swapped.size())), 0);
    EXPECT_EQ(test::blockBytes(*b.block), chunk);

    SettingsBlock target = *b.block;
    const ChunkReading reading = readHostChunk(swapped.data(), swapped.size(), target, *b.block);
    EXPECT_TRUE(reading.byteSwapped);
    EXPECT_EQ(reading.result, 1);
}

TEST(HostChunk, ChannelModeOfTheSelectedSlotReachesEditorAndEngine) {
    StorageFixture a(17, true);
    a.block->slot[0].info.channelMode = 2;
    a.block->slot[1].info.channelMode = 0;
    a.block->slotSelector = 0.0f;
    const std::vector<uint8_t> chunk = test::blockBytes(*a.block);
    StorageFixture b(42, true);
    b.storage.setChunk(chunk.data(), int32_t(chunk.size()));
    EXPECT_EQ(b.host.channelMode, 2);
    EXPECT_EQ(b.host.midSideFlag, 1);
}

SettingsBlock resetBlock() {
    SettingsSlot init;
    resetInitSettings(init);
    SettingsBlock block;
    ResetSettingsBlock(block, init, 1);
    return block;
}

TEST(ChunkValidation, ElevenCorrectionsAreClampedTwelveAreRefused) {
    const SettingsBlock reset = resetBlock();
    std::vector<uint8_t> bytes = test::blockBytes(reset);
    for (int k = 0; k < 11; ++k) test::putFloat(bytes, 1 + k, 2.0f);
    SettingsBlock target = reset;
    ChunkReading reading = readHostChunk(bytes.data(), bytes.size(), target, reset);
    EXPECT_EQ(reading.result, -10);
    EXPECT_FALSE(reading.byteSwapped);
    EXPECT_EQ(target.slot[0].side[0].band[0].freq, 1.0f);

    test::putFloat(bytes, 12, -3.0f);
    target = reset;
    reading = readHostChunk(bytes.data(), bytes.size(), target, reset);
    EXPECT_LT(reading.result, kChunkRefused);
    EXPECT_TRUE(reading.byteSwapped);
}

TEST(ChunkValidation, NanTextsAndIntegersAreCorrected) {
    const SettingsBlock reset = resetBlock();
    SettingsBlock source = reset;
    source.slot[0].side[1].generalVolume = std::nanf("");
    copyToField(source.slot[0].info.presetName, 32, "bad#name");
    std::memset(source.slot[1].info.bankName, 'x', 32);  // no terminator
    source.slot[0].info.bandCount = 9;
    source.slot[1].info.channelMode = -4;
    source.slot[0].info.number = 20000;  // clamped without counting
    source.slot[0].modified = 7;
    SettingsBlock target = reset;
    const ChunkReading reading = readHostChunk(&source, sizeof source, target, reset);
    EXPECT_EQ(reading.result, 1 - 6);
    EXPECT_EQ(target.slot[0].side[1].generalVolume, 0.0f);
    EXPECT_STREQ(target.slot[0].info.presetName, "error");
    EXPECT_STREQ(target.slot[1].info.bankName, "error");
    EXPECT_EQ(target.slot[0].info.bandCount, 8);
    EXPECT_EQ(target.slot[1].info.channelMode, 0);
    EXPECT_EQ(target.slot[0].info.number, 10000);
    EXPECT_EQ(target.slot[0].modified, 1);
}

TEST(HostChunk, UnknownVersionFallsBackToPresetZeroInBothSlots) {
    StorageFixture f(17, true);
    f.block->options[kOptValueDisplay] = 1.0f;  // the user's current option
    std::vector<uint8_t> bytes = test::blockBytes(resetBlock());
    test::putFloat(bytes, 0, 3.0f);
    test::putFloat(bytes, 444 + kOptSaveInProject, 1.0f);
    EXPECT_EQ(f.storage.setChunk(bytes.data(), int32_t(bytes.size())), 0);
    EXPECT_EQ(f.block->slotSelector, 1.0f);
    EXPECT_STREQ(f.block->slot[0].info.presetName, "Neutral");
    EXPECT_STREQ(f.block->slot[1].info.presetName, "Neutral");
    EXPECT_EQ(f.block->slot[1].generalOn, 1.0f);
    EXPECT_EQ(f.block->options[kOptValueDisplay], 1.0f);
    EXPECT_EQ(f.block->options[kOptSaveInProject], 0.0f);
}

TEST(HostChunk, OptionsComeFromTheProjectOnlyWhenSavedInIt) {
    StorageFixture a(17, true);
    const std::vector<uint8_t> withOptions = projectChunk(a, true);
    StorageFixture b(42, true);
    b.storage.setChunk(withOptions.data(), int32_t(withOptions.size()));
    EXPECT_EQ(b.block->options[kOptValueDisplay], 1.0f);
    EXPECT_EQ(b.block->options[kOptHoldClip], 1.0f);
    EXPECT_EQ(b.block->options[kOptShowClip], 0.0f);
    EXPECT_EQ(b.block->options[kOptInputMsCoding], 0.0f);
    EXPECT_EQ(b.block->options[kOptSaveInProject], 1.0f);

    StorageFixture c(17, true);
    const std::vector<uint8_t> without = projectChunk(c, false);
    StorageFixture d(43, true);
    d.block->options[kOptFreqSnap] = 2.0f;  // user's current options
    d.storage.setChunk(without.data(), int32_t(without.size()));
    EXPECT_EQ(d.block->options[kOptValueDisplay], 0.0f);
    EXPECT_EQ(d.block->options[kOptFreqSnap], 2.0f);
    EXPECT_EQ(d.block->options[kOptShowClip], 1.0f);
    EXPECT_EQ(d.block->options[kOptHoldClip], 0.0f);
}

TEST(HostChunk, Version20BlockGetsTheClipAndMidSideDefaults) {
    StorageFixture a(17, true);
    std::vector<uint8_t> bytes = projectChunk(a, true);
    test::putFloat(bytes, 0, 2.0f);
    StorageFixture b(42, true);
    b.storage.setChunk(bytes.data(), int32_t(bytes.size()));
    EXPECT_EQ(b.block->options[kOptShowClip], 1.0f);
    EXPECT_EQ(b.block->options[kOptHoldClip], 0.0f);
    EXPECT_EQ(b.block->options[kOptInputMsCoding], 1.0f);
    EXPECT_EQ(b.block->options[kOptOutputMsDecoding], 1.0f);
    EXPECT_EQ(b.block->options[kOptValueDisplay], 1.0f);
}

TEST(HostChunk, Version1BlockTakesSelectorAndOptionsFromWord181) {
    const SettingsBlock reset = resetBlock();
    std::vector<uint8_t> bytes(193 * 4, 0);
    test::putFloat(bytes, 0, 1.0f);
    test::putFloat(bytes, 1 + 6, 0.75f);        // slot A side 0 band 2 freq
    test::putFloat(bytes, 91 + 25 + 3, 0.25f);  // slot B side 1 band 1 freq
    test::putFloat(bytes, 91 + 51, 1.0f);       // slot B high-pass on
    test::putFloat(bytes, 181, 1.0f);
    test::putFloat(bytes, 182 + kOptNameDisplay, 1.0f);
    SettingsBlock target = reset;
    const ChunkReading reading = readHostChunk(bytes.data(), bytes.size(), target, reset);
    EXPECT_EQ(reading.result, 1);
    EXPECT_EQ(target.slot[0].side[0].band[kBand2].freq, 0.75f);
    EXPECT_EQ(target.slot[1].side[1].band[kBand1].freq, 0.25f);
    EXPECT_EQ(target.slot[1].switches[kBandHighPass].on, 1.0f);
    EXPECT_EQ(target.slotSelector, 1.0f);
    EXPECT_EQ(target.options[kOptNameDisplay], 1.0f);
    EXPECT_STREQ(target.slot[0].info.presetName, "default");
}

TEST(HostChunk, ShortBlockKeepsTheResetValuesBeyondItsEnd) {
    const SettingsBlock reset = resetBlock();
    SettingsBlock source = reset;
    source.slot[0].side[0].band[kBandHighPass].freq = 0.33f;
    source.slot[1].side[0].band[kBandHighPass].freq = 0.66f;
    SettingsBlock target = reset;
    const ChunkReading reading = readHostChunk(&source, 100 * 4, target, reset);
    EXPECT_EQ(reading.result, 1);
    EXPECT_EQ(target.slot[0].side[0].band[kBandHighPass].freq, 0.33f);
    EXPECT_EQ(target.slot[1].side[0].band[kBandHighPass].freq, reset.slot[1].side[0].band[kBandHighPass].freq);
}

TEST(HostChunk, EarlierVersion2LayoutSkipsTheReservedSideWords) {
    const SettingsBlock reset = resetBlock();
    SettingsBlock source = reset;
    source.options[kOptReserved] = 0.0f;
    source.slot[0].side[0].reserved[3] = 0.5f;
    source.slot[0].side[0].generalVolume = 0.125f;
    SettingsBlock target = reset;
    readHostChunk(&source, sizeof source, target, reset);
    EXPECT_EQ(target.slot[0].side[0].reserved[3], 0.0f);
    EXPECT_EQ(target.slot[0].side[0].generalVolume, 0.125f);
    EXPECT_EQ(target.options[kOptReserved], 1.0f);
}

TEST(HostChunk, GetChunkResetsTheSideLinksOfSlotsWithoutSeparateSides) {
    StorageFixture f(17, true);
    for (SettingsSlot& s : f.block->slot)
        for (float& link : s.linkMode) link = 1.0f;
    f.block->slot[1].info.channelMode = 1;
    void* data = nullptr;
    f.storage.getChunk(&data);
    EXPECT_EQ(f.block->slot[0].linkMode[0], 1.0f);
    EXPECT_EQ(f.block->slot[0].linkMode[1], 0.0f);
    EXPECT_EQ(f.block->slot[0].linkMode[2], 0.0f);
    EXPECT_EQ(f.block->slot[0].linkMode[3], 1.0f);
    EXPECT_EQ(f.block->slot[1].linkMode[1], 1.0f);
}

TEST(HostChunk, RandomBlocksNeverCrashAndAlwaysLeaveValidValues) {
    std::mt19937 random(1234);
    const SettingsBlock reset = resetBlock();
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> bytes(random() % 2100);
        for (uint8_t& b : bytes) b = uint8_t(random());
        if (bytes.size() >= 4 && round % 2) test::putFloat(bytes, 0, round % 4 ? 2.1f : 1.0f);
        SettingsBlock target = reset;
        const ChunkReading reading = readHostChunk(bytes.data(), bytes.size(), target, reset);
        if (reading.result < kChunkRefused) continue;
        for (const SettingsSlot& s : target.slot) {
            EXPECT_GE(s.side[0].generalVolume, 0.0f);
            EXPECT_LE(s.side[0].generalVolume, 1.0f);
            EXPECT_TRUE(IsValidNameOrEmpty(s.info.presetName, 32));
            EXPECT_LE(s.info.channelMode, 2);
        }
    }
}

}  // namespace
}  // namespace solva
