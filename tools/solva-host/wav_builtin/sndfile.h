// A small built-in stand-in for the part of libsndfile's C interface that
// solva-host uses, for builds without libsndfile (the Windows cross build:
// there is no mingw libsndfile package). It reads and writes RIFF WAVE
// files only: 16-, 24- and 32-bit integer PCM and 32-bit float (64-bit
// float is read too), any channel count. Integer samples map to floats as
// libsndfile does (divide by 2^(bits-1) when reading, multiply by
// 2^(bits-1) - 1 and round when writing, clipping overs).
#pragma once

#include <cstdint>

typedef int64_t sf_count_t;
typedef struct sf_private_tag SNDFILE;

struct SF_INFO {
    sf_count_t frames;
    int samplerate;
    int channels;
    int format;
    int sections;
    int seekable;
};

enum {
    SF_FORMAT_WAV = 0x010000,
    SF_FORMAT_PCM_16 = 0x0002,
    SF_FORMAT_PCM_24 = 0x0003,
    SF_FORMAT_PCM_32 = 0x0004,
    SF_FORMAT_FLOAT = 0x0006,
    SF_FORMAT_DOUBLE = 0x0007,
    SF_FORMAT_SUBMASK = 0x0000FFFF,
    SF_FORMAT_TYPEMASK = 0x0FFF0000,
};

enum { SFM_READ = 0x10, SFM_WRITE = 0x20 };
enum { SF_FALSE = 0, SF_TRUE = 1 };
enum { SFC_SET_CLIPPING = 0x10C0 };

SNDFILE* sf_open(const char* path, int mode, SF_INFO* info);
int sf_close(SNDFILE* file);
sf_count_t sf_readf_float(SNDFILE* file, float* interleaved, sf_count_t frames);
sf_count_t sf_writef_float(SNDFILE* file, const float* interleaved, sf_count_t frames);
int sf_format_check(const SF_INFO* info);
int sf_command(SNDFILE* file, int command, void* data, int dataSize);
// Text of the last error of `file`, or of the last failed sf_open for null.
const char* sf_strerror(SNDFILE* file);
const char* sf_error_number(int error);
