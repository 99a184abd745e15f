// The in-memory library: scanning, numbering, sorting and grouping.
#include <gtest/gtest.h>

#include <string>

#include "storage/preset_library.h"
#include "storage/preset_store.h"
#include "storage_test_support.h"

namespace solva {
namespace {

struct LibraryFixture {
    PresetLibrary library;
    test::TempDirectory dir;
    void scan() { library.ScanLibrary(PresetStore(dir.path(), 1)); }
    std::string label(int group) {
        char text[32];
        library.getGroupLabel(group, text);
        return text;
    }
    std::string nameAt(int group, int position) {
        const PresetInfo* e = library.entryAt(group, position);
        return e ? e->presetName : "?";
    }
};

TEST(LibraryNumbering, EmptyLibraryAndFactoryOnlyGive501) {
    LibraryFixture f;
    f.scan();
    EXPECT_EQ(f.library.presetCount(), 0);
    EXPECT_EQ(f.library.groupCount(), -1);
    EXPECT_EQ(f.library.NextFreePresetNumber(), 501);
    test::writeUserPreset(f.dir.path(), 0, "F0", "Factory", "a", "p", 0, 1);
    test::writeUserPreset(f.dir.path(), 1, "F1", "Factory", "a", "p", 0, 1);
    f.scan();
    EXPECT_EQ(f.library.presetCount(), 2);
    EXPECT_EQ(f.library.NextFreePresetNumber(), 501);
}

TEST(LibraryNumbering, GapIsFilledFromItsTop) {
    LibraryFixture f;
    for (int n : {501, 502, 505}) test::writeUserPreset(f.dir.path(), n, "P", "B");
    for (int n : {503, 504}) test::writeFileBytes(f.dir.file("preset0" + std::to_string(n) + ".inf"), "!removed#");
    f.scan();
    EXPECT_EQ(f.library.presetCount(), 3);
    EXPECT_EQ(f.library.NextFreePresetNumber(), 504);
}

TEST(LibraryNumbering, ContiguousUserPresetsGiveTheNextNumber) {
    LibraryFixture f;
    test::writeUserPreset(f.dir.path(), 0, "F0", "Factory", "a", "p", 0, 1);
    for (int n : {501, 502, 503}) test::writeUserPreset(f.dir.path(), n, "P", "B");
    f.scan();
    EXPECT_EQ(f.library.NextFreePresetNumber(), 504);
}

TEST(LibraryScan, MissingFactoryNumberJumpsTo501AndMissingUserNumberEnds) {
    LibraryFixture f;
    test::writeUserPreset(f.dir.path(), 0, "F0", "Factory", "a", "p", 0, 1);
    test::writeUserPreset(f.dir.path(), 3, "Unreached", "Factory", "a", "p", 0, 1);  // after the hole at 1
    test::writeUserPreset(f.dir.path(), 501, "U1", "Mine");
    test::writeUserPreset(f.dir.path(), 503, "Unreached", "Mine");  // after the hole at 502
    f.scan();
    EXPECT_EQ(f.library.presetCount(), 2);
    EXPECT_EQ(f.library.byNumber().count(0), 1u);
    EXPECT_EQ(f.library.byNumber().count(501), 1u);
}

TEST(LibraryScan, RemovedAndDamagedFilesAreSkippedNotLost) {
    LibraryFixture f;
    test::writeUserPreset(f.dir.path(), 501, "U1", "Mine");
    test::writeFileBytes(f.dir.file("preset0502.inf"), "!removed#");
    test::writeFileBytes(f.dir.file("preset0503.inf"), std::string("\x00\x01garbage", 9));
    test::writeUserPreset(f.dir.path(), 504, "U4", "Mine");
    f.scan();
    EXPECT_EQ(f.library.presetCount(), 2);
    EXPECT_FALSE(test::fileExists(f.dir.file("preset0503.inf")));
    EXPECT_EQ(f.library.NextFreePresetNumber(), 503);
    // The discarded file leaves a hole that ends the next scan; the user's
    // files beyond it stay on disk untouched until the hole is filled.
    f.scan();
    EXPECT_EQ(f.library.presetCount(), 1);
    EXPECT_TRUE(test::fileExists(f.dir.file("preset0504.inf")));
    EXPECT_TRUE(test::fileExists(f.dir.file("preset0504.prt")));
}

TEST(LibrarySorting, ByBankGroupsSortedByBankThenName) {
    LibraryFixture f;
    test::writeUserPreset(f.dir.path(), 501, "Zed", "Mix");
    test::writeUserPreset(f.dir.path(), 502, "Alpha", "Vocals");
    test::writeUserPreset(f.dir.path(), 503, "Beta", "Mix");
    test::writeUserPreset(f.dir.path(), 504, "beta", "Mix");  // lower case sorts after upper case
    f.scan();
    ASSERT_EQ(f.library.groupCount(), 2);
    EXPECT_EQ(f.label(0), "Mix");
    EXPECT_EQ(f.label(1), "Vocals");
    EXPECT_EQ(f.library.getGroupSize(0), 3);
    EXPECT_EQ(f.nameAt(0, 0), "Beta");
    EXPECT_EQ(f.nameAt(0, 1), "Zed");
    EXPECT_EQ(f.nameAt(0, 2), "beta");
    EXPECT_EQ(f.library.PresetNumberAt(1, 0), 502);
    EXPECT_EQ(f.library.BankNameExists("Vocals"), 1);
    EXPECT_EQ(f.library.BankNameExists("vocals"), 0);
}

TEST(LibrarySorting, BandCountGroupsCompareAsNumbers) {
    LibraryFixture f;
    test::writeUserPreset(f.dir.path(), 501, "Twelve", "B", "a", "p", 12);
    test::writeUserPreset(f.dir.path(), 502, "Three", "B", "a", "p", 3);
    test::writeUserPreset(f.dir.path(), 503, "Three too", "B", "a", "p", 3);
    f.scan();
    f.library.setSortMode(kSortByBandCount);
    f.library.RebuildView();
    ASSERT_EQ(f.library.groupCount(), 2);
    EXPECT_EQ(f.label(0), "03");
    EXPECT_EQ(f.label(1), "12");
    EXPECT_EQ(f.library.getGroupSize(0), 2);
}

TEST(LibrarySorting, ByAuthorAndProject) {
    LibraryFixture f;
    test::writeUserPreset(f.dir.path(), 501, "A", "B", "zoe", "film");
    test::writeUserPreset(f.dir.path(), 502, "B", "B", "ann", "song");
    f.scan();
    f.library.setSortMode(kSortByAuthor);
    f.library.RebuildView();
    EXPECT_EQ(f.label(0), "ann");
    f.library.setSortMode(kSortByProject);
    f.library.RebuildView();
    EXPECT_EQ(f.label(0), "film");
    EXPECT_EQ(f.label(1), "song");
}

TEST(LibrarySorting, FlatModeHasNoGroupsAndOneAllList) {
    LibraryFixture f;
    test::writeUserPreset(f.dir.path(), 501, "C", "X");
    test::writeUserPreset(f.dir.path(), 502, "A", "Y");
    test::writeUserPreset(f.dir.path(), 503, "B", "X");
    f.scan();
    f.library.setSortMode(kSortFlat);
    f.library.RebuildView();
    EXPECT_EQ(f.library.groupCount(), 0);
    EXPECT_EQ(f.label(0), "All");
    EXPECT_EQ(f.library.getGroupSize(0), 3);
    EXPECT_EQ(f.nameAt(0, 0), "A");
    EXPECT_EQ(f.nameAt(0, 2), "C");
    f.library.SelectPresetByNumber(501);
    EXPECT_EQ(f.library.currentGroup(), 0);
    EXPECT_EQ(f.library.currentPosition(), 2);
}

TEST(LibrarySorting, InvalidSortModeIsIgnored) {
    PresetLibrary library;
    library.setSortMode(7);
    EXPECT_EQ(library.sortMode(), kSortByBank);
    library.setSortMode(-1);
    EXPECT_EQ(library.sortMode(), kSortByBank);
}

TEST(LibrarySelection, FindsTheGroupAndPositionOrFallsBackToTheStart) {
    LibraryFixture f;
    test::writeUserPreset(f.dir.path(), 501, "A", "One");
    test::writeUserPreset(f.dir.path(), 502, "B", "Two");
    test::writeUserPreset(f.dir.path(), 503, "C", "Two");
    f.scan();
    f.library.SelectPresetByNumber(503);
    EXPECT_EQ(f.library.currentGroup(), 1);
    EXPECT_EQ(f.library.currentPosition(), 1);
    f.library.SelectPresetByNumber(999);
    EXPECT_EQ(f.library.currentGroup(), 0);
    EXPECT_EQ(f.library.currentPosition(), 0);
}

TEST(LibraryQueries, NegativeAndOutOfRangeIndicesGivePlaceholders) {
    LibraryFixture f;
    char text[32];
    f.library.getGroupLabel(0, text);
    EXPECT_STREQ(text, "-");
    EXPECT_EQ(f.library.PresetNumberAt(0, 0), -1);
    test::writeUserPreset(f.dir.path(), 501, "A", "One");
    f.scan();
    EXPECT_EQ(f.library.PresetNumberAt(-1, 0), -1);
    EXPECT_EQ(f.library.PresetNumberAt(0, -1), -1);
    EXPECT_EQ(f.library.PresetNumberAt(0, 1), -1);
    EXPECT_EQ(f.library.PresetNumberAt(5, 0), -1);
    EXPECT_EQ(f.library.getGroupSize(5), 0);
}

TEST(LibraryFactoryFilter, HiddenFactoryPresetsLeaveTheView) {
    LibraryFixture f;
    test::writeUserPreset(f.dir.path(), 0, "F0", "Factory", "a", "p", 0, 1);
    test::writeUserPreset(f.dir.path(), 501, "U", "Mine");
    f.scan();
    EXPECT_EQ(f.library.view().size(), 2u);
    f.library.setFactoryShown(false);
    f.library.rebuildViewFromMap();
    EXPECT_EQ(f.library.view().size(), 1u);
    EXPECT_EQ(f.library.groupCount(), 1);
    EXPECT_EQ(f.library.presetCount(), 2);
}

}  // namespace
}  // namespace solva
