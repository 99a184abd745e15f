// BandProcessor: one band slot of one channel — its pending and current
// settings, the redesign state machine that turns them into sections and a
// correction kernel, and the per-chunk processing (sections with coefficient
// glides, FIR correction over a mirrored input history, band output gain).
//
// Threads: setPending/setPendingKind may run on any thread (single 32-bit
// stores); everything else runs on the audio thread. All buffers are members:
// nothing allocates after construction.
#pragma once

#include <atomic>

#include "dsp/band_plan.h"
#include "dsp/biquad_section.h"
#include "dsp/correction_kernel.h"
#include "dsp/steady_chain.h"

namespace solva {

class BandProcessor {
public:
    // Redesign states.
    enum State : int { kStateDesign = 0, kStateResponses = 2, kStateWaiting = 4, kStateKernel = 6,
                       kStateIdle = 11 };
    static constexpr int kMaxChunk = 44;
    static constexpr int kHistoryLength = 128;
    static_assert(kHistoryLength >= kMaxKernelLength + kMaxChunk, "history holds a kernel span and a chunk");
    static_assert(kInputRingKeep >= kMaxKernelLength - 1 && kInputRingKeep % 4 == 0 &&
                      kInputRingFrames - kMaxChunk >= 2 * kInputRingKeep,
                  "an input ring keeps a kernel span and starts again past it");

    BandProcessor();

    // Sample-rate values; requests a redesign.
    void setSampleRate(float sampleRateHz);
    void setUseCorrection(bool on) { useCorrection_ = on; }

    void setPending(float freqHz, float gainDb, float qFactor);
    void setPendingKind(int kind);

    // processBand: n <= kMaxChunk frames; in and out may alias.
    void process(const float* in, float* out, int n);

    // processBand for the two channels of one slot, run side by side.
    static void processPair(BandProcessor& a, BandProcessor& b, const float* inA, float* outA, const float* inB,
                            float* outB, int n);

    // processBand for one slot's two channels in two halves, so that the
    // engine can gather steady slots into a chain (steady_chain.h):
    // startChunk copies a band that passes its input through and returns
    // false, else picks up its settings and runs one redesign step.
    bool startChunk(const float* in, float* out, int n);
    // The rest of processPair after startChunk of both bands.
    static void continuePair(BandProcessor& a, BandProcessor& b, bool runA, bool runB, const float* inA,
                             float* outA, const float* inB, float* outB, int n);
    // After startChunk of both returned true: when the slot is steady on
    // both channels, with kernels of the same length and either real or
    // identity sections on both, fills the chain member and returns true;
    // the chain then does the rest of the chunk (the tiny-output guards
    // among it), and finishSteadyChain the bookkeeping after it has run,
    // which also readies the member for the next chunk: it may run that as
    // it stands, provided that no setting changes and the redesign is idle
    // (the engine checks those). Over such chunks, a member that does not
    // write its history need not be finished: the engine counts its frames
    // in member.framesRun and settleSteadyChain tells the bands later,
    // before anything else looks at them.
    //
    // When both bands have their slot's input ring (attachInputRing), the
    // member leaves their histories to them: the chain puts the chunk into
    // the ring from ringFrame on, where a kernel's sums find the frames
    // before it too (joinSteadyChain copies them there from the history
    // when the ring does not hold them already), and a band writes the
    // frames a kernel can reach into its history only before it next
    // appends to it itself, joins a chain as a member that writes, or the
    // ring starts again (writeDeferredHistory).
    static bool joinSteadyChain(BandProcessor& a, BandProcessor& b, SteadyMember& member, int ringFrame);
    static void finishSteadyChain(BandProcessor& a, BandProcessor& b, SteadyMember& member, int n);
    static void settleSteadyChain(BandProcessor& a, BandProcessor& b, SteadyMember& member);

    // The input ring of the band's slot (kInputRingFrames frames, both
    // channels interleaved) and the band's channel in it; null: the band
    // always writes its history.
    void attachInputRing(float* ring, int channel) {
        inputRing_ = ring;
        ringChannel_ = channel;
        ringRun_ = 0;
    }
    // Writes the frames the history lacks, as far back as a kernel can
    // reach, from the input ring.
    void writeDeferredHistory();
    // Whether the ring holds the band's last inputs up to ringFrame.
    bool usesRingAt(int ringFrame) const { return ringRun_ > 0 && ringEnd_ == ringFrame; }
    // Before the ring starts again: a band whose inputs do not end at
    // ringFrame writes what its history lacks and leaves the ring; the
    // others' last kInputRingKeep frames are copied from ringFrame to
    // frame `to`.
    void leaveInputRing(int ringFrame) {
        if (ringEnd_ == ringFrame) return;
        writeDeferredHistory();
        ringRun_ = 0;
    }
    void moveRingEnd(int ringFrame, int to) {
        if (ringEnd_ != ringFrame) return;
        ringEnd_ = to;
        if (ringRun_ > kInputRingKeep) ringRun_ = kInputRingKeep;
    }

    // Zeroes all section memories and the history; running = target.
    void resetHistories();
    void requestRedesign() { state_ = kStateDesign; }

    // Inspection (tests, tools).
    int state() const { return state_; }
    int kind() const { return kind_; }
    float currentFreqHz() const { return freqHz_; }
    float currentQ() const { return qFactor_; }
    float currentGainDb() const { return gainDb_; }
    int kernelLength() const { return kernelLength_; }
    float kernelFade() const { return fade_; }
    bool hostSectionValid() const { return hostValidInUse_; }
    const BandPlan& plan() const { return plan_; }
    const float* kernel() const { return currentKernel_; }
    const BiquadSection& mainSection() const { return main_; }
    // The input `back` frames before the next chunk's first (1: the last
    // one) as the history holds it, written or not.
    float historyInput(int back) const {
        int pos = historyPos_ - back % kHistoryLength;
        return history_[pos < 0 ? pos + kHistoryLength : pos];
    }

private:
    bool passesThrough() const;
    void pickUpSettings();
    void advanceDesign();
    void stepDesign();
    void stepResponses();
    void stepKernel();
    void installMain();
    void appendHistory(const float* in, int n);
    void takeInputRing(int ringFrame, int kernelLength);
    void advanceInputRing(int frames, int ringEnd);
    bool beginChunk(const float* in, float* out, int n);
    int playedKernelLength() const;
    bool steadyAfterMain() const;
    bool prepareMainSections();
    void runMainSections(const float* in, float* out, int n, bool plain);
    void finishChunk(float* out, int n);
    void tinyOutputGuard(float* out, int n);
    void addCorrection(float* out, int n);
    const float* historySpan(int length, int n) const;
    void runPostSections(float* out, int n);
    void applyOutputGain(float* out, int n);

    // Pending settings (written by the parameter side).
    std::atomic<float> pendingFreqHz_{1000.0f};
    std::atomic<float> pendingGainDb_{1.0f};
    std::atomic<float> pendingQ_{0.7f};
    std::atomic<int> pendingKind_{7};
    std::atomic<int> kindChanged_{0};

    // Current settings.
    int kind_ = 7;
    float freqHz_ = 1000.0f;
    float qFactor_ = 0.7f;
    float gainDb_ = 1.0f;

    // Sample-rate values.
    float sampleRateHz_ = 44100.0f;
    float rateRatio_ = 1.0f;
    float samplesPerMs_ = 44.1f;
    float invSampleRate_ = 1.0f / 44100.0f;
    double glide_ = 0.0;  // g2, per-sample 2 ms coefficient

    bool useCorrection_ = true;
    int state_ = kStateDesign;

    // Sections as played.
    BiquadSection main_, second_, post_, secondPost_;
    bool hasSecond_ = false, hasPost_ = false, hasSecondPost_ = false;
    bool hostValidInUse_ = true;
    float outGain_ = 1.0f, outGainTarget_ = 1.0f;
    int tinyCount_ = 0, correctionTinyCount_ = 0;

    // The design in progress.
    BandPlan plan_;
    CoefficientSet newMain_ = CoefficientSet::identity();
    CoefficientSet newSecond_ = CoefficientSet::identity();
    CoefficientSet reference_ = CoefficientSet::identity();

    // Correction buffers.
    float sinc_[kMaxSincLength] = {};
    float ref_[kReferenceBufferLength] = {};
    float impulse_[kMaxKernelLength] = {};
    float window_[kMaxKernelLength] = {};
    float kernels_[2][kMaxKernelLength] = {};
    int lastKernel_ = 1;
    const float* currentKernel_ = kernels_[0];
    const float* previousKernel_ = kernels_[1];
    int kernelLength_ = 0;
    float fade_ = 1.0f, fadeComplement_ = 0.0f;

    // Mirrored input history: each sample is written at pos and pos + length.
    float history_[2 * kHistoryLength] = {};
    int historyPos_ = 0;
    // The input ring holds the band's last ringRun_ inputs (up to
    // kInputRingKeep) before frame ringEnd_, among them the last
    // historyBehind_ (up to kMaxKernelLength), which its history lacks.
    float* inputRing_ = nullptr;
    int ringChannel_ = 0;
    int historyBehind_ = 0;
    int ringRun_ = 0;
    int ringEnd_ = 0;
};

}  // namespace solva
