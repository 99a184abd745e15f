// solva-host against a VST 2.4 plug-in we did not write: LSP's parametric
// equaliser from Debian's lsp-plugins-vst. Skipped when it is not installed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "support/host_paths.h"
#include "support/sound_files.h"
#include "support/tool_runner.h"

using namespace solvatest;

namespace {

class ThirdPartyPluginTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fileExists(kLspParametricEq)) GTEST_SKIP() << "lsp-plugins-vst is not installed";
    }

    // The third-party library keeps a few allocations until the process
    // ends; in sanitizer builds the leak checker would turn that into the
    // host's exit status.
    static ToolResult run(const std::vector<std::string>& args) {
        const char* current = std::getenv("ASAN_OPTIONS");
        std::string options = std::string(current ? current : "") + (current && *current ? ":" : "");
        return runHost(args, {"ASAN_OPTIONS=" + options + "detect_leaks=0"});
    }
};

}  // namespace

TEST_F(ThirdPartyPluginTest, InfoReadsAStereoEffect) {
    ToolResult result = run({"info", kLspParametricEq});
    ASSERT_TRUE(result.exitedWith(0)) << result.stderrText;
    EXPECT_NE(result.stdoutText.find("Inputs:         2\n"), std::string::npos);
    EXPECT_NE(result.stdoutText.find("Outputs:        2\n"), std::string::npos);
    EXPECT_NE(result.stdoutText.find("VST version:    2400\n"), std::string::npos);
    EXPECT_NE(result.stdoutText.find("CanReplacing"), std::string::npos);
    EXPECT_GT(result.linesStartingWith("  param ").size(), 16u);
}

TEST_F(ThirdPartyPluginTest, ProcessPassesAFlatEqualiserThrough) {
    ScratchDir dir;
    std::string in = dir.path("sine.wav");
    std::string out = dir.path("out.wav");
    const int64_t frames = 24000;
    writeSineWav(in, 48000, 2, frames, {1000.0, 440.0}, 0.25, true);
    ToolResult result = run({"process", kLspParametricEq, in, out, "--block", "256", "--quiet"});
    ASSERT_TRUE(result.exitedWith(0)) << result.stderrText;
    SoundData source, processed;
    ASSERT_TRUE(readSound(in, source));
    ASSERT_TRUE(readSound(out, processed));
    ASSERT_EQ(processed.frames, frames);
    ASSERT_EQ(processed.channels, 2);
    // All its filters are off as loaded; it is a 0 dB pass-through.
    double worst = 0.0;
    for (size_t i = 0; i < processed.samples.size(); ++i)
        worst = std::max(worst, std::fabs(double(processed.samples[i]) - source.samples[i]));
    EXPECT_LT(worst, 1e-3);
}

TEST_F(ThirdPartyPluginTest, ChunkRoundTripIsAccepted) {
    ScratchDir dir;
    std::string in = dir.path("sine.wav");
    std::string out = dir.path("out.wav");
    std::string chunk = dir.path("lsp.chunk");
    writeSineWav(in, 44100, 2, 4410, {1000.0}, 0.25);
    ToolResult save = run({"process", kLspParametricEq, in, out, "--save-chunk", chunk, "--quiet"});
    ASSERT_TRUE(save.exitedWith(0)) << save.stderrText;
    EXPECT_GT(readBytes(chunk).size(), 0u);
    ToolResult load = run({"process", kLspParametricEq, in, out, "--load-chunk", chunk, "--quiet"});
    EXPECT_TRUE(load.exitedWith(0)) << load.stderrText;
}
