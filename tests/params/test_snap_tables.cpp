// Snapping of normalised values through the laws and the snap tables.
#include <gtest/gtest.h>

#include "params/note_table.h"
#include "params/param_table.h"
#include "params/snap_tables.h"
#include "params/value_law.h"
#include "params_test_support.h"

namespace solva {
namespace {

class Snap : public ::testing::Test {
protected:
    SettingsBlock block = test::makeDefaultBlock();
    const SettingsSlot& slot() { return currentSlot(block); }

    void modes(float freq, float q, float gain) {
        block.options[kOptFreqSnap] = freq;
        block.options[kOptQSnap] = q;
        block.options[kOptGainSnap] = gain;
    }
    // Snaps a physical value of `index` and returns the snapped physical value.
    float snapHz(int index, float physical) {
        const ValueLaw& law = lawForIndex(index, slot());
        return lawToPhysical(snapNormalised(index, lawToNormalised(physical, law), block, slot()), law);
    }
};

TEST_F(Snap, ModeZeroLeavesEveryValueUnchanged) {
    modes(0, 0, 0);
    for (int i = 0; i <= 20; ++i)
        for (float v : {0.0f, 0.123f, 0.5f, 0.777f, 1.0f}) EXPECT_EQ(snapNormalised(i, v, block, slot()), v);
}

TEST_F(Snap, UnusableModesAndOtherIndicesLeaveTheValue) {
    modes(7, 3, 3);  // no such tables
    for (int i = 0; i <= 20; ++i) EXPECT_EQ(snapNormalised(i, 0.123f, block, slot()), 0.123f) << i;
    modes(1, 1, 1);
    EXPECT_EQ(snapNormalised(21, 0.3f, block, slot()), 0.3f);
    EXPECT_EQ(snapNormalised(43, 0.3f, block, slot()), 0.3f);
}

TEST_F(Snap, CoarseFrequencyRoundsDownToBreakpointsWithTolerance) {
    modes(1, 0, 0);
    EXPECT_FLOAT_EQ(snapHz(8, 141.0f), 140.0f);
    EXPECT_FLOAT_EQ(snapHz(8, 139.995f), 140.0f);
    EXPECT_FLOAT_EQ(snapHz(8, 139.9f), 100.0f);
    EXPECT_FLOAT_EQ(snapHz(0, 9999.0f), 8500.0f);  // high-pass law and table
    EXPECT_EQ(snapNormalised(8, 0.5f, block, slot()), 0.5f);
}

TEST_F(Snap, FineFrequencyTables) {
    modes(2, 0, 0);
    EXPECT_FLOAT_EQ(snapHz(5, 1299.0f), 1150.0f);
    EXPECT_FLOAT_EQ(snapHz(17, 16000.0f), 15000.0f);
    EXPECT_FLOAT_EQ(snapHz(0, 9999.0f), 8500.0f);
    EXPECT_EQ(frequencySnapTable(2, false).count, 41);
    EXPECT_EQ(frequencySnapTable(2, true).count, 36);
    EXPECT_EQ(frequencySnapTable(2, true).table[35], 10000.0f);
    EXPECT_EQ(frequencySnapTable(1, false).count, 23);
    EXPECT_EQ(frequencySnapTable(1, true).count, 19);
    EXPECT_EQ(frequencySnapTable(1, true).table[18], 10000.0f);
}

TEST_F(Snap, NotesSnapDownToTheNoteTable) {
    modes(3, 0, 0);
    EXPECT_NEAR(snapHz(8, 445.0f), 440.0f, 1e-3f);
    EXPECT_NEAR(snapHz(8, 1000.0f), 987.76f, 1e-2f);
    // 19 Hz snaps to 18.35 Hz, which the law then holds at its 20 Hz floor.
    EXPECT_EQ(snapPhysical(19.0f, kNumNotes, noteTable()), 18.35f);
    EXPECT_EQ(snapNormalised(8, lawToNormalised(19.0f, kFrequencyLaw), block, slot()), 0.0f);
    EXPECT_EQ(frequencySnapTable(3, true).table, noteTable());
}

TEST_F(Snap, QualityTablesFollowTheBandType) {
    modes(0, 1, 0);
    EXPECT_FLOAT_EQ(snapHz(6, 0.9f), 0.5f);    // bell coarse
    EXPECT_FLOAT_EQ(snapHz(1, 1.9f), 0.7f);    // filter coarse
    EXPECT_FLOAT_EQ(snapHz(18, 2.5f), 2.0f);
    EXPECT_FLOAT_EQ(snapHz(3, 0.9f), 0.5f);    // band 1 as bell
    block.slot[0].switches[kBand1].type = 1.0f;
    EXPECT_FLOAT_EQ(snapHz(3, 0.9f), 0.7f);    // band 1 as low shelf
    EXPECT_FLOAT_EQ(snapHz(15, 0.9f), 0.5f);   // band 5 still bell
    block.slot[0].switches[kBand5].type = 1.0f;
    EXPECT_FLOAT_EQ(snapHz(15, 1.3f), 1.0f);

    modes(0, 2, 0);
    EXPECT_FLOAT_EQ(snapHz(15, 1.3f), 1.2f);   // shelf fine
    EXPECT_FLOAT_EQ(snapHz(9, 0.68f), 0.5f);   // bell fine
    EXPECT_FLOAT_EQ(snapHz(9, 0.69f), 0.7f);   // within the tolerance
    EXPECT_FLOAT_EQ(snapHz(1, 0.45f), 0.4f);   // filter fine
    EXPECT_EQ(qualitySnapTable(2, QualityFamily::Filter).count, 15);
    EXPECT_EQ(qualitySnapTable(2, QualityFamily::Bell).count, 13);
    EXPECT_EQ(qualitySnapTable(2, QualityFamily::Shelf).count, 13);
    EXPECT_EQ(qualitySnapTable(1, QualityFamily::Filter).count, 7);
}

TEST_F(Snap, GainTablesApplyToBandGainsAirAndVolume) {
    modes(0, 0, 1);
    EXPECT_NEAR(snapHz(4, 7.5f), 6.0f, 1e-5f);
    EXPECT_NEAR(snapHz(19, 11.0f), 9.0f, 1e-5f);
    EXPECT_NEAR(snapHz(20, -4.5f), -5.0f, 1e-5f);
    EXPECT_EQ(snapNormalised(4, 0.5f, block, slot()), 0.5f);
    modes(0, 0, 2);
    EXPECT_NEAR(snapHz(7, 2.8f), 2.5f, 1e-5f);
    EXPECT_NEAR(snapHz(16, 7.9f), 7.0f, 1e-5f);
    EXPECT_NEAR(snapHz(19, -5.7f), -6.0f, 1e-5f);

    const SnapTable fine = gainSnapTable(2);
    ASSERT_EQ(fine.count, 43);
    EXPECT_EQ(fine.table[0], -15.0f);
    EXPECT_EQ(fine.table[9], -6.0f);
    EXPECT_EQ(fine.table[10], -5.5f);
    EXPECT_EQ(fine.table[33], 6.0f);
    EXPECT_EQ(fine.table[34], 7.0f);
    EXPECT_EQ(fine.table[42], 15.0f);
    for (int i = 1; i < fine.count; ++i) EXPECT_GT(fine.table[i], fine.table[i - 1]);
    EXPECT_EQ(gainSnapTable(1).count, 19);
}

TEST_F(Snap, EveryTableIsAscending) {
    std::vector<SnapTable> tables = {frequencySnapTable(1, false), frequencySnapTable(2, false),
                                     gainSnapTable(1), gainSnapTable(2)};
    for (auto f : {QualityFamily::Filter, QualityFamily::Bell, QualityFamily::Shelf})
        for (int m : {1, 2}) tables.push_back(qualitySnapTable(m, f));
    for (const SnapTable& t : tables)
        for (int i = 1; i < t.count; ++i) EXPECT_GT(t.table[i], t.table[i - 1]);
}

TEST_F(Snap, ReadsTheModesOfTheBlockAndTheTypeOfTheGivenSlot) {
    modes(1, 1, 1);
    SettingsSlot other = block.slot[1];
    other.switches[kBand1].type = 1.0f;
    const float norm = lawToNormalised(0.9f, kShelfQLaw);
    EXPECT_FLOAT_EQ(lawToPhysical(snapNormalised(3, norm, block, other), kShelfQLaw), 0.7f);
}

}  // namespace
}  // namespace solva

namespace solva {
namespace {

// A value that was snapped once stays where it is when it is stored again,
// although the law's round trip moves it by a few units in the last place.
TEST_F(Snap, SnappedValuesAreStableUnderASecondSnap) {
    for (int mode = 1; mode <= 3; ++mode) {
        modes(static_cast<float>(mode), static_cast<float>(mode), static_cast<float>(mode));
        for (float type : {0.0f, 1.0f}) {
            block.slot[0].switches[kBand1].type = type;
            block.slot[0].switches[kBand5].type = type;
            for (int i = 0; i <= 20; ++i) {
                for (int k = 0; k <= 200; ++k) {
                    const float once = snapNormalised(i, k / 200.0f, block, slot());
                    EXPECT_EQ(snapNormalised(i, once, block, slot()), once)
                        << "mode " << mode << " index " << i << " at " << k / 200.0f;
                }
            }
        }
    }
}

}  // namespace
}  // namespace solva
