// Sound files through libsndfile, read and written as interleaved floats.
#pragma once

#include <cstdint>
#include <string>

typedef struct sf_private_tag SNDFILE;

namespace solvahost {

class SoundFileReader {
public:
    // Throws HostError when the file is missing or not a readable sound file.
    explicit SoundFileReader(const std::string& path);
    ~SoundFileReader();
    SoundFileReader(const SoundFileReader&) = delete;
    SoundFileReader& operator=(const SoundFileReader&) = delete;

    int64_t frames() const { return frames_; }
    int channels() const { return channels_; }
    int sampleRateHz() const { return sampleRateHz_; }
    int format() const { return format_; }  // libsndfile SF_FORMAT_* word

    // Reads up to `frames` interleaved frames; returns the frames read.
    int64_t read(float* interleaved, int64_t frames);

private:
    std::string path_;
    SNDFILE* file_ = nullptr;
    int64_t frames_ = 0;
    int channels_ = 0;
    int sampleRateHz_ = 0;
    int format_ = 0;
};

// Output sample formats offered on the command line.
enum class OutputFormat { float32, pcm16, pcm24, sameAsInput };

// Parses "float", "pcm16", "pcm24" or "same"; throws UsageError otherwise.
OutputFormat parseOutputFormat(const std::string& text);

class SoundFileWriter {
public:
    // `sndfileFormat` is a libsndfile SF_FORMAT_* word; throws HostError when
    // the file cannot be created.
    SoundFileWriter(const std::string& path, int sampleRateHz, int channels, int sndfileFormat);
    ~SoundFileWriter();
    SoundFileWriter(const SoundFileWriter&) = delete;
    SoundFileWriter& operator=(const SoundFileWriter&) = delete;

    void write(const float* interleaved, int64_t frames);
    // Flushes and closes; throws HostError on a write failure.
    void close();

private:
    std::string path_;
    SNDFILE* file_ = nullptr;
};

// The libsndfile format word for an output: WAV with the chosen sample type,
// or the input's own container and type for sameAsInput.
int outputSndfileFormat(OutputFormat format, int inputFormat);

}  // namespace solvahost
