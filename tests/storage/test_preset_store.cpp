// Preset files on disk: the information file, removal, copying, and the
// change notice between instances (in one process and across processes).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "storage/preset_store.h"
#include "storage/record_format.h"
#include "storage_test_support.h"

namespace solva {
namespace {

PresetInfo sampleInfo() {
    PresetInfo info = defaultPresetInfo(501);
    copyToField(info.presetName, 32, "Preset0001");
    copyToField(info.bankName, 32, "Bank01");
    copyToField(info.author, 32, "default");
    copyToField(info.project, 32, "default");
    copyToField(info.creationDate, 16, "04/12/2026");
    copyToField(info.modificationDate, 16, "04/12/2026");
    info.bandCount = 3;
    return info;
}

TEST(InformationFile, WritesTheTenRecordsInOrder) {
    test::TempDirectory dir;
    PresetStore store(dir.path(), 17);
    PresetInfo info = sampleInfo();
    ASSERT_EQ(store.WritePresetInfo(info), 0);
    char today[16];
    todayText(today);
    EXPECT_STREQ(info.modificationDate, today);
    const std::string expected = std::string(
                                     "!NOM_PRESET#Preset0001#\n"
                                     "!NOM_BANQUE#Bank01#\n"
                                     "!NOM_AUTEUR#default#\n"
                                     "!NOM_PROJET#default#\n"
                                     "!DATE_CREATION#04/12/2026#\n"
                                     "!DATE_MODIFICATION#") +
                                 today +
                                 "#\n"
                                 "!NBR_BANDES#03#\n"
                                 "!USINE#00#\n"
                                 "!LEFT-RIGHT#00#\n"
                                 "!NUMERO_PRESET#0501#\n";
    EXPECT_EQ(test::readFileBytes(dir.file("preset0501.inf")), expected);
    // Writing notifies the other instances.
    EXPECT_EQ(test::readFileBytes(dir.file("Modif")), "!NUM_INSTANCE_MOD#000017#\n");
}

TEST(InformationFile, FileNamesAreLowerCaseWithFourDigits) {
    PresetStore store("/base/", 1);
    EXPECT_EQ(store.settingsPath(501), "/base/preset0501.prt");
    EXPECT_EQ(store.infoPath(7), "/base/preset0007.inf");
}

TEST(InformationFile, LoadsBackWithItsNumberFromTheFileName) {
    test::TempDirectory dir;
    PresetStore store(dir.path(), 1);
    PresetInfo info = sampleInfo();
    store.WritePresetInfo(info);
    std::rename(dir.file("preset0501.inf").c_str(), dir.file("preset0502.inf").c_str());
    PresetInfo back;
    ASSERT_EQ(store.LoadPresetInfo(502, back), kInfoLoaded);
    EXPECT_STREQ(back.presetName, "Preset0001");
    EXPECT_STREQ(back.bankName, "Bank01");
    EXPECT_EQ(back.bandCount, 3);
    EXPECT_EQ(back.number, 502);
}

TEST(InformationFile, MissingFileIsResultOne) {
    test::TempDirectory dir;
    PresetInfo info;
    EXPECT_EQ(PresetStore(dir.path(), 1).LoadPresetInfo(9, info), kInfoMissing);
}

TEST(InformationFile, RemovalMarkerLoadsAsRemovedAndStays) {
    test::TempDirectory dir;
    test::writeFileBytes(dir.file("preset0501.inf"), "!removed#");
    PresetInfo info;
    EXPECT_EQ(PresetStore(dir.path(), 1).LoadPresetInfo(501, info), kInfoRemoved);
    EXPECT_EQ(test::readFileBytes(dir.file("preset0501.inf")), "!removed#");
}

TEST(InformationFile, UnusableFirstTokenDeletesTheFile) {
    test::TempDirectory dir;
    PresetStore store(dir.path(), 1);
    PresetInfo info;
    for (const std::string& bad : {"!" + std::string(40, 'A') + "#x#\n", std::string("\x01\x02\xff\xfe binary"),
                                   std::string("!NOM\xe9#x#\n"), std::string()}) {
        test::writeFileBytes(dir.file("preset0501.inf"), bad);
        EXPECT_EQ(store.LoadPresetInfo(501, info), kInfoRemoved);
        EXPECT_FALSE(test::fileExists(dir.file("preset0501.inf")));
    }
}

TEST(InformationFile, MissingKeysKeepTheDefaults) {
    test::TempDirectory dir;
    test::writeFileBytes(dir.file("preset0503.inf"), "!NOM_PRESET#Lead#\n!USINE#01#\n");
    PresetInfo info;
    ASSERT_EQ(PresetStore(dir.path(), 1).LoadPresetInfo(503, info), kInfoLoaded);
    EXPECT_STREQ(info.presetName, "Lead");
    EXPECT_STREQ(info.bankName, "BankDefault");
    EXPECT_STREQ(info.author, "Marwen");
    EXPECT_STREQ(info.project, "Test");
    EXPECT_STREQ(info.creationDate, "-");
    EXPECT_EQ(info.factory, 1);
    EXPECT_EQ(info.number, 503);
}

TEST(InformationFile, OversizedValuesAreCutToTheirFields) {
    test::TempDirectory dir;
    test::writeFileBytes(dir.file("preset0501.inf"),
                         "!NOM_PRESET#" + std::string(40, 'n') + "#\n!DATE_CREATION#" + std::string(20, '1') + "#\n");
    PresetInfo info;
    ASSERT_EQ(PresetStore(dir.path(), 1).LoadPresetInfo(501, info), kInfoLoaded);
    EXPECT_EQ(std::string(info.presetName), std::string(31, 'n'));
    EXPECT_EQ(std::string(info.creationDate), std::string(15, '1'));
}

TEST(InfoRecordReader, ReportsMarkersNumbersAndTheEnd) {
    test::TempDirectory dir;
    test::writeFileBytes(dir.file("x"),
                         "!DEBUT_INFORMATION#\n!NUMERO_PRESET#0007#\n!NUMERO_PRESET#0501#\n!USINE#01#\n"
                         "!FIN_INFORMATION#\n");
    std::FILE* f = std::fopen(dir.file("x").c_str(), "rb");
    PresetInfo info = defaultPresetInfo(501);
    EXPECT_EQ(ReadInfoRecord(f, info), kRecordBegin);
    EXPECT_EQ(ReadInfoRecord(f, info), kRecordNumberDiffers);
    EXPECT_EQ(ReadInfoRecord(f, info), kRecordOther);
    EXPECT_EQ(ReadInfoRecord(f, info), kRecordOther);
    EXPECT_EQ(ReadInfoRecord(f, info), kRecordFinish);
    EXPECT_EQ(ReadInfoRecord(f, info), kRecordEnd);
    std::fclose(f);
    EXPECT_EQ(info.number, 501);
    EXPECT_EQ(info.factory, 1);
}

TEST(PresetFiles, RemovalKeepsTheNumberOccupied) {
    test::TempDirectory dir;
    test::writeUserPreset(dir.path(), 501, "A", "B");
    PresetStore store(dir.path(), 1);
    store.removePresetFiles(501);
    EXPECT_EQ(test::readFileBytes(dir.file("preset0501.inf")), "!removed#");
    EXPECT_FALSE(test::fileExists(dir.file("preset0501.prt")));
}

TEST(PresetFiles, CopyIsByteExact) {
    test::TempDirectory dir;
    test::writeUserPreset(dir.path(), 501, "A", "B");
    PresetStore store(dir.path(), 1);
    ASSERT_TRUE(store.copyPresetFiles(501, 502));
    EXPECT_EQ(test::readFileBytes(dir.file("preset0502.prt")), test::readFileBytes(dir.file("preset0501.prt")));
    EXPECT_EQ(test::readFileBytes(dir.file("preset0502.inf")), test::readFileBytes(dir.file("preset0501.inf")));
    EXPECT_FALSE(store.copyPresetFiles(600, 601));
    EXPECT_FALSE(test::fileExists(dir.file("preset0601.inf")));
}

TEST(PresetFiles, OverlongBaseDirectoryDisablesTheStore) {
    const std::string longPath = "/tmp/" + std::string(200, 'x') + "/";
    PresetStore store(longPath, 1);
    EXPECT_FALSE(store.usable());
    PresetInfo info = sampleInfo();
    EXPECT_EQ(store.WritePresetInfo(info), 1);
    EXPECT_EQ(store.LoadPresetInfo(501, info), kInfoMissing);
    EXPECT_EQ(store.CheckLibraryChanged(), 0);
}

TEST(ChangeNotice, SingleInstanceSeesItsOwnChangeThenRemovesTheNotice) {
    test::TempDirectory dir;
    PresetStore a(dir.path(), 17);
    a.NotifyLibraryChanged();
    EXPECT_EQ(a.CheckLibraryChanged(), 0);
    EXPECT_EQ(test::readFileBytes(dir.file("Modif")), "!NUM_INSTANCE_MOD#000017#\n!NUM_INSTANCE#17#\n");
    EXPECT_EQ(a.CheckLibraryChanged(), 0);
    EXPECT_FALSE(test::fileExists(dir.file("Modif")));
}

TEST(ChangeNotice, OtherInstanceReloadsOnce) {
    test::TempDirectory dir;
    PresetStore a(dir.path(), 17), b(dir.path(), 42);
    a.NotifyLibraryChanged();
    EXPECT_EQ(b.CheckLibraryChanged(), 1);
    EXPECT_EQ(b.CheckLibraryChanged(), 0);
    EXPECT_EQ(b.CheckLibraryChanged(), 0);
    EXPECT_EQ(a.CheckLibraryChanged(), 0);
}

TEST(ChangeNotice, RemovedNoticeIsDeletedWithoutReload) {
    test::TempDirectory dir;
    test::writeFileBytes(dir.file("Modif"), "!removed#");
    EXPECT_EQ(PresetStore(dir.path(), 5).CheckLibraryChanged(), 0);
    EXPECT_FALSE(test::fileExists(dir.file("Modif")));
}

TEST(ChangeNotice, StaleNoticeIsClearedAtStart) {
    test::TempDirectory dir;
    test::writeFileBytes(dir.file("Modif"), "!NUM_INSTANCE_MOD#000003#\n");
    PresetStore(dir.path(), 5).clearStaleNotice();
    EXPECT_FALSE(test::fileExists(dir.file("Modif")));
}

TEST(ChangeNotice, GarbageNoticeNeverCrashes) {
    test::TempDirectory dir;
    PresetStore s(dir.path(), 5);
    for (const std::string& bytes : {std::string("\xff\xfe\x00\x01", 4), std::string(5000, '#'),
                                     std::string("!NUM_INSTANCE#"), std::string("!NUM_INSTANCE_MOD#5")}) {
        test::writeFileBytes(dir.file("Modif"), bytes);
        const int answer = s.CheckLibraryChanged();
        EXPECT_TRUE(answer == 0 || answer == 1);
    }
}

#ifdef SOLVA_NOTICE_HELPER
int runHelper(const std::string& dir, int id, const char* command) {
    const std::string line = std::string("\"") + SOLVA_NOTICE_HELPER + "\" \"" + dir + "\" " + std::to_string(id) + " " +
                             command + " > /dev/null";
    const int status = std::system(line.c_str());
    return WEXITSTATUS(status);
}

TEST(ChangeNotice, WorksBetweenProcesses) {
    test::TempDirectory dir;
    PresetStore here(dir.path(), 42);
    ASSERT_EQ(runHelper(dir.path(), 17, "notify"), 0);
    EXPECT_EQ(here.CheckLibraryChanged(), 1);
    EXPECT_EQ(runHelper(dir.path(), 17, "check"), 0);  // its own change
    EXPECT_EQ(here.CheckLibraryChanged(), 0);           // listed: removes the notice
    EXPECT_FALSE(test::fileExists(dir.file("Modif")));
    here.NotifyLibraryChanged();
    EXPECT_EQ(runHelper(dir.path(), 17, "check"), 1);
    EXPECT_EQ(runHelper(dir.path(), 17, "check"), 0);
}
#endif

TEST(EffectInstanceId, IsAClockAndGeneratorSum) {
    for (int i = 0; i < 3; ++i) {
        const int32_t id = drawEffectInstanceId();
        EXPECT_GE(id, 0);
        EXPECT_LE(id, 32767 + 65535);
    }
}

}  // namespace
}  // namespace solva
