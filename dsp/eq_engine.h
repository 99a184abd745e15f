// EqEngine: the equaliser's audio engine. Owned by the effect object.
//
// Threads: the setters (setBandSettings, setBandEnabled, setBandKind, the
// flag setters, setOutputGainDb) run on whichever thread changes a setting;
// they only store single 32-bit values that the audio thread picks up at
// its next 44-frame chunk. processChunk and resetBandHistories run on the
// audio thread. setSampleRate runs on the UI thread while the effect's busy
// flag keeps the audio thread out.
#pragma once

#include <cstdint>

namespace solva {

class EqEngine {
public:
    static constexpr int kChunkFrames = 44;
    static constexpr int kNumSlots = 8;

    EqEngine();

    // Sample rate in Hz (values below 1 are treated as 1); requests a
    // redesign of every band.
    void setSampleRate(float sampleRateHz);
    float sampleRate() const { return sampleRateHz_; }

    // Pending band settings of an engine slot for channel 0, 1, or both
    // when channel < 0.
    void setBandSettings(int slot, int channel, float freqHz, float gainDb, float qFactor);
    // Enables or disables a slot on both channels (crossfaded).
    void setBandEnabled(int slot, bool enabled);
    // Pending BandKind (2..18) of a slot on both channels, with its
    // kind-changed flag.
    void setBandKind(int slot, int kind);
    // Output gain target for channel 0, 1 or both (< 0).
    void setOutputGainDb(int channel, float gainDb);

    void setGeneralOn(bool on);
    void setOffKeepsGain(bool on);
    void setSilenceDetection(bool on);
    void setMidSide(bool midSideMode, bool inputEncoding, bool outputDecoding);

    // Processes at most kChunkFrames frames; channels is 1 or 2. Returns the
    // number of frames processed.
    int processChunk(int frames, const float* in0, const float* in1, float* out0, float* out1,
                     int channels);

    // Zeroes the memories of all sixteen band processors.
    void resetBandHistories();

    bool clipFlag() const { return clip_ != 0; }
    void clearClipFlag() { clip_ = 0; }

private:
    float sampleRateHz_ = 44100.0f;
    float outputGain_[2] = {1.0f, 1.0f};
    volatile int32_t clip_ = 0;
};

}  // namespace solva
