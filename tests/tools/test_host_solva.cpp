// solva-host against our own plug-in: what a host sees of Solva (names,
// IDs, pins, parameters, capabilities), a file through it, and its chunk
// through a save and load.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "support/host_paths.h"
#include "support/sound_files.h"
#include "support/tool_runner.h"

using namespace solvatest;

namespace {

constexpr int kSettingsBlockBytes = 1904;

double rms(const SoundData& data, int channel, int64_t fromFrame) {
    double sum = 0.0;
    for (int64_t frame = fromFrame; frame < data.frames; ++frame)
        sum += double(data.at(frame, channel)) * data.at(frame, channel);
    return std::sqrt(sum / double(data.frames - fromFrame));
}

bool hasLine(const ToolResult& result, const std::string& line) {
    return result.stdoutText.find(line + "\n") != std::string::npos;
}

}  // namespace

TEST(SolvaHostTest, InfoShowsSolvaIdentityPinsAndParameters) {
    ToolResult result = runHost({"info", kSolvaPlugin});
    ASSERT_TRUE(result.exitedWith(0)) << result.stderrText;
    EXPECT_TRUE(hasLine(result, "Effect name:    \"Solva\""));
    EXPECT_TRUE(hasLine(result, "Vendor:         \"Marwen\""));
    EXPECT_TRUE(hasLine(result, "Product:        \"Marwen Solva \""));
    EXPECT_TRUE(hasLine(result, "Vendor version: 1"));
    EXPECT_TRUE(hasLine(result, "VST version:    2400"));
    EXPECT_TRUE(hasLine(result, "Unique ID:      'SlvA' (0x536C7641)"));
    EXPECT_TRUE(hasLine(result, "Inputs:         2"));
    EXPECT_TRUE(hasLine(result, "Outputs:        2"));
    EXPECT_TRUE(hasLine(result, "Parameters:     34"));
    EXPECT_TRUE(hasLine(result, "Programs:       1"));
    EXPECT_NE(result.stdoutText.find("CanReplacing ProgramChunks"), std::string::npos);
    EXPECT_EQ(result.stdoutText.find("CanDoubleReplacing"), std::string::npos);
    auto params = result.linesStartingWith("  param ");
    ASSERT_EQ(params.size(), 34u);
    EXPECT_NE(params[0].find("\"HPFreq"), std::string::npos) << params[0];
    EXPECT_NE(params[33].find("\"GenOn"), std::string::npos) << params[33];
    EXPECT_NE(params[33].find("switch"), std::string::npos) << params[33];
    EXPECT_EQ(params[20].find("switch"), std::string::npos) << params[20];
}

TEST(SolvaHostTest, InfoShowsCanDoAnswersOutputPinsAndHostCalls) {
    ToolResult result = runHost({"info", kSolvaPlugin});
    ASSERT_TRUE(result.exitedWith(0)) << result.stderrText;
    EXPECT_NE(result.stdoutText.find("receiveVstEvents     yes (1)"), std::string::npos);
    EXPECT_NE(result.stdoutText.find("receiveVstMidiEvent  no (-1)"), std::string::npos);
    EXPECT_NE(result.stdoutText.find("2in2out              yes (1)"), std::string::npos);
    EXPECT_NE(result.stdoutText.find("1in1out              yes (1)"), std::string::npos);
    EXPECT_NE(result.stdoutText.find("1in2out              no (-1)"), std::string::npos);
    EXPECT_NE(result.stdoutText.find("pin 0  label=\"Solva 1\""), std::string::npos);
    EXPECT_NE(result.stdoutText.find("pin 1  label=\"Solva 2\""), std::string::npos);
    // The one display update comes at the end of construction; queries and
    // opening send nothing else to the host.
    EXPECT_TRUE(hasLine(result,
                        "Host calls:     automate=0 beginEdit=0 endEdit=0 updateDisplay=1 sizeWindow=0 "
                        "ioChanged=0"));
}

TEST(SolvaHostTest, ProcessKeepsLengthChannelsAndLevelOfAFlatSetting) {
    ScratchDir dir;
    std::string in = dir.path("sine.wav");
    std::string out = dir.path("out.wav");
    const int64_t frames = 48000;
    writeSineWav(in, 48000, 2, frames, {1000.0, 3000.0}, 0.25);
    // Every bell, the air band and the volume at 0 dB (0.5), every band
    // switched off, the equaliser itself on: a flat curve.
    std::vector<std::string> args = {"process", kSolvaPlugin, in, out, "--quiet"};
    for (int index : {4, 7, 10, 13, 16, 19, 20}) args.insert(args.end(), {"--set", std::to_string(index) + "=0.5"});
    for (int index = 21; index <= 32; ++index) args.insert(args.end(), {"--set", std::to_string(index) + "=0"});
    args.insert(args.end(), {"--set", "33=1"});
    ToolResult result = runHost(args);
    ASSERT_TRUE(result.exitedWith(0)) << result.stderrText;
    SoundData source, processed;
    ASSERT_TRUE(readSound(in, source));
    ASSERT_TRUE(readSound(out, processed));
    EXPECT_EQ(processed.frames, frames);
    EXPECT_EQ(processed.channels, 2);
    EXPECT_EQ(processed.sampleRateHz, 48000);
    for (float sample : processed.samples) ASSERT_TRUE(std::isfinite(sample));
    // Tones in the middle of the band come out at their own level (measured
    // after 0.1 s of settling), within a tenth of a decibel.
    for (int channel = 0; channel < 2; ++channel) {
        double ratioDb = 20.0 * std::log10(rms(processed, channel, 4800) / rms(source, channel, 4800));
        EXPECT_NEAR(ratioDb, 0.0, 0.1) << "channel " << channel;
    }
}

TEST(SolvaHostTest, ChunkSavesSettingsThatALaterLoadRestores) {
    ScratchDir dir;
    std::string in = dir.path("sine.wav");
    std::string out = dir.path("out.wav");
    std::string chunk = dir.path("solva.chunk");
    writeSineWav(in, 44100, 2, 4410, {1000.0}, 0.25);
    ToolResult save = runHost(
        {"process", kSolvaPlugin, in, out, "--set", "4=0.7", "--set", "23=1", "--save-chunk", chunk, "--quiet"});
    ASSERT_TRUE(save.exitedWith(0)) << save.stderrText;
    std::vector<uint8_t> bytes = readBytes(chunk);
    ASSERT_EQ(bytes.size(), size_t(kSettingsBlockBytes));
    float version = 0.0f;
    std::memcpy(&version, bytes.data(), sizeof(version));
    EXPECT_FLOAT_EQ(version, 2.1f);

    ToolResult restored = runHost({"info", kSolvaPlugin, "--load-chunk", chunk});
    ASSERT_TRUE(restored.exitedWith(0)) << restored.stderrText;
    auto params = restored.linesStartingWith("  param ");
    ASSERT_EQ(params.size(), 34u);
    EXPECT_NE(params[4].find("value=0.700000"), std::string::npos) << params[4];
    EXPECT_NE(params[23].find("value=1.000000"), std::string::npos) << params[23];

    ToolResult fresh = runHost({"info", kSolvaPlugin});
    EXPECT_NE(fresh.linesStartingWith("  param ")[4].find("value=0.500000"), std::string::npos);
}

TEST(SolvaHostTest, BenchRecognisesSolvaAndRunsBusyAndAutomatedConfigurations) {
    ToolResult result =
        runHost({"bench", kSolvaPlugin, "--seconds", "0.05", "--warmup", "0", "--runs", "1", "--machine"});
    ASSERT_TRUE(result.exitedWith(0)) << result.stderrText;
    auto lines = result.linesStartingWith("bench ");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(lines[0].find("config=flat id=SlvA"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("config=busy id=SlvA"), std::string::npos) << lines[1];
    EXPECT_NE(lines[1].find("inputs=2 outputs=2"), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find("config=automated id=SlvA"), std::string::npos) << lines[2];

    ToolResult still = runHost(
        {"bench", kSolvaPlugin, "--seconds", "0.05", "--warmup", "0", "--runs", "1", "--machine", "--automate", "none"});
    ASSERT_TRUE(still.exitedWith(0)) << still.stderrText;
    EXPECT_EQ(still.linesStartingWith("bench ").size(), 2u);
}
