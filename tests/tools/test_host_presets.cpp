// solva-host's preset commands: the library listing, a preset loaded before
// processing (equal to the same settings given as parameters), and a bank
// out and back in under a unique name.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "support/host_paths.h"
#include "support/sound_files.h"
#include "support/tool_runner.h"

using namespace solvatest;

namespace {

class HostPresets : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/solva-host-presets-XXXXXX";
        dir_ = mkdtemp(pattern);
        library_ = dir_ + "/library";
    }
    void TearDown() override {
        const std::string cmd = "rm -rf '" + dir_ + "'";
        if (std::system(cmd.c_str()) != 0) {
        }
    }
    std::vector<std::string> env() const { return {"SOLVA_INSTALL_DIR=" + dir_ + "/plugin-library/"}; }

    std::string dir_, library_;
};

TEST_F(HostPresets, ListsTheFactoryLibraryByBank) {
    ToolResult result = runHost({"presets", "--dir", library_}, env());
    ASSERT_TRUE(result.exitedWith(0)) << result.stderrText;
    EXPECT_NE(result.stdoutText.find("Neutral"), std::string::npos);
    EXPECT_NE(result.stdoutText.find("(factory)"), std::string::npos);
    EXPECT_TRUE(fileExists(library_ + "/preset0000.inf"));
    EXPECT_TRUE(fileExists(library_ + "/preset0000.prt"));
}

TEST_F(HostPresets, PresetChangesTheSoundAndNeutralDoesNot) {
    const std::string in = dir_ + "/in.wav", neutral = dir_ + "/neutral.wav", shaped = dir_ + "/shaped.wav";
    writeSineWav(in, 48000, 2, 48000, {100.0, 5000.0}, 0.25, true);
    ASSERT_TRUE(runHost({"process", kSolvaPlugin, in, neutral, "--quiet", "--preset-dir", library_, "--preset",
                         "Neutral"},
                        env())
                    .exitedWith(0));
    ToolResult r = runHost({"process", kSolvaPlugin, in, shaped, "--quiet", "--preset-dir", library_, "--preset", "3"},
                           env());
    ASSERT_TRUE(r.exitedWith(0)) << r.stderrText;
    SoundData a, b, x;
    ASSERT_TRUE(readSound(in, x));
    ASSERT_TRUE(readSound(neutral, a));
    ASSERT_TRUE(readSound(shaped, b));
    double neutralDiff = 0.0, shapedDiff = 0.0;
    for (int64_t f = 24000; f < x.frames; ++f) {
        neutralDiff = std::max(neutralDiff, double(std::fabs(a.at(f, 0) - x.at(f, 0))));
        shapedDiff = std::max(shapedDiff, double(std::fabs(b.at(f, 1) - x.at(f, 1))));
    }
    EXPECT_LT(neutralDiff, 1e-6);
    EXPECT_GT(shapedDiff, 1e-3);
}

TEST_F(HostPresets, UnknownPresetsAndOtherPluginsAreRefused) {
    const std::string in = dir_ + "/in.wav";
    writeSineWav(in, 48000, 1, 4800, {440.0}, 0.25, true);
    ToolResult unknown = runHost({"process", kSolvaPlugin, in, dir_ + "/o.wav", "--preset-dir", library_,
                                  "--preset", "No Such Preset"},
                                 env());
    EXPECT_TRUE(unknown.exitedWith(2));
    EXPECT_EQ(lineCount(unknown.stderrText), 1);
    ToolResult other = runHost({"process", kProbePlugin, in, dir_ + "/o.wav", "--preset-dir", library_, "--preset",
                                "0"},
                               env());
    EXPECT_TRUE(other.exitedWith(2));
    EXPECT_FALSE(fileExists(dir_ + "/o.wav"));
}

TEST_F(HostPresets, BankExportThenImportGetsAUniqueName) {
    const std::string file = dir_ + "/drums.solva";
    ToolResult out = runHost({"bank", "export", "Drums", file, "--dir", library_}, env());
    ASSERT_TRUE(out.exitedWith(0)) << out.stderrText;
    ASSERT_TRUE(fileExists(file));
    ToolResult in = runHost({"bank", "import", file, "--dir", library_}, env());
    ASSERT_TRUE(in.exitedWith(0)) << in.stderrText;
    EXPECT_NE(in.stdoutText.find("as bank 'Drums1'"), std::string::npos) << in.stdoutText;
    ToolResult list = runHost({"presets", "--dir", library_}, env());
    EXPECT_NE(list.stdoutText.find("\nDrums1\n"), std::string::npos);
    EXPECT_FALSE(runHost({"bank", "export", "Nope", file, "--dir", library_}, env()).exitedWith(0));
    EXPECT_TRUE(runHost({"bank", "import", dir_ + "/missing.solva", "--dir", library_}, env()).exitedWith(1));
}

}  // namespace
