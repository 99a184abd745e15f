#include "audio_file.h"

#include <sndfile.h>

#include "host_error.h"

namespace solvahost {

SoundFileReader::SoundFileReader(const std::string& path) : path_(path) {
    SF_INFO info{};
    file_ = sf_open(path.c_str(), SFM_READ, &info);
    if (!file_) throw HostError("cannot read audio file '" + path + "': " + sf_strerror(nullptr));
    frames_ = info.frames;
    channels_ = info.channels;
    sampleRateHz_ = info.samplerate;
    format_ = info.format;
    if (channels_ <= 0 || sampleRateHz_ <= 0)
        throw HostError("audio file '" + path + "' has no channels or no sample rate");
}

SoundFileReader::~SoundFileReader() {
    if (file_) sf_close(file_);
}

int64_t SoundFileReader::read(float* interleaved, int64_t frames) {
    sf_count_t got = sf_readf_float(file_, interleaved, frames);
    if (got < 0) throw HostError("error reading '" + path_ + "': " + sf_strerror(file_));
    return got;
}

OutputFormat parseOutputFormat(const std::string& text) {
    if (text == "float") return OutputFormat::float32;
    if (text == "pcm16") return OutputFormat::pcm16;
    if (text == "pcm24") return OutputFormat::pcm24;
    if (text == "same") return OutputFormat::sameAsInput;
    throw UsageError("output format must be float, pcm16, pcm24 or same, not '" + text + "'");
}

int outputSndfileFormat(OutputFormat format, int inputFormat) {
    switch (format) {
        case OutputFormat::pcm16: return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        case OutputFormat::pcm24: return SF_FORMAT_WAV | SF_FORMAT_PCM_24;
        case OutputFormat::sameAsInput: return inputFormat;
        case OutputFormat::float32: break;
    }
    return SF_FORMAT_WAV | SF_FORMAT_FLOAT;
}

SoundFileWriter::SoundFileWriter(const std::string& path, int sampleRateHz, int channels, int sndfileFormat)
    : path_(path) {
    SF_INFO info{};
    info.samplerate = sampleRateHz;
    info.channels = channels;
    info.format = sndfileFormat;
    if (!sf_format_check(&info))
        throw HostError("cannot write '" + path + "': the output format does not allow " + std::to_string(channels) +
                        " channels at " + std::to_string(sampleRateHz) + " Hz");
    file_ = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file_) throw HostError("cannot write audio file '" + path + "': " + sf_strerror(nullptr));
    // Integer output clips overs instead of wrapping them; float output
    // keeps the plug-in's samples as they are.
    sf_command(file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

SoundFileWriter::~SoundFileWriter() {
    if (file_) sf_close(file_);
}

void SoundFileWriter::write(const float* interleaved, int64_t frames) {
    if (sf_writef_float(file_, interleaved, frames) != frames)
        throw HostError("error writing '" + path_ + "': " + sf_strerror(file_));
}

void SoundFileWriter::close() {
    if (!file_) return;
    int error = sf_close(file_);
    file_ = nullptr;
    if (error != 0) throw HostError("error closing '" + path_ + "': " + sf_error_number(error));
}

}  // namespace solvahost
