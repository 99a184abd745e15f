// The effect object with real storage: construction, the host chunk
// through the effect, and library changes seen by another instance.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "chunk_test_support.h"
#include "plugin/borvan.h"
#include "storage_test_support.h"

namespace solva {
namespace {

// A temporary install directory for every effect created in its scope.
struct InstallScope {
    InstallScope() { setenv("SOLVA_INSTALL_DIR", dir.path().c_str(), 1); }
    ~InstallScope() { unsetenv("SOLVA_INSTALL_DIR"); }
    test::TempDirectory dir;
};

std::vector<uint8_t> chunkOf(CBorvan& effect) {
    void* data = nullptr;
    const int size = effect.getChunk(&data, false);
    EXPECT_EQ(size, 1904);
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

// Every value the editor and the host can read, on both slots.
std::vector<float> visibleState(CBorvan& effect) {
    std::vector<float> values;
    const float selector = effect.getParameter(49);
    for (int slotIndex : {106, 107}) {
        effect.setParameter(slotIndex, 1.0f);
        for (int index = 0; index <= 67; ++index) values.push_back(effect.getParameter(index));
    }
    effect.setParameter(49, selector);
    return values;
}

void editProject(CBorvan& effect) {
    effect.LoadPresetAt(1, 1);
    for (int index : {2, 4, 7, 14, 19, 20}) effect.setParameter(index, 0.3f + 0.01f * float(index));
    effect.setParameter(23, 1.0f);
    effect.setBandName(36, "Lows");
    effect.setParameter(51, 1.0f);  // value display option
    effect.setParameter(54, 1.0f);  // options saved in the project
    effect.setParameter(107, 1.0f);  // slot B
    effect.LoadPresetAt(2, 0);
    effect.setParameter(8, 0.61f);
}

TEST(EffectStorage, ConstructionInstallsTheFactoryLibraryAndNamesTheSlots) {
    InstallScope scope;
    CBorvan effect(nullptr);
    EXPECT_TRUE(test::fileExists(scope.dir.file("preset0000.prt")));
    EXPECT_TRUE(test::fileExists(scope.dir.file("preset0017.inf")));
    char expected[32];
    std::snprintf(expected, sizeof expected, "Solva%.2dA", int(effect.effectInstanceId()));
    char name[32];
    effect.getProgramName(name);
    EXPECT_STREQ(name, expected);
    EXPECT_GE(effect.getGroupCount(), 3);
    EXPECT_STREQ(effect.getDisplayText(75), "Neutral*");
    EXPECT_EQ(effect.settings().slot[0].modified, 1);
}

TEST(EffectStorage, ChunkRestoresTheSameStateInAFreshEffect) {
    InstallScope scope;
    CBorvan source(nullptr);
    editProject(source);
    const std::vector<uint8_t> chunk = chunkOf(source);
    const std::vector<float> expected = visibleState(source);

    CBorvan target(nullptr);
    EXPECT_EQ(target.setChunk(const_cast<uint8_t*>(chunk.data()), int(chunk.size()), false), 0);
    EXPECT_EQ(chunkOf(target), chunk);
    EXPECT_EQ(visibleState(target), expected);
    char a[32], b[32];
    source.getProgramName(a);
    target.getProgramName(b);
    EXPECT_STREQ(a, b);
    EXPECT_STREQ(source.getDisplayText(75), std::string(target.getDisplayText(75)).c_str());
    target.setParameter(106, 1.0f);  // slot A
    EXPECT_STREQ(target.getDisplayText(36), "Lows");
}

TEST(EffectStorage, ByteSwappedChunkRestoresTheSameState) {
    InstallScope scope;
    CBorvan source(nullptr);
    editProject(source);
    const std::vector<uint8_t> chunk = chunkOf(source);
    const std::vector<float> expected = visibleState(source);
    std::vector<uint8_t> swapped = test::bigEndianBytes(source.settings());

    CBorvan target(nullptr);
    EXPECT_EQ(target.setChunk(swapped.data(), int(swapped.size()), false), 0);
    EXPECT_EQ(chunkOf(target), chunk);
    EXPECT_EQ(visibleState(target), expected);
}

TEST(EffectStorage, ChunkTooShortIsRefused) {
    InstallScope scope;
    CBorvan effect(nullptr);
    const std::vector<uint8_t> before = chunkOf(effect);
    uint8_t three[3] = {1, 2, 3};
    EXPECT_EQ(effect.setChunk(three, 3, false), 1);
    EXPECT_EQ(chunkOf(effect), before);
}

TEST(EffectStorage, AnotherInstanceReloadsAfterASave) {
    InstallScope scope;
    CBorvan first(nullptr);
    CBorvan second(nullptr);
    first.NewPreset(false);
    for (int tick = 0; tick < 8; ++tick) second.tick();
    second.SetSortMode(4);
    bool found = false;
    for (int position = 0; position < second.getGroupSize(0); ++position) {
        char label[64], name[64];
        second.getEntryTexts(0, position, label, name);
        found = found || std::strcmp(name, "Preset0001") == 0;
    }
    EXPECT_TRUE(found);
}

TEST(EffectStorage, PresetLoadReachesTheParameters) {
    InstallScope scope;
    CBorvan effect(nullptr);
    effect.SetSortMode(4);  // one flat list, sorted by name
    effect.LoadPresetAt(0, 0);  // "Air Lift": Air on at +3 dB
    EXPECT_STREQ(effect.getDisplayText(75), "Air Lift");
    EXPECT_EQ(effect.getParameter(32), 1.0f);
    EXPECT_STREQ(effect.getDisplayText(19), "3.0");
    EXPECT_TRUE(effect.isCurrentSlotFactory());
}

}  // namespace
}  // namespace solva
