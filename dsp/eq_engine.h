// EqEngine: the equaliser's audio engine. Owned by the effect object.
//
// Threads: the setters (setBandSettings, setBandEnabled, setBandKind, the
// flag setters, setOutputGainDb) run on whichever thread changes a setting;
// they only store single 32-bit values that the audio thread picks up at
// its next 44-frame chunk, and those that concern the bands then count a
// change (bandChanges_), which tells the audio thread to look at every band
// again. processChunk and resetBandHistories run on the audio thread.
// setSampleRate runs on the UI thread while the effect's busy flag keeps the
// audio thread out. Nothing allocates after construction.
#pragma once

#include <atomic>
#include <cstdint>

#include "dsp/band_processor.h"

namespace solva {

class EqEngine {
public:
    static constexpr int kChunkFrames = 44;
    static constexpr int kNumSlots = 8;
    static constexpr int kNumChannels = 2;

    EqEngine();
    // The bands point into the engine's own input rings.
    EqEngine(const EqEngine&) = delete;
    EqEngine& operator=(const EqEngine&) = delete;

    // Sample rate in Hz (values below 1 are treated as 1); requests a
    // redesign of every band and recomputes the smoothing coefficients.
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

    // General on/off: sets the off flag and fade target; the transition flag
    // only when the off flag changes.
    void setGeneralOn(bool on);
    // While off, the dry signal still goes through the output gain.
    void setOffKeepsGain(bool on);
    // Also resets the silent state and the silent-chunk counter.
    void setSilenceDetection(bool on);
    void setMidSide(bool midSideMode, bool inputEncoding, bool outputDecoding);

    // Processes at most kChunkFrames frames; channels is 1 or 2. Returns the
    // number of frames processed.
    int processChunk(int frames, const float* in0, const float* in1, float* out0, float* out1,
                     int channels);

    // Turns every band's FIR correction on (the default) or off, and
    // requests a redesign. For measurements; not used by the effect.
    void setUseCorrection(bool on);

    // Zeroes the memories of all sixteen band processors (running = target).
    void resetBandHistories();

    // On (the default), chained slots take their inputs in input rings,
    // where their kernels read them too, and their bands write their
    // histories only when something else will read them
    // (BandProcessor::joinSteadyChain); off, every band writes its history
    // every chunk. The output is the same bit for bit. For tests and
    // measurements; on the audio thread or between chunks.
    void setDeferredHistories(bool on);

    bool clipFlag() const { return clip_.load(std::memory_order_relaxed) != 0; }
    void clearClipFlag() { clip_.store(0, std::memory_order_relaxed); }

    // Inspection (tests, tools). While the chain runs as planned, its bands'
    // history positions and tiny-output counts are told only when it stops.
    const BandProcessor& band(int channel, int slot) const { return bands_[channel * kNumSlots + slot]; }
    bool bandActive(int channel, int slot) const { return active_[channel][slot] != 0; }
    float bandFade(int channel, int slot) const { return bandFade_[channel][slot]; }
    bool silent() const { return silent_ != 0; }
    int silentChunks() const { return silentCount_; }
    float onOffFade() const { return fade_; }
    bool transitionRunning() const { return transition_.load(std::memory_order_relaxed) != 0; }
    // The next chunk may run the last chunk's chain as it stands.
    bool chainPlanned() const { return planned_; }

private:
    BandProcessor& bandAt(int channel, int slot) { return bands_[channel * kNumSlots + slot]; }
    void noteBandChange() { bandChanges_.fetch_add(1, std::memory_order_release); }
    bool runPlannedChain(int frames);
    void runSlots(int frames);
    // The chunk's input is in work_; the output goes through the output gain.
    void processChannel(int channel, int frames, float* output);
    void processStereo(int frames, float* out0, float* out1);
    void writeOutput(int channel, int frames, float* output);
    void runSlot(int channel, int slot, float* work, int frames);
    bool writeDryAndCrossfade(int frames, const float* in0, const float* in1, float* out0, float* out1,
                              int channels);
    bool inputIsSilent(int frames, const float* in0, const float* in1, int channels) const;
    void updateSilence(int frames, const float* out0, const float* out1, int channels);
    void smoothOutputGain(int channel);
    void rewindInputRings();
    void settleChain();

    float sampleRateHz_ = 44100.0f;
    float samplesPerMs_ = 44.1f;
    float c10_ = 0.0f, c40_ = 0.0f;    // per-chunk 10 ms and 40 ms coefficients
    float a_ = 0.0f, oneMinusA_ = 1.0f;  // per-sample 10 ms coefficient
    int chunkFrames_ = kChunkFrames;

    std::atomic<int> off_{0};
    std::atomic<int> transition_{0};
    float fade_ = 1.0f;
    std::atomic<float> fadeTarget_{1.0f};
    std::atomic<int> offKeepsGain_{0};
    std::atomic<int> silenceDetection_{0};
    std::atomic<int> silent_{0};
    std::atomic<int> silentCount_{0};
    std::atomic<int> midSide_{0};
    std::atomic<int> inputEncoding_{1};
    std::atomic<int> outputDecoding_{1};
    std::atomic<int> clip_{0};

    float outputGain_[kNumChannels] = {1.0f, 1.0f};
    std::atomic<float> outputGainTarget_[kNumChannels] = {{1.0f}, {1.0f}};
    std::atomic<int> enabled_[kNumChannels][kNumSlots] = {};
    int active_[kNumChannels][kNumSlots] = {};
    float bandFade_[kNumChannels][kNumSlots] = {};

    // Consecutive steady slots gathered into a chain (steady_chain.h). When
    // a chunk has run every slot that plays as one chain, with their
    // redesigns idle, the next chunks run that chain as it stands (planned_)
    // until a band setting changes: nothing else about the slots can change
    // in the meantime.
    std::atomic<uint32_t> bandChanges_{0};
    uint32_t plannedChanges_ = 0;
    bool planned_ = false;
    SteadyMember chain_[kNumSlots] = {};
    int chainSlots_[kNumSlots] = {};
    int chainCount_ = 0;
    // Planned chunks have left the members' bands to be told what ran
    // (settleChain, before anything else looks at them).
    bool chainUnsettled_ = false;

    float work_[kNumChannels][kChunkFrames] = {};
    float dry_[kChunkFrames] = {};

    // Per slot, the latest inputs of its bands while they run chained, both
    // channels interleaved (BandProcessor): stereo chunks go in one after
    // the other from ringFrame_, which every slot shares, and start again
    // near the ring's start when the next would not fit (steady_chain.h).
    // Each row is 64 bytes longer than a power of two, so that the rings of
    // slots two apart, which one step of the chain reads and writes, do not
    // share their low address bits.
    alignas(64) float inputRings_[kNumSlots][2 * kInputRingFrames + 16] = {};
    int ringFrame_ = kInputRingKeep;

    BandProcessor bands_[kNumChannels * kNumSlots];
};

}  // namespace solva
