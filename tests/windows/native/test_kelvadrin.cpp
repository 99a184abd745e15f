// The Linux Kelvadrin companion, driven through its C entry point with a
// stand-in "zenity" on PATH that records its arguments and answers as the
// real program does (path on stdout and status 0, or status 1 on cancel).
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/kelvadrin/kelvadrin.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kFilter = "Solva Files (*.solva)|*.solva|All Files (*.*)|*.*||";

class KelvadrinCompanion : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = dlopen(SOLVA_KELVADRIN_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(module_, nullptr) << dlerror();
        entry_ = reinterpret_cast<KelvadrinDialogueFichier>(dlsym(module_, KELVADRIN_ENTRY_POINT));
        ASSERT_NE(entry_, nullptr);
        dir_ = fs::temp_directory_path() / ("kelvadrin-test-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        const char* path = std::getenv("PATH");
        savedPath_ = path ? path : "";
        setenv("PATH", dir_.c_str(), 1);  // only the stand-in dialogs
    }
    void TearDown() override {
        setenv("PATH", savedPath_.c_str(), 1);
        fs::remove_all(dir_);
        if (module_) dlclose(module_);
    }

    // A stand-in dialog program that logs its arguments one per line.
    void installDialog(const char* name, const std::string& answer, int status) {
        const fs::path program = dir_ / name;
        std::ofstream(program) << "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\" >> '" << (dir_ / "args").string()
                               << "'; done\n" << (answer.empty() ? "" : "echo '" + answer + "'\n") << "exit "
                               << status << "\n";
        fs::permissions(program, fs::perms::owner_all);
    }
    std::string loggedArguments() const {
        std::ifstream in(dir_ / "args");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    void* module_ = nullptr;
    KelvadrinDialogueFichier entry_ = nullptr;
    fs::path dir_;
    std::string savedPath_;
};

TEST_F(KelvadrinCompanion, SaveConfirmedAppendsTheDefaultExtension) {
    installDialog("zenity", "/home/user/banks/Drums", 0);
    char path[KELVADRIN_PATH_CHARS] = "";
    EXPECT_EQ(entry_(path, KELVADRIN_SAVE, "solva", "*.solva", kFilter), 1);
    EXPECT_STREQ(path, "/home/user/banks/Drums.solva");
    const std::string args = loggedArguments();
    EXPECT_NE(args.find("--file-selection\n--save\n--confirm-overwrite\n"), std::string::npos) << args;
    EXPECT_NE(args.find("--file-filter=Solva Files (*.solva) | *.solva\n"), std::string::npos) << args;
    EXPECT_NE(args.find("--file-filter=All Files (*.*) | *\n"), std::string::npos) << args;
}

TEST_F(KelvadrinCompanion, OpenKeepsTheChosenNameAndProposedPath) {
    installDialog("zenity", "/tmp/x/Mix.solva", 0);
    char path[KELVADRIN_PATH_CHARS] = "/tmp/x/";
    EXPECT_EQ(entry_(path, KELVADRIN_OPEN, "solva", "*.solva", kFilter), 1);
    EXPECT_STREQ(path, "/tmp/x/Mix.solva");
    const std::string args = loggedArguments();
    EXPECT_EQ(args.find("--save"), std::string::npos);
    EXPECT_NE(args.find("--filename=/tmp/x/\n"), std::string::npos) << args;
}

TEST_F(KelvadrinCompanion, CancelAnswersZeroAndLeavesThePath) {
    installDialog("zenity", "", 1);
    char path[KELVADRIN_PATH_CHARS] = "unchanged";
    EXPECT_EQ(entry_(path, KELVADRIN_OPEN, "solva", "*.solva", kFilter), 0);
    EXPECT_STREQ(path, "unchanged");
}

TEST_F(KelvadrinCompanion, KdialogServesWhenZenityIsMissing) {
    installDialog("kdialog", "/data/Bank.solva", 0);
    char path[KELVADRIN_PATH_CHARS] = "";
    EXPECT_EQ(entry_(path, KELVADRIN_OPEN, "solva", "*.solva", kFilter), 1);
    EXPECT_STREQ(path, "/data/Bank.solva");
    EXPECT_NE(loggedArguments().find("--getopenfilename\n.\n*.solva|Solva Files (*.solva)\n*|All Files (*.*)\n"),
              std::string::npos)
        << loggedArguments();
}

TEST_F(KelvadrinCompanion, NoDialogProgramAnswersMinusOne) {
    char path[KELVADRIN_PATH_CHARS] = "";
    EXPECT_EQ(entry_(path, KELVADRIN_SAVE, "solva", "*.solva", kFilter), -1);
}

}  // namespace
