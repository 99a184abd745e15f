#include "support/sound_files.h"

#include <sndfile.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace solvatest {

void writeSineWav(const std::string& path, int sampleRateHz, int channels, int64_t frames,
                  const std::vector<double>& freqHz, double amplitude, bool floatSamples) {
    SF_INFO info{};
    info.samplerate = sampleRateHz;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | (floatSamples ? SF_FORMAT_FLOAT : SF_FORMAT_PCM_16);
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return;
    std::vector<float> samples(size_t(frames * channels));
    for (int64_t frame = 0; frame < frames; ++frame)
        for (int channel = 0; channel < channels; ++channel) {
            double freq = freqHz[size_t(channel) % freqHz.size()];
            samples[size_t(frame * channels + channel)] =
                float(amplitude * std::sin(2.0 * M_PI * freq * double(frame) / sampleRateHz));
        }
    sf_writef_float(file, samples.data(), frames);
    sf_close(file);
}

bool readSound(const std::string& path, SoundData& data) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return false;
    data.sampleRateHz = info.samplerate;
    data.channels = info.channels;
    data.frames = info.frames;
    data.format = info.format;
    data.samples.assign(size_t(info.frames * info.channels), 0.0f);
    sf_count_t got = sf_readf_float(file, data.samples.data(), info.frames);
    sf_close(file);
    return got == info.frames;
}

ScratchDir::ScratchDir() {
    char pattern[] = "/tmp/solva-host-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    dir_ = made ? made : "/tmp";
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    if (dir_ != "/tmp") std::filesystem::remove_all(dir_, ignored);
}

bool fileExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace solvatest
