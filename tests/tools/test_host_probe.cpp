// What the host tells a plug-in and does with its answers, checked through
// the probe plug-in (test_data/probe_plugin.cpp): a gain whose chunk reports
// the rate, block size, process level and call counts it saw.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "support/host_paths.h"
#include "support/sound_files.h"
#include "support/tool_runner.h"

using namespace solvatest;

namespace {

std::map<std::string, std::string> parseReport(const std::vector<uint8_t>& bytes) {
    std::map<std::string, std::string> report;
    std::string text(bytes.begin(), bytes.end());
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(';', start);
        if (end == std::string::npos) end = text.size();
        std::string pair = text.substr(start, end - start);
        size_t equals = pair.find('=');
        if (equals != std::string::npos) report[pair.substr(0, equals)] = pair.substr(equals + 1);
        start = end + 1;
    }
    return report;
}

// Largest |out - factor * in| over all samples of matching channels.
double maxGainError(const SoundData& in, const SoundData& out, double factor, int inChannelFor1 = -1) {
    double worst = 0.0;
    for (int64_t frame = 0; frame < out.frames; ++frame)
        for (int channel = 0; channel < out.channels; ++channel) {
            int source = inChannelFor1 >= 0 ? inChannelFor1 : channel;
            worst = std::max(worst, std::fabs(double(out.at(frame, channel)) - factor * in.at(frame, source)));
        }
    return worst;
}

class ProbeHostTest : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string stereoIn = dir.path("stereo.wav");
    std::string monoIn = dir.path("mono.wav");
    std::string out = dir.path("out.wav");
    std::string chunk = dir.path("chunk.bin");
    static constexpr int64_t kFrames = 10000;

    void SetUp() override {
        writeSineWav(stereoIn, 48000, 2, kFrames, {1000.0, 250.0}, 0.5);
        writeSineWav(monoIn, 44100, 1, kFrames, {440.0}, 0.5);
    }
};

}  // namespace

TEST_F(ProbeHostTest, InfoListsIdentityParametersAndCapabilities) {
    ToolResult result = runHost({"info", kProbePlugin});
    ASSERT_TRUE(result.exitedWith(0)) << result.stderrText;
    const std::string& text = result.stdoutText;
    EXPECT_NE(text.find("Effect name:    \"Probe\""), std::string::npos);
    EXPECT_NE(text.find("Vendor:         \"Solva Tests\""), std::string::npos);
    EXPECT_NE(text.find("Vendor version: 7"), std::string::npos);
    EXPECT_NE(text.find("Unique ID:      'SPrb' (0x53507262)"), std::string::npos);
    EXPECT_NE(text.find("Flags:          0x30 CanReplacing ProgramChunks"), std::string::npos);
    EXPECT_NE(text.find("Parameters:     2"), std::string::npos);
    ASSERT_EQ(result.linesStartingWith("  param ").size(), 2u);
    EXPECT_NE(result.linesStartingWith("  param ")[0].find("\"Gain\""), std::string::npos);
    EXPECT_NE(result.linesStartingWith("  param ")[0].find("display=\"1.000\" label=\"x\""), std::string::npos);
    EXPECT_NE(text.find("2in2out              yes (1)"), std::string::npos);
    EXPECT_NE(text.find("1in1out              no (-1)"), std::string::npos);
}

TEST_F(ProbeHostTest, InfoAppliesChunkThenSettings) {
    writeBytes(chunk, {'g', 'a', 'i', 'n', '=', '0', '.', '2', ';', 't', 'a', 'g', '=', '0', '.', '9', ';'});
    ToolResult result = runHost({"info", kProbePlugin, "--load-chunk", chunk, "--set", "1=0.25"});
    ASSERT_TRUE(result.exitedWith(0)) << result.stderrText;
    auto params = result.linesStartingWith("  param ");
    ASSERT_EQ(params.size(), 2u);
    EXPECT_NE(params[0].find("value=0.200000"), std::string::npos) << params[0];
    EXPECT_NE(params[1].find("value=0.250000"), std::string::npos) << params[1];
}

TEST_F(ProbeHostTest, EntryPointFallsBackToMain) {
    ToolResult result = runHost({"info", kProbeMainEntry});
    ASSERT_TRUE(result.exitedWith(0)) << result.stderrText;
    EXPECT_NE(result.stdoutText.find("'SPrb'"), std::string::npos);
}

TEST_F(ProbeHostTest, ProcessWritesFloatWavOfSameShapeScaledByParameter) {
    ToolResult result = runHost({"process", kProbePlugin, stereoIn, out, "--set", "0=0.25", "--quiet"});
    ASSERT_TRUE(result.exitedWith(0)) << result.stderrText;
    EXPECT_TRUE(result.stdoutText.empty());
    EXPECT_TRUE(result.stderrText.empty());
    SoundData in, processed;
    ASSERT_TRUE(readSound(stereoIn, in));
    ASSERT_TRUE(readSound(out, processed));
    EXPECT_EQ(processed.frames, kFrames);
    EXPECT_EQ(processed.channels, 2);
    EXPECT_EQ(processed.sampleRateHz, 48000);
    EXPECT_EQ(processed.format, 0x010006);  // WAV, 32-bit float
    EXPECT_LT(maxGainError(in, processed, 0.5), 1e-6);
}

TEST_F(ProbeHostTest, ProgressBarGoesToStderrOnlyWhenAsked) {
    ToolResult shown = runHost({"process", kProbePlugin, stereoIn, out, "--progress"});
    ASSERT_TRUE(shown.exitedWith(0)) << shown.stderrText;
    EXPECT_NE(shown.stderrText.find("] 100%\n"), std::string::npos) << shown.stderrText;
    EXPECT_EQ(shown.linesStartingWith("processed 10000 frames, 2 -> 2 channels").size(), 1u) << shown.stdoutText;
    ToolResult quiet = runHost({"process", kProbePlugin, stereoIn, out, "--progress", "--quiet"});
    ASSERT_TRUE(quiet.exitedWith(0));
    EXPECT_TRUE(quiet.stderrText.empty());
}

TEST_F(ProbeHostTest, ProcessCanKeepTheInputSampleFormat) {
    ToolResult result = runHost({"process", kProbePlugin, stereoIn, out, "--format", "same", "--quiet"});
    ASSERT_TRUE(result.exitedWith(0)) << result.stderrText;
    SoundData in, processed;
    ASSERT_TRUE(readSound(stereoIn, in));
    ASSERT_TRUE(readSound(out, processed));
    EXPECT_EQ(processed.format, in.format);
    EXPECT_LT(maxGainError(in, processed, 1.0), 1.0 / 32768.0);
}

TEST_F(ProbeHostTest, MonoFileFeedsEveryInput) {
    ToolResult mono = runHost({"process", kProbePlugin, monoIn, out, "--quiet"});
    ASSERT_TRUE(mono.exitedWith(0)) << mono.stderrText;
    SoundData in, processed;
    ASSERT_TRUE(readSound(monoIn, in));
    ASSERT_TRUE(readSound(out, processed));
    EXPECT_EQ(processed.channels, 1);
    EXPECT_EQ(processed.frames, kFrames);

    ToolResult all = runHost({"process", kProbePlugin, monoIn, out, "--all-outputs", "--quiet"});
    ASSERT_TRUE(all.exitedWith(0)) << all.stderrText;
    ASSERT_TRUE(readSound(out, processed));
    ASSERT_EQ(processed.channels, 2);
    EXPECT_LT(maxGainError(in, processed, 1.0, 0), 1e-6);
}

TEST_F(ProbeHostTest, RateBlockAndLifecycleReachThePlugin) {
    ToolResult result = runHost({"process", kProbePlugin, stereoIn, out, "--rate", "96000", "--block", "300",
                                 "--save-chunk", chunk, "--quiet"});
    ASSERT_TRUE(result.exitedWith(0)) << result.stderrText;
    auto report = parseReport(readBytes(chunk));
    EXPECT_EQ(report["rate"], "96000");
    EXPECT_EQ(report["hostrate"], "96000");
    EXPECT_EQ(report["block"], "300");
    EXPECT_EQ(report["hostblock"], "300");
    EXPECT_EQ(report["hostversion"], "2400");
    EXPECT_EQ(report["vendor"], "Solva");
    EXPECT_EQ(report["product"], "Solva Host");
    EXPECT_EQ(report["level"], "4");  // offline while rendering a file
    EXPECT_EQ(report["resumes"], "1");
    EXPECT_EQ(report["starts"], "1");
    EXPECT_EQ(report["stops"], "1");
    EXPECT_EQ(report["frames"], std::to_string(kFrames));
    EXPECT_EQ(report["blocks"], std::to_string((kFrames + 299) / 300));
    EXPECT_EQ(report["maxframes"], "300");
    EXPECT_EQ(report["suspendedcalls"], "0");
    EXPECT_EQ(report["nullbuffers"], "0");
    // The output keeps the file's rate: --rate only changes what the plug-in is told.
    SoundData processed;
    ASSERT_TRUE(readSound(out, processed));
    EXPECT_EQ(processed.sampleRateHz, 48000);
}

TEST_F(ProbeHostTest, SettingsApplyAfterTheLoadedChunk) {
    writeBytes(chunk, {'g', 'a', 'i', 'n', '=', '0', '.', '1', ';'});
    SoundData in, processed;
    ASSERT_TRUE(readSound(stereoIn, in));

    ToolResult chunkOnly = runHost({"process", kProbePlugin, stereoIn, out, "--load-chunk", chunk, "--quiet"});
    ASSERT_TRUE(chunkOnly.exitedWith(0)) << chunkOnly.stderrText;
    ASSERT_TRUE(readSound(out, processed));
    EXPECT_LT(maxGainError(in, processed, 0.2), 1e-6);

    ToolResult both =
        runHost({"process", kProbePlugin, stereoIn, out, "--load-chunk", chunk, "--set", "0=0.75", "--quiet"});
    ASSERT_TRUE(both.exitedWith(0)) << both.stderrText;
    ASSERT_TRUE(readSound(out, processed));
    EXPECT_LT(maxGainError(in, processed, 1.5), 1e-6);
}

TEST_F(ProbeHostTest, SavedChunkRestoresTheSetting) {
    std::string saved = dir.path("saved.bin");
    ASSERT_TRUE(runHost({"process", kProbePlugin, stereoIn, out, "--set", "0=0.125", "--save-chunk", saved, "--quiet"})
                    .exitedWith(0));
    ToolResult restored = runHost({"process", kProbePlugin, stereoIn, out, "--load-chunk", saved, "--quiet"});
    ASSERT_TRUE(restored.exitedWith(0)) << restored.stderrText;
    SoundData in, processed;
    ASSERT_TRUE(readSound(stereoIn, in));
    ASSERT_TRUE(readSound(out, processed));
    EXPECT_LT(maxGainError(in, processed, 0.25), 1e-6);
}

TEST_F(ProbeHostTest, BenchReportsFlatOnlyUnlessBusySettingsAreGiven) {
    ToolResult flat =
        runHost({"bench", kProbePlugin, "--seconds", "0.05", "--warmup", "0", "--runs", "1", "--machine"});
    ASSERT_TRUE(flat.exitedWith(0)) << flat.stderrText;
    auto lines = flat.linesStartingWith("bench ");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("config=flat id=SPrb ns_per_frame="), std::string::npos) << lines[0];
    EXPECT_EQ(lineCount(flat.stdoutText), 1);

    ToolResult busy = runHost({"bench", kProbePlugin, "--seconds", "0.05", "--warmup", "0", "--runs", "1", "--machine",
                               "--busy-set", "0=1", "--block", "64"});
    ASSERT_TRUE(busy.exitedWith(0)) << busy.stderrText;
    lines = busy.linesStartingWith("bench ");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[1].find("config=busy"), std::string::npos);
    EXPECT_NE(lines[1].find("block=64"), std::string::npos);
    // 0.05 s at 44100 Hz in whole 64-frame blocks.
    EXPECT_NE(lines[1].find("frames=2176 "), std::string::npos) << lines[1];

    ToolResult automated = runHost({"bench", kProbePlugin, "--seconds", "0.05", "--warmup", "0", "--runs", "1",
                                    "--machine", "--busy-set", "0=1", "--automate", "1", "--block", "64"});
    ASSERT_TRUE(automated.exitedWith(0)) << automated.stderrText;
    lines = automated.linesStartingWith("bench ");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(lines[2].find("config=automated"), std::string::npos) << lines[2];
    EXPECT_NE(lines[2].find("frames=2176 "), std::string::npos) << lines[2];
}

TEST_F(ProbeHostTest, HelpListsCommandsAndCommandUsage) {
    ToolResult help = runHost({"--help"});
    ASSERT_TRUE(help.exitedWith(0));
    for (const char* command : {"info", "process", "bench"})
        EXPECT_NE(help.stdoutText.find(std::string("  ") + command + " "), std::string::npos) << command;
    ToolResult processHelp = runHost({"process", "--help"});
    ASSERT_TRUE(processHelp.exitedWith(0));
    EXPECT_NE(processHelp.stdoutText.find("--load-chunk"), std::string::npos);
}

// The test signals of "generate", each at the asked rate, length and level;
// a sweep at a low rate ends at its Nyquist frequency unless told otherwise.
TEST_F(ProbeHostTest, GenerateWritesEachSignalAtItsRateLengthAndLevel) {
    const double amplitude = std::pow(10.0, -6.0 / 20.0);
    for (const char* signal : {"sine", "sweep", "noise", "impulse", "silence"})
        for (const char* rate : {"8000", "48000"}) {
            const std::string path = dir.path(std::string(signal) + rate + ".wav");
            ToolResult made = runHost({"generate", path, "--signal", signal, "--rate", rate, "--seconds", "0.5",
                                       "--channels", "3", "--level", "-6"});
            ASSERT_TRUE(made.exitedWith(0)) << signal << " " << rate << ": " << made.stderrText;
            SoundData sound;
            ASSERT_TRUE(readSound(path, sound));
            EXPECT_EQ(sound.sampleRateHz, std::stoi(rate));
            EXPECT_EQ(sound.channels, 3);
            EXPECT_EQ(sound.frames, std::stoi(rate) / 2);
            float peak = 0.0f;
            for (float v : sound.samples) peak = std::max(peak, std::fabs(v));
            const std::string name = signal;
            if (name == "silence") EXPECT_EQ(peak, 0.0f);
            else if (name == "noise") EXPECT_TRUE(peak <= amplitude + 1e-6 && peak > 0.5 * amplitude) << peak;
            else EXPECT_NEAR(peak, amplitude, 0.01 * amplitude) << signal << " " << rate;
            if (name == "impulse") {
                for (int c = 0; c < 3; ++c) EXPECT_NEAR(sound.at(0, c), amplitude, 1e-6);
                EXPECT_EQ(sound.at(1, 0), 0.0f);
            }
        }
    ToolResult tooHigh = runHost({"generate", dir.path("x.wav"), "--rate", "8000", "--to", "5000"});
    EXPECT_TRUE(tooHigh.exitedWith(2));
    EXPECT_NE(tooHigh.stderrText.find("--to"), std::string::npos) << tooHigh.stderrText;
}
