// Bad input of every kind ends with one error line on stderr and a non-zero
// status: 1 for a file or plug-in that fails, 2 for a bad command line. The
// host never crashes, whatever the plug-in returns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/host_paths.h"
#include "support/sound_files.h"
#include "support/tool_runner.h"

using namespace solvatest;

namespace {

constexpr int kFailure = 1;
constexpr int kUsage = 2;

void expectOneLineError(const ToolResult& result, int exitCode, const std::string& fragment) {
    EXPECT_EQ(result.signal, 0) << "killed by signal " << result.signal;
    EXPECT_EQ(result.exitCode, exitCode) << result.stderrText;
    EXPECT_EQ(lineCount(result.stderrText), 1) << result.stderrText;
    EXPECT_EQ(result.stderrText.rfind("solva-host: error: ", 0), 0u) << result.stderrText;
    EXPECT_NE(result.stderrText.find(fragment), std::string::npos) << result.stderrText;
}

class BadInputTest : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string wav = dir.path("in.wav");
    std::string out = dir.path("out.wav");

    void SetUp() override { writeSineWav(wav, 44100, 2, 2000, {1000.0}, 0.5); }
};

}  // namespace

TEST_F(BadInputTest, CommandLineMistakesExitWithStatusTwo) {
    ToolResult none = runHost({});
    EXPECT_EQ(none.exitCode, kUsage);
    EXPECT_NE(none.stderrText.find("usage:"), std::string::npos);

    expectOneLineError(runHost({"frobnicate"}), kUsage, "unknown command 'frobnicate'");
    expectOneLineError(runHost({"info"}), kUsage, "expected 1 argument");
    expectOneLineError(runHost({"process", kProbePlugin, wav}), kUsage, "expected 3 arguments");
    expectOneLineError(runHost({"info", kProbePlugin, "--frobnicate"}), kUsage, "unknown option '--frobnicate'");
    expectOneLineError(runHost({"process", kProbePlugin, wav, out, "--block"}), kUsage, "needs a value");
    expectOneLineError(runHost({"process", kProbePlugin, wav, out, "--block", "0"}), kUsage, "block size");
    expectOneLineError(runHost({"process", kProbePlugin, wav, out, "--block", "12x"}), kUsage, "whole number");
    expectOneLineError(runHost({"process", kProbePlugin, wav, out, "--rate", "-5"}), kUsage, "sample rate");
    expectOneLineError(runHost({"process", kProbePlugin, wav, out, "--format", "mp3"}), kUsage, "output format");
    expectOneLineError(runHost({"bench", kProbePlugin, "--seconds", "nan"}), kUsage, "must be a number");
    expectOneLineError(runHost({"bench", kProbePlugin, "--peak", "-0.5"}), kUsage, "noise peak must be between");
    EXPECT_FALSE(fileExists(out));
    std::vector<uint8_t> before = readBytes(wav);
    expectOneLineError(runHost({"process", kProbePlugin, wav, dir.path("./in.wav")}), kUsage, "is the input file");
    EXPECT_EQ(readBytes(wav), before);
}

TEST_F(BadInputTest, ParameterSettingsAreCheckedAgainstThePlugin) {
    expectOneLineError(runHost({"process", kProbePlugin, wav, out, "--set", "2=0.5"}), kUsage,
                       "parameter index 2 is out of range: the plug-in has 2 parameters (0..1)");
    expectOneLineError(runHost({"process", kProbePlugin, wav, out, "--set", "0=1.5"}), kUsage, "parameter value");
    expectOneLineError(runHost({"process", kProbePlugin, wav, out, "--set", "0"}), kUsage, "INDEX=VALUE");
    expectOneLineError(runHost({"bench", kProbePlugin, "--busy-set", "9=1"}), kUsage, "parameter index 9");
    expectOneLineError(runHost({"bench", kProbePlugin, "--automate", "9"}), kUsage, "parameter index 9");
    expectOneLineError(runHost({"bench", kProbePlugin, "--automate", "1.5"}), kUsage, "whole number");
    expectOneLineError(runHost({"info", kProbePlugin, "--set", "-1=0"}), kUsage, "parameter index");
    EXPECT_FALSE(fileExists(out));
}

TEST_F(BadInputTest, FilesThatAreNotPluginsAreRefused) {
    std::string text = dir.path("notes.so");
    writeBytes(text, {'h', 'e', 'l', 'l', 'o', '\n'});
    expectOneLineError(runHost({"info", dir.path("missing.so")}), kFailure, "no such file");
    expectOneLineError(runHost({"info", text}), kFailure, "cannot load plug-in");
    expectOneLineError(runHost({"info", dir.path("")}), kFailure, "not a regular file");
    expectOneLineError(runHost({"info", kProbeNoEntry}), kFailure, "no VSTPluginMain or main entry point");
    expectOneLineError(runHost({"info", kProbeNullEffect}), kFailure, "entry point returned null");
    expectOneLineError(runHost({"process", kProbeBadMagic, wav, out}), kFailure, "'VstP' magic");
    EXPECT_FALSE(fileExists(out));
}

TEST_F(BadInputTest, PluginAnsweringNullEverywhereDoesNotCrashTheHost) {
    ToolResult info = runHost({"info", kProbeMinimal});
    EXPECT_TRUE(info.exitedWith(0)) << info.stderrText;
    EXPECT_NE(info.stdoutText.find("Effect name:    \"\""), std::string::npos);
    EXPECT_EQ(info.linesStartingWith("  param ").size(), 3u);
    EXPECT_EQ(info.linesStartingWith("  program ").size(), 2u);

    expectOneLineError(runHost({"process", kProbeMinimal, wav, out}), kFailure, "no processReplacing");
    expectOneLineError(runHost({"bench", kProbeMinimal}), kFailure, "no processReplacing");
    expectOneLineError(runHost({"process", kProbeMinimal, wav, out, "--set", "0=0.5"}), kFailure,
                       "no processReplacing");
}

TEST_F(BadInputTest, MissingSetParameterIsReportedAndIgnoredChunkIsHarmless) {
    // The minimal plug-in claims chunks but hands back none; it has no
    // setParameter function at all.
    ToolResult info = runHost({"info", kProbeMinimal, "--set", "0=0.5"});
    expectOneLineError(info, kFailure, "no setParameter");
    std::string chunk = dir.path("chunk.bin");
    writeBytes(chunk, {1, 2, 3, 4});
    ToolResult load = runHost({"info", kProbeMinimal, "--load-chunk", chunk});
    EXPECT_TRUE(load.exitedWith(0)) << load.stderrText;
}

TEST_F(BadInputTest, UnreadableAudioAndChunkFilesAreReported) {
    std::string garbage = dir.path("garbage.wav");
    writeBytes(garbage, std::vector<uint8_t>(600, 0x5A));
    expectOneLineError(runHost({"process", kProbePlugin, dir.path("missing.wav"), out}), kFailure,
                       "cannot read audio file");
    expectOneLineError(runHost({"process", kProbePlugin, garbage, out}), kFailure, "cannot read audio file");
    expectOneLineError(runHost({"process", kProbePlugin, wav, out, "--load-chunk", dir.path("none.bin")}), kFailure,
                       "cannot read");
    expectOneLineError(runHost({"process", kProbePlugin, wav, dir.path("no/such/dir/out.wav")}), kFailure,
                       "cannot write audio file");
    std::string empty = dir.path("empty.bin");
    writeBytes(empty, {});
    expectOneLineError(runHost({"process", kProbePlugin, wav, out, "--load-chunk", empty}), kFailure,
                       "chunk file is empty");
    EXPECT_FALSE(fileExists(out));
}
