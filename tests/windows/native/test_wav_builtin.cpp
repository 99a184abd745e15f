// The WAV layer that replaces libsndfile in the Windows solva-host: the
// canonical 44-byte header, exact float round trips and libsndfile's
// integer scaling (write x * (2^(n-1) - 1) rounded and clipped, read
// x / 2^(n-1)).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "sndfile.h"

namespace {

namespace fs = std::filesystem;

std::string tempFile(const char* name) {
    return (fs::temp_directory_path() / (std::string("wav-builtin-") + std::to_string(::getpid()) + name)).string();
}

std::vector<unsigned char> bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

uint32_t le32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

void writeFile(const std::string& path, int format, const std::vector<float>& samples, int channels, int rate) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(sf_writef_float(file, samples.data(), sf_count_t(samples.size()) / channels),
              sf_count_t(samples.size()) / channels);
    EXPECT_EQ(sf_close(file), 0);
}

std::vector<float> readFile(const std::string& path, SF_INFO& info) {
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
    if (!file) return {};
    std::vector<float> samples(size_t(info.frames) * size_t(info.channels) + 8, -9.0f);
    const sf_count_t got = sf_readf_float(file, samples.data(), info.frames + 4);
    EXPECT_EQ(got, info.frames);
    samples.resize(size_t(got) * size_t(info.channels));
    sf_close(file);
    return samples;
}

TEST(WavBuiltin, FloatFileHasTheCanonicalHeaderAndRoundTripsExactly) {
    const std::string path = tempFile("float.wav");
    const std::vector<float> samples = {0.0f, -1.0f, 0.123456789f, 1.5f, -0.25f, 1e-30f};
    writeFile(path, SF_FORMAT_FLOAT, samples, 2, 48000);
    const std::vector<unsigned char> bytes = bytesOf(path);
    ASSERT_EQ(bytes.size(), 44u + samples.size() * 4);
    EXPECT_EQ(std::memcmp(bytes.data(), "RIFF", 4), 0);
    EXPECT_EQ(le32(&bytes[4]), bytes.size() - 8);
    EXPECT_EQ(std::memcmp(&bytes[8], "WAVEfmt ", 8), 0);
    EXPECT_EQ(bytes[20], 3);  // IEEE float
    EXPECT_EQ(bytes[22], 2);  // channels
    EXPECT_EQ(le32(&bytes[24]), 48000u);
    EXPECT_EQ(le32(&bytes[28]), 48000u * 8);
    EXPECT_EQ(bytes[32], 8);   // block align
    EXPECT_EQ(bytes[34], 32);  // bits
    EXPECT_EQ(std::memcmp(&bytes[36], "data", 4), 0);
    EXPECT_EQ(le32(&bytes[40]), samples.size() * 4);
    SF_INFO info{};
    const std::vector<float> back = readFile(path, info);
    EXPECT_EQ(info.frames, 3);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.samplerate, 48000);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    EXPECT_EQ(back, samples);
    fs::remove(path);
}

TEST(WavBuiltin, IntegerFilesScaleRoundAndClipAsLibsndfile) {
    const std::string path = tempFile("pcm.wav");
    const std::vector<float> samples = {0.5f, -0.5f, 1.0f, -1.0f, 2.0f, -2.0f, 0.25f / 32767.0f, 0.0f};
    writeFile(path, SF_FORMAT_PCM_16, samples, 1, 44100);
    const std::vector<unsigned char> bytes = bytesOf(path);
    ASSERT_EQ(bytes.size(), 44u + samples.size() * 2);
    auto word = [&](size_t i) { return int16_t(bytes[44 + 2 * i] | bytes[45 + 2 * i] << 8); };
    EXPECT_EQ(word(0), 16384);  // 0.5 * 32767 = 16383.5, rounded to even
    EXPECT_EQ(word(1), -16384);
    EXPECT_EQ(word(2), 32767);
    EXPECT_EQ(word(3), -32767);
    EXPECT_EQ(word(4), 32767);   // clipped
    EXPECT_EQ(word(5), -32768);  // clipped
    EXPECT_EQ(word(6), 0);
    SF_INFO info{};
    const std::vector<float> back = readFile(path, info);
    ASSERT_EQ(back.size(), samples.size());
    EXPECT_FLOAT_EQ(back[0], 16384.0f / 32768.0f);
    EXPECT_FLOAT_EQ(back[5], -1.0f);
    writeFile(path, SF_FORMAT_PCM_24, {0.5f, -1.0f}, 1, 44100);
    const std::vector<float> back24 = readFile(path, info);
    ASSERT_EQ(back24.size(), 2u);
    EXPECT_FLOAT_EQ(back24[0], 4194304.0f / 8388608.0f);
    EXPECT_FLOAT_EQ(back24[1], -8388607.0f / 8388608.0f);
    fs::remove(path);
}

TEST(WavBuiltin, ForeignChunksAreSkippedAndNonWavIsRefused) {
    const std::string path = tempFile("list.wav");
    writeFile(path, SF_FORMAT_FLOAT, {0.75f, -0.75f}, 1, 8000);
    std::vector<unsigned char> bytes = bytesOf(path);
    // Insert an odd-sized LIST chunk (padded to even) before "data".
    const unsigned char list[] = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    bytes.insert(bytes.begin() + 36, std::begin(list), std::end(list));
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    SF_INFO info{};
    EXPECT_EQ(readFile(path, info), (std::vector<float>{0.75f, -0.75f}));
    std::ofstream(path, std::ios::binary) << "not a sound file at all";
    SF_INFO none{};
    EXPECT_EQ(sf_open(path.c_str(), SFM_READ, &none), nullptr);
    EXPECT_NE(std::string(sf_strerror(nullptr)).find("WAV"), std::string::npos);
    SF_INFO bad{};
    bad.samplerate = 44100;
    bad.channels = 2;
    bad.format = 0x020000 | SF_FORMAT_PCM_16;  // not WAV
    EXPECT_FALSE(sf_format_check(&bad));
    fs::remove(path);
}

}  // namespace
