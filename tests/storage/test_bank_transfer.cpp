// Bank export files and their import as new user banks.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "storage/record_format.h"
#include "storage_test_support.h"

namespace solva {
namespace {

using test::StorageFixture;

int countBank(const PresetLibrary& library, const char* bank) {
    int n = 0;
    for (const auto& entry : library.byNumber())
        if (std::strcmp(entry.second.bankName, bank) == 0) ++n;
    return n;
}

// An export file of one bank with the given presets (settings text as given).
std::string exportFile(const char* bank, std::initializer_list<const char*> names,
                       const char* settings = "!@RIGH@BANDE1_FREQ#1.000000e-001#\n!BANDE1_ON#1.000000e+000#\n") {
    std::string bytes = "!TYPE_EXPORT#Solva#\n!VERSION#1.34#\n";
    for (const char* name : names) {
        bytes += "!DEBUT_INFORMATION#\n!NOM_PRESET#" + std::string(name) + "#\n!NOM_BANQUE#" + bank +
                 "#\n!USINE#01#\n!NUMERO_PRESET#0007#\n!FIN_INFORMATION#\n!DEBUT_PRESET#\n" + settings +
                 "!FIN_PRESET#\n";
    }
    return bytes;
}

TEST(BankExport, WrapsEachPresetsFilesUnchanged) {
    StorageFixture f;
    test::writeUserPreset(f.dir.path(), 501, "Preset0001", "Bank01");
    f.storage.ScanLibrary();
    f.storage.library().setCurrent(0, 0);
    ASSERT_EQ(f.storage.ExportBank(f.dir.file("out.solva").c_str()), 0);
    const std::string expected = "!TYPE_EXPORT#Solva#\n!VERSION#1.34#\n!DEBUT_INFORMATION#\n" +
                                 test::readFileBytes(f.dir.file("preset0501.inf")) +
                                 "!FIN_INFORMATION#\n!DEBUT_PRESET#\n" +
                                 test::readFileBytes(f.dir.file("preset0501.prt")) + "!FIN_PRESET#\n";
    EXPECT_EQ(test::readFileBytes(f.dir.file("out.solva")), expected);
}

TEST(BankExport, OnlyWhileSortedByBank) {
    StorageFixture f;
    test::writeUserPreset(f.dir.path(), 501, "A", "Bank01");
    f.storage.ScanLibrary();
    f.storage.SetSortMode(kSortByAuthor);
    EXPECT_EQ(f.storage.ExportBank(f.dir.file("out.solva").c_str()), 1);
    EXPECT_FALSE(test::fileExists(f.dir.file("out.solva")));
}

TEST(BankExport, ExportedBankImportsBackAsACopy) {
    StorageFixture f(17, true);
    f.storage.LoadPreset(10);
    f.storage.library().SelectPresetByNumber(10);  // Vocals
    const int size = f.storage.library().getGroupSize(f.storage.library().currentGroup());
    ASSERT_EQ(f.storage.ExportBank(f.dir.file("v.solva").c_str()), 0);
    ASSERT_EQ(f.storage.ImportBank(f.dir.file("v.solva").c_str()), 0);
    EXPECT_EQ(countBank(f.storage.library(), "Vocals1"), size);
    // Settings come through byte for byte.
    PresetInfo info;
    for (const auto& [number, entry] : f.storage.library().byNumber()) {
        if (std::strcmp(entry.bankName, "Vocals1") != 0 || std::strcmp(entry.presetName, "Radio Voice") != 0) continue;
        EXPECT_EQ(test::readFileBytes(f.storage.store().settingsPath(number)),
                  test::readFileBytes(f.dir.file("preset0013.prt")));
        ASSERT_EQ(f.storage.store().LoadPresetInfo(number, info), kInfoLoaded);
        EXPECT_EQ(info.factory, 0);
    }
}

TEST(BankImport, BankNamesAreMadeUnique) {
    StorageFixture f;
    test::writeUserPreset(f.dir.path(), 501, "x", "Mix");
    test::writeUserPreset(f.dir.path(), 502, "y", "Mix1");
    f.storage.ScanLibrary();
    test::writeFileBytes(f.dir.file("mix.solva"), exportFile("Mix", {"One", "Two"}));
    f.storage.ImportBank(f.dir.file("mix.solva").c_str());
    EXPECT_EQ(countBank(f.storage.library(), "Mix2"), 2);
    f.storage.ImportBank(f.dir.file("mix.solva").c_str());
    EXPECT_EQ(countBank(f.storage.library(), "Mix3"), 2);
}

TEST(BankImport, SameFileTwiceGivesASuffixOne) {
    StorageFixture f;
    test::writeFileBytes(f.dir.file("mix.solva"), exportFile("Mix", {"One"}));
    f.storage.ImportBank(f.dir.file("mix.solva").c_str());
    f.storage.ImportBank(f.dir.file("mix.solva").c_str());
    EXPECT_EQ(countBank(f.storage.library(), "Mix"), 1);
    EXPECT_EQ(countBank(f.storage.library(), "Mix1"), 1);
}

TEST(BankImport, FactoryPresetsBecomeUserPresetsFrom501WithTheirNumbersKept) {
    StorageFixture f;
    test::writeFileBytes(f.dir.file("f.solva"), exportFile("Factory", {"A", "B"}));
    f.storage.ImportBank(f.dir.file("f.solva").c_str());
    ASSERT_EQ(f.storage.library().byNumber().count(501), 1u);
    ASSERT_EQ(f.storage.library().byNumber().count(502), 1u);
    PresetInfo info;
    ASSERT_EQ(f.storage.store().LoadPresetInfo(502, info), kInfoLoaded);
    EXPECT_EQ(info.factory, 0);
    EXPECT_EQ(info.number, 502);
    const std::string inf = test::readFileBytes(f.dir.file("preset0502.inf"));
    EXPECT_NE(inf.find("!USINE#00#\n!LEFT-RIGHT#00#\n!NUMERO_PRESET#0502#\n"), std::string::npos);
    // Values keep their exact text, three-digit exponent included.
    EXPECT_EQ(test::readFileBytes(f.dir.file("preset0502.prt")),
              "!@RIGH@BANDE1_FREQ#1.000000e-001#\n!BANDE1_ON#1.000000e+000#\n");
}

TEST(BankImport, ForeignOrVersionlessFilesImportNothing) {
    StorageFixture f;
    const std::string body = exportFile("Mix", {"One"}).substr(35);
    for (const std::string& bytes :
         {"!TYPE_EXPORT#Other#\n!VERSION#1.34#\n" + body, "!TYPE_EXPORT#Solva#\n!VERSUS#1.34#\n" + body,
          "!KIND#Solva#\n!VERSION#1.34#\n" + body, std::string("\x7f" "ELF\x02\x01\x01\0\0\0", 10), std::string()}) {
        test::writeFileBytes(f.dir.file("bad.solva"), bytes);
        EXPECT_EQ(f.storage.ImportBank(f.dir.file("bad.solva").c_str()), 1);
    }
    EXPECT_EQ(f.storage.ImportBank(f.dir.file("missing.solva").c_str()), 1);
    EXPECT_EQ(f.storage.library().presetCount(), 0);
    EXPECT_FALSE(test::fileExists(f.dir.file("preset0501.inf")));
}

TEST(BankImport, FileCutInsideAnInformationBlockKeepsTheCompletedPresets) {
    StorageFixture f;
    std::string bytes = exportFile("Cut", {"One", "Two"});
    bytes.resize(bytes.rfind("!NOM_BANQUE"));
    test::writeFileBytes(f.dir.file("cut.solva"), bytes);
    f.storage.ImportBank(f.dir.file("cut.solva").c_str());
    EXPECT_EQ(countBank(f.storage.library(), "Cut"), 1);
    EXPECT_TRUE(test::fileExists(f.dir.file("preset0501.prt")));
    EXPECT_FALSE(test::fileExists(f.dir.file("preset0502.inf")));
}

TEST(BankImport, HostileNamesAndTokensStayInsideTheLibrary) {
    StorageFixture f;
    std::string bytes = "!TYPE_EXPORT#Solva#\n!VERSION#9.99#\n";
    bytes += "!DEBUT_INFORMATION#\n!NOM_PRESET#../../../evil#\n!NOM_BANQUE#caf\xc3\xa9#\n!FIN_INFORMATION#\n"
             "!DEBUT_PRESET#\n!" + std::string(40, 'K') + "#" + std::string(40, 'v') + "#\n!FIN_PRESET#\n";
    bytes += "!DEBUT_INFORMATION#\n!NOM_PRESET#\x01\x02#\n!FIN_INFORMATION#\n!DEBUT_PRESET#\n!FIN_PRESET#\n";
    test::writeFileBytes(f.dir.file("h.solva"), bytes);
    f.storage.ImportBank(f.dir.file("h.solva").c_str());
    ASSERT_EQ(f.storage.library().presetCount(), 2);
    const PresetInfo& first = f.storage.library().byNumber().at(501);
    EXPECT_STREQ(first.presetName, "../../../evil");  // a name, never a path
    EXPECT_STREQ(first.bankName, "Import");          // the bank name must pass the name check
    EXPECT_STREQ(f.storage.library().byNumber().at(502).presetName, "Preset0002");
    EXPECT_STREQ(f.storage.library().byNumber().at(502).bankName, "Import");
    EXPECT_FALSE(test::fileExists(f.dir.path() + "../../../evil"));
}

}  // namespace
}  // namespace solva
