#include "sndfile.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

struct sf_private_tag {
    std::FILE* stream = nullptr;
    bool writing = false;
    int channels = 0;
    int sampleRateHz = 0;
    int subtype = 0;        // SF_FORMAT_PCM_16 ... SF_FORMAT_DOUBLE
    int bytesPerSample = 0;
    sf_count_t framesLeft = 0;     // reading
    sf_count_t framesWritten = 0;  // writing
    std::string error = "no error";
    std::vector<unsigned char> bytes;
};

namespace {

std::string gOpenError = "no error";

constexpr uint16_t kTagPcm = 1;
constexpr uint16_t kTagFloat = 3;
constexpr uint16_t kTagExtensible = 0xFFFE;

uint32_t le32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

void put32(std::FILE* f, uint32_t v) {
    const unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    std::fwrite(b, 1, 4, f);
}
void put16(std::FILE* f, uint16_t v) {
    const unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
    std::fwrite(b, 1, 2, f);
}

SNDFILE* failOpen(SNDFILE* file, const std::string& why) {
    gOpenError = why;
    if (file->stream) std::fclose(file->stream);
    delete file;
    return nullptr;
}

int subtypeOf(uint16_t tag, int bits) {
    if (tag == kTagPcm && bits == 16) return SF_FORMAT_PCM_16;
    if (tag == kTagPcm && bits == 24) return SF_FORMAT_PCM_24;
    if (tag == kTagPcm && bits == 32) return SF_FORMAT_PCM_32;
    if (tag == kTagFloat && bits == 32) return SF_FORMAT_FLOAT;
    if (tag == kTagFloat && bits == 64) return SF_FORMAT_DOUBLE;
    return 0;
}

int bytesOf(int subtype) {
    switch (subtype) {
        case SF_FORMAT_PCM_16: return 2;
        case SF_FORMAT_PCM_24: return 3;
        case SF_FORMAT_PCM_32:
        case SF_FORMAT_FLOAT: return 4;
        case SF_FORMAT_DOUBLE: return 8;
        default: return 0;
    }
}

// Walks the chunks after "WAVE" up to the start of "data".
bool readHeader(SNDFILE* file, SF_INFO* info) {
    unsigned char riff[12];
    if (std::fread(riff, 1, 12, file->stream) != 12 || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0)
        return false;
    bool haveFormat = false;
    for (;;) {
        unsigned char chunk[8];
        if (std::fread(chunk, 1, 8, file->stream) != 8) return false;
        const uint32_t size = le32(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16 || size > 1024) return false;
            std::vector<unsigned char> fmt(size + (size & 1));
            if (std::fread(fmt.data(), 1, fmt.size(), file->stream) != fmt.size()) return false;
            uint16_t tag = le16(&fmt[0]);
            if (tag == kTagExtensible && size >= 26) tag = le16(&fmt[24]);  // sub-format GUID's first word
            file->channels = le16(&fmt[2]);
            file->sampleRateHz = static_cast<int>(le32(&fmt[4]));
            file->subtype = subtypeOf(tag, le16(&fmt[14]));
            file->bytesPerSample = bytesOf(file->subtype);
            haveFormat = file->subtype != 0 && file->channels > 0;
            if (!haveFormat) return false;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat) return false;
            file->framesLeft = size / (uint32_t(file->channels) * uint32_t(file->bytesPerSample));
            info->frames = file->framesLeft;
            info->channels = file->channels;
            info->samplerate = file->sampleRateHz;
            info->format = SF_FORMAT_WAV | file->subtype;
            info->sections = 1;
            info->seekable = 1;
            return true;
        } else if (std::fseek(file->stream, long(size + (size & 1)), SEEK_CUR) != 0) {
            return false;
        }
    }
}

void writeHeader(SNDFILE* file) {
    const uint32_t dataBytes =
        static_cast<uint32_t>(file->framesWritten * file->channels * file->bytesPerSample);
    const bool isFloat = file->subtype == SF_FORMAT_FLOAT || file->subtype == SF_FORMAT_DOUBLE;
    std::fseek(file->stream, 0, SEEK_SET);
    std::fwrite("RIFF", 1, 4, file->stream);
    put32(file->stream, 36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, file->stream);
    put32(file->stream, 16);
    put16(file->stream, isFloat ? kTagFloat : kTagPcm);
    put16(file->stream, static_cast<uint16_t>(file->channels));
    put32(file->stream, static_cast<uint32_t>(file->sampleRateHz));
    put32(file->stream, static_cast<uint32_t>(file->sampleRateHz * file->channels * file->bytesPerSample));
    put16(file->stream, static_cast<uint16_t>(file->channels * file->bytesPerSample));
    put16(file->stream, static_cast<uint16_t>(file->bytesPerSample * 8));
    std::fwrite("data", 1, 4, file->stream);
    put32(file->stream, dataBytes);
}

float decodeSample(const unsigned char* p, int subtype) {
    switch (subtype) {
        case SF_FORMAT_PCM_16: return static_cast<float>(static_cast<int16_t>(le16(p)) * (1.0 / 0x8000));
        case SF_FORMAT_PCM_24: {
            const int32_t v = static_cast<int32_t>(uint32_t(p[0]) << 8 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 24);
            return static_cast<float>((v >> 8) * (1.0 / 0x800000));
        }
        case SF_FORMAT_PCM_32: return static_cast<float>(static_cast<int32_t>(le32(p)) * (1.0 / 2147483648.0));
        case SF_FORMAT_FLOAT: {
            const uint32_t bits = le32(p);
            float v;
            std::memcpy(&v, &bits, 4);
            return v;
        }
        default: {
            const uint64_t bits = uint64_t(le32(p)) | uint64_t(le32(p + 4)) << 32;
            double v;
            std::memcpy(&v, &bits, 8);
            return static_cast<float>(v);
        }
    }
}

// Scaled, rounded and clipped to `bits` signed bits.
int64_t quantise(float sample, int bits) {
    const double full = double(int64_t(1) << (bits - 1));
    const double scaled = double(sample) * (full - 1.0);
    if (scaled >= full - 1.0) return int64_t(full) - 1;
    if (scaled <= -full) return -int64_t(full);
    return static_cast<int64_t>(std::lrint(scaled));
}

void encodeSample(float sample, int subtype, unsigned char* out) {
    uint64_t bits = 0;
    switch (subtype) {
        case SF_FORMAT_PCM_16: bits = static_cast<uint64_t>(quantise(sample, 16)); break;
        case SF_FORMAT_PCM_24: bits = static_cast<uint64_t>(quantise(sample, 24)); break;
        case SF_FORMAT_PCM_32: bits = static_cast<uint64_t>(quantise(sample, 32)); break;
        case SF_FORMAT_FLOAT: {
            uint32_t word;
            std::memcpy(&word, &sample, 4);
            bits = word;
            break;
        }
        default: {
            const double wide = sample;
            std::memcpy(&bits, &wide, 8);
            break;
        }
    }
    for (int i = 0; i < bytesOf(subtype); ++i) out[i] = static_cast<unsigned char>(bits >> (8 * i));
}

}  // namespace

SNDFILE* sf_open(const char* path, int mode, SF_INFO* info) {
    auto* file = new sf_private_tag();
    file->writing = mode == SFM_WRITE;
    file->stream = std::fopen(path, file->writing ? "wb" : "rb");
    if (!file->stream) return failOpen(file, "System error : cannot open the file.");
    if (!file->writing) {
        if (!readHeader(file, info)) return failOpen(file, "Format not recognised (only WAV files are read).");
        return file;
    }
    if (!sf_format_check(info)) return failOpen(file, "Unsupported output format.");
    file->channels = info->channels;
    file->sampleRateHz = info->samplerate;
    file->subtype = info->format & SF_FORMAT_SUBMASK;
    file->bytesPerSample = bytesOf(file->subtype);
    writeHeader(file);
    return file;
}

int sf_close(SNDFILE* file) {
    if (!file) return 0;
    int error = 0;
    if (file->writing) {
        writeHeader(file);
        if (std::ferror(file->stream)) error = 1;
    }
    if (std::fclose(file->stream) != 0) error = 1;
    delete file;
    return error;
}

sf_count_t sf_readf_float(SNDFILE* file, float* interleaved, sf_count_t frames) {
    if (!file || file->writing) return -1;
    if (frames > file->framesLeft) frames = file->framesLeft;
    const size_t frameBytes = size_t(file->channels) * size_t(file->bytesPerSample);
    file->bytes.resize(size_t(frames) * frameBytes);
    const size_t got = std::fread(file->bytes.data(), frameBytes, size_t(frames), file->stream);
    for (size_t i = 0; i < got * size_t(file->channels); ++i)
        interleaved[i] = decodeSample(&file->bytes[i * size_t(file->bytesPerSample)], file->subtype);
    file->framesLeft -= sf_count_t(got);
    if (got < size_t(frames)) file->framesLeft = 0;  // a truncated data chunk ends the file
    return sf_count_t(got);
}

sf_count_t sf_writef_float(SNDFILE* file, const float* interleaved, sf_count_t frames) {
    if (!file || !file->writing) return 0;
    const size_t samples = size_t(frames) * size_t(file->channels);
    file->bytes.resize(samples * size_t(file->bytesPerSample));
    for (size_t i = 0; i < samples; ++i)
        encodeSample(interleaved[i], file->subtype, &file->bytes[i * size_t(file->bytesPerSample)]);
    const size_t frameBytes = size_t(file->channels) * size_t(file->bytesPerSample);
    const size_t put = frames > 0 ? std::fwrite(file->bytes.data(), frameBytes, size_t(frames), file->stream) : 0;
    if (put != size_t(frames)) file->error = "System error : cannot write the file.";
    file->framesWritten += sf_count_t(put);
    return sf_count_t(put);
}

int sf_format_check(const SF_INFO* info) {
    if (!info || (info->format & SF_FORMAT_TYPEMASK) != SF_FORMAT_WAV) return SF_FALSE;
    if (bytesOf(info->format & SF_FORMAT_SUBMASK) == 0) return SF_FALSE;
    return info->channels > 0 && info->channels <= 1024 && info->samplerate > 0 ? SF_TRUE : SF_FALSE;
}

// Integer output always clips; nothing else is configurable.
int sf_command(SNDFILE*, int, void*, int) { return SF_TRUE; }

const char* sf_strerror(SNDFILE* file) { return file ? file->error.c_str() : gOpenError.c_str(); }

const char* sf_error_number(int error) { return error == 0 ? "No error." : "System error."; }
