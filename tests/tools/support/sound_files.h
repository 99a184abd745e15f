// Sound files for the host tests, written and read with libsndfile, and a
// scratch directory that is removed with the test.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace solvatest {

struct SoundData {
    int sampleRateHz = 0;
    int channels = 0;
    int64_t frames = 0;
    int format = 0;              // libsndfile SF_FORMAT_* word
    std::vector<float> samples;  // interleaved

    float at(int64_t frame, int channel) const { return samples[size_t(frame * channels + channel)]; }
};

// A sine of `freqHz` (one frequency per channel, cycled) at `amplitude`,
// written as 16-bit PCM WAV unless `floatSamples`.
void writeSineWav(const std::string& path, int sampleRateHz, int channels, int64_t frames,
                  const std::vector<double>& freqHz, double amplitude, bool floatSamples = false);

// Reads a whole sound file; returns false when libsndfile cannot open it.
bool readSound(const std::string& path, SoundData& data);

class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    // False when no folder of its own could be made (paths then lie in /tmp).
    bool created() const { return dir_ != "/tmp"; }

private:
    std::string dir_;
};

bool fileExists(const std::string& path);
std::vector<uint8_t> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace solvatest
