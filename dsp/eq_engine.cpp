#include "dsp/eq_engine.h"

#include <cmath>
#include <cstring>

namespace solva {
namespace {

inline float flushTiny(float v) { return std::fabs(v) < 1e-37f ? 0.0f : v; }

}  // namespace

EqEngine::EqEngine() {
    for (BandProcessor& b : bands_) b.setUseCorrection(true);
    setDeferredHistories(true);
    setSampleRate(44100.0f);
}

void EqEngine::setDeferredHistories(bool on) {
    settleChain();
    for (int c = 0; c < kNumChannels; ++c)
        for (int slot = 0; slot < kNumSlots; ++slot) {
            BandProcessor& b = bandAt(c, slot);
            b.writeDeferredHistory();
            b.attachInputRing(on ? inputRings_[slot] : nullptr, c);
        }
    noteBandChange();
}

// The last chunk's members go on from near the ring's start, where the
// frames a kernel could still reach are copied; any other band writes
// what its history lacks first.
void EqEngine::rewindInputRings() {
    constexpr int keep = kInputRingKeep;
    settleChain();
    for (BandProcessor& b : bands_) b.leaveInputRing(ringFrame_);
    for (int slot = 0; slot < kNumSlots; ++slot) {
        if (!bandAt(0, slot).usesRingAt(ringFrame_) && !bandAt(1, slot).usesRingAt(ringFrame_)) continue;
        float* ring = inputRings_[slot];
        std::memcpy(ring, ring + 2 * (ringFrame_ - keep), sizeof(float) * 2 * keep);
    }
    for (BandProcessor& b : bands_) b.moveRingEnd(ringFrame_, keep);
    ringFrame_ = keep;
}

void EqEngine::setSampleRate(float sampleRateHz) {
    // Below 1 Hz, and a NaN, counts as 1 Hz: a NaN would stay in the gain
    // glides for good.
    const float fs = sampleRateHz >= 1.0f ? sampleRateHz : 1.0f;
    sampleRateHz_ = fs;
    samplesPerMs_ = fs / 1000.0f;
    for (BandProcessor& b : bands_) b.setSampleRate(fs);
    noteBandChange();
    const double n = chunkFrames_;
    const double m = samplesPerMs_;
    c10_ = static_cast<float>(1.0 - std::exp(-n / (10.0 * m)));
    c40_ = static_cast<float>(1.0 - std::exp(-n / (40.0 * m)));
    a_ = static_cast<float>(1.0 - std::exp(-1.0 / (10.0 * m)));
    oneMinusA_ = 1.0f - a_;
}

void EqEngine::setBandSettings(int slot, int channel, float freqHz, float gainDb, float qFactor) {
    if (slot < 0 || slot >= kNumSlots) return;
    for (int c = 0; c < kNumChannels; ++c)
        if (channel < 0 || channel == c) bandAt(c, slot).setPending(freqHz, gainDb, qFactor);
    noteBandChange();
}

void EqEngine::setBandEnabled(int slot, bool enabled) {
    if (slot < 0 || slot >= kNumSlots) return;
    for (int c = 0; c < kNumChannels; ++c) enabled_[c][slot].store(enabled ? 1 : 0, std::memory_order_relaxed);
    noteBandChange();
}

void EqEngine::setBandKind(int slot, int kind) {
    if (slot < 0 || slot >= kNumSlots) return;
    for (int c = 0; c < kNumChannels; ++c) bandAt(c, slot).setPendingKind(kind);
    noteBandChange();
}

void EqEngine::setOutputGainDb(int channel, float gainDb) {
    const float g = static_cast<float>(std::pow(10.0, gainDb / 20.0));
    for (int c = 0; c < kNumChannels; ++c)
        if (channel < 0 || channel == c) outputGainTarget_[c].store(g, std::memory_order_relaxed);
}

void EqEngine::setGeneralOn(bool on) {
    const int off = on ? 0 : 1;
    if (off_.load(std::memory_order_relaxed) != off) transition_.store(1, std::memory_order_relaxed);
    off_.store(off, std::memory_order_relaxed);
    fadeTarget_.store(on ? 1.0f : 0.0f, std::memory_order_relaxed);
}

void EqEngine::setOffKeepsGain(bool on) { offKeepsGain_.store(on ? 1 : 0, std::memory_order_relaxed); }

void EqEngine::setSilenceDetection(bool on) {
    silenceDetection_.store(on ? 1 : 0, std::memory_order_relaxed);
    silent_.store(0, std::memory_order_relaxed);
    silentCount_.store(0, std::memory_order_relaxed);
}

void EqEngine::setMidSide(bool midSideMode, bool inputEncoding, bool outputDecoding) {
    midSide_.store(midSideMode ? 1 : 0, std::memory_order_relaxed);
    inputEncoding_.store(inputEncoding ? 1 : 0, std::memory_order_relaxed);
    outputDecoding_.store(outputDecoding ? 1 : 0, std::memory_order_relaxed);
}

void EqEngine::setUseCorrection(bool on) {
    for (BandProcessor& b : bands_) {
        b.setUseCorrection(on);
        b.requestRedesign();
    }
    noteBandChange();
}

void EqEngine::resetBandHistories() {
    settleChain();
    for (BandProcessor& b : bands_) b.resetHistories();
    noteBandChange();
}

void EqEngine::smoothOutputGain(int c) {
    const float target = outputGainTarget_[c].load(std::memory_order_relaxed);
    outputGain_[c] = flushTiny(outputGain_[c] - (outputGain_[c] - target) * c10_);
}

// Writes the dry signal while the effect is off or crossfading. Returns
// false when the chunk is finished.
bool EqEngine::writeDryAndCrossfade(int n, const float* in0, const float* in1, float* out0, float* out1,
                                    int channels) {
    const bool keepGain = offKeepsGain_.load(std::memory_order_relaxed) != 0;
    const float* ins[2] = {in0, in1};
    float* outs[2] = {out0, out1};
    for (int c = 0; c < channels; ++c) {
        const float g = keepGain ? outputGain_[c] : 1.0f;
        for (int i = 0; i < n; ++i) outs[c][i] = keepGain ? ins[c][i] * g : ins[c][i];
    }
    const bool off = off_.load(std::memory_order_relaxed) != 0;
    if (transition_.load(std::memory_order_relaxed) == 0) {
        for (int c = 0; c < kNumChannels; ++c) smoothOutputGain(c);
        return false;
    }
    const float t = off ? 0.0f : 1.0f;
    if (std::fabs(fade_ - t) <= 0.001f) {
        fade_ = t;
        transition_.store(0, std::memory_order_relaxed);
        return !off;
    }
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < n; ++i) outs[c][i] *= (1.0f - fade_);
    return true;
}

bool EqEngine::inputIsSilent(int n, const float* in0, const float* in1, int channels) const {
    for (int i = 0; i < n; ++i)
        if (std::fabs(in0[i]) > 1e-7f) return false;
    if (channels == 2)
        for (int i = 0; i < n; ++i)
            if (std::fabs(in1[i]) > 1e-7f) return false;
    return true;
}

void EqEngine::updateSilence(int n, const float* out0, const float* out1, int channels) {
    bool quiet = true;
    for (int i = 0; i < n && quiet; ++i) quiet = std::fabs(out0[i]) <= 1e-7f;
    if (channels == 2)
        for (int i = 0; i < n && quiet; ++i) quiet = std::fabs(out1[i]) <= 1e-7f;
    if (!quiet) {
        silentCount_.store(0, std::memory_order_relaxed);
        silent_.store(0, std::memory_order_relaxed);
        return;
    }
    int count = silentCount_.load(std::memory_order_relaxed) + 1;
    if (count > 10) {
        count = 10;
        silent_.store(1, std::memory_order_relaxed);
    }
    silentCount_.store(count, std::memory_order_relaxed);
}

int EqEngine::processChunk(int frames, const float* in0, const float* in1, float* out0, float* out1,
                           int channels) {
    const int n = frames > kChunkFrames ? kChunkFrames : (frames < 0 ? 0 : frames);
    if (channels != 2) channels = 1;
    // A chunk that does not run the stereo path leaves no plan behind.
    const bool planned = planned_;
    planned_ = false;
    fade_ = flushTiny(fade_ - (fade_ - fadeTarget_.load(std::memory_order_relaxed)) * c40_);
    if (off_.load(std::memory_order_relaxed) != 0 || transition_.load(std::memory_order_relaxed) != 0) {
        if (!writeDryAndCrossfade(n, in0, in1, out0, out1, channels)) return n;
    }
    const bool detect = silenceDetection_.load(std::memory_order_relaxed) != 0;
    if (detect && silent_.load(std::memory_order_relaxed) != 0) {
        if (!inputIsSilent(n, in0, in1, channels)) {
            silent_.store(0, std::memory_order_relaxed);
            silentCount_.store(0, std::memory_order_relaxed);
        } else {
            for (int i = 0; i < n; ++i) out0[i] = 0.0f;
            if (channels == 2)
                for (int i = 0; i < n; ++i) out1[i] = 0.0f;
            return n;
        }
    }
    const bool ms = midSide_.load(std::memory_order_relaxed) != 0;
    if (channels == 1) {
        for (int i = 0; i < n; ++i) work_[0][i] = in0[i];
        processChannel(0, n, out0);
    } else {
        if (ms && inputEncoding_.load(std::memory_order_relaxed) != 0) {
            for (int i = 0; i < n; ++i) {
                work_[0][i] = (in0[i] + in1[i]) * 0.5f;
                work_[1][i] = (in0[i] - in1[i]) * 0.5f;
            }
        } else {
            for (int i = 0; i < n; ++i) {
                work_[0][i] = in0[i];
                work_[1][i] = in1[i];
            }
        }
        planned_ = planned;
        processStereo(n, out0, out1);
        if (ms && outputDecoding_.load(std::memory_order_relaxed) != 0) {
            for (int i = 0; i < n; ++i) {
                const float m = out0[i], s = out1[i];
                out0[i] = m + s;
                out1[i] = m - s;
            }
        }
    }
    if (detect) updateSilence(n, out0, out1, channels);
    return n;
}

void EqEngine::runSlot(int c, int slot, float* work, int n) {
    const bool enabled = enabled_[c][slot].load(std::memory_order_relaxed) != 0;
    int& active = active_[c][slot];
    if (!enabled && !active) return;
    BandProcessor& b = bandAt(c, slot);
    if (enabled && active) {
        b.process(work, work, n);
        return;
    }
    for (int i = 0; i < n; ++i) dry_[i] = work[i];
    b.process(work, work, n);
    float fade = bandFade_[c][slot];
    const float a = enabled ? a_ : 0.0f;
    for (int i = 0; i < n; ++i) {
        fade = fade * oneMinusA_ + a;
        work[i] = dry_[i] * (1.0f - fade) + work[i] * fade;
    }
    if (enabled && fade > 0.999f) {
        fade = 1.0f;
        active = 1;
    } else if (!enabled && fade < 0.001f) {
        fade = 0.0f;
        active = 0;
    }
    bandFade_[c][slot] = fade;
}

void EqEngine::processChannel(int c, int n, float* output) {
    settleChain();
    smoothOutputGain(c);
    float* work = work_[c];
    for (int slot = 0; slot < kNumSlots; ++slot) runSlot(c, slot, work, n);
    writeOutput(c, n, output);
}

// The chain of the previous chunk once more, when nothing can have changed
// about its members: returns false when the slots have to be looked at.
bool EqEngine::runPlannedChain(int n) {
    if (!planned_ || !steadyChainRuns(n) || bandChanges_.load(std::memory_order_acquire) != plannedChanges_)
        return false;
    runSteadyChain(chain_, chainCount_, BandProcessor::kHistoryLength, ringFrame_, work_[0], work_[1], n);
    for (int j = 0; j < chainCount_; ++j) {
        SteadyMember& m = chain_[j];
        if (m.writesHistory) {
            const int slot = chainSlots_[j];
            BandProcessor::finishSteadyChain(bandAt(0, slot), bandAt(1, slot), m, n);
        } else {
            m.framesRun += n;
        }
    }
    chainUnsettled_ = true;
    return true;
}

// What the planned chain has left the bands to be told.
void EqEngine::settleChain() {
    if (!chainUnsettled_) return;
    chainUnsettled_ = false;
    for (int j = 0; j < chainCount_; ++j) {
        const int slot = chainSlots_[j];
        BandProcessor::settleSteadyChain(bandAt(0, slot), bandAt(1, slot), chain_[j]);
    }
}

// Both channels slot by slot; a slot that is on and settled on both
// channels runs its two band processors side by side. On chunks of whole
// groups of four frames, consecutive steady slots are gathered into one
// staggered chain.
void EqEngine::processStereo(int n, float* out0, float* out1) {
    smoothOutputGain(0);
    smoothOutputGain(1);
    if (ringFrame_ + n > kInputRingFrames) rewindInputRings();
    if (!runPlannedChain(n)) runSlots(n);
    ringFrame_ += n;
    writeOutput(0, n, out0);
    writeOutput(1, n, out1);
}

void EqEngine::runSlots(int n) {
    settleChain();
    // Read before any setting is picked up: a change counted after this
    // read is looked at in the next chunk.
    const uint32_t changes = bandChanges_.load(std::memory_order_acquire);
    const bool chained = steadyChainRuns(n);
    // Whether the chunk runs as one chain and the slots outside it do
    // nothing, so that the next chunk may run the chain as it stands.
    bool plannable = chained;
    chainCount_ = 0;
    auto runChain = [&] {
        runSteadyChain(chain_, chainCount_, BandProcessor::kHistoryLength, ringFrame_, work_[0], work_[1], n);
        for (int j = 0; j < chainCount_; ++j) {
            BandProcessor& a = bandAt(0, chainSlots_[j]);
            BandProcessor& b = bandAt(1, chainSlots_[j]);
            BandProcessor::finishSteadyChain(a, b, chain_[j], n);
            plannable = plannable && a.state() == BandProcessor::kStateIdle && b.state() == BandProcessor::kStateIdle;
        }
    };
    // A chain broken off by a slot that runs on its own.
    auto breakChain = [&] {
        runChain();
        chainCount_ = 0;
        plannable = false;
    };
    for (int slot = 0; slot < kNumSlots; ++slot) {
        const bool enabled0 = enabled_[0][slot].load(std::memory_order_relaxed) != 0;
        const bool enabled1 = enabled_[1][slot].load(std::memory_order_relaxed) != 0;
        const bool on0 = enabled0 && active_[0][slot] != 0;
        const bool on1 = enabled1 && active_[1][slot] != 0;
        if (!(on0 && on1)) {
            // Off and faded out on both channels: nothing to run.
            if (!enabled0 && !enabled1 && active_[0][slot] == 0 && active_[1][slot] == 0) continue;
            breakChain();
            runSlot(0, slot, work_[0], n);
            runSlot(1, slot, work_[1], n);
            continue;
        }
        BandProcessor& a = bandAt(0, slot);
        BandProcessor& b = bandAt(1, slot);
        if (!chained) {
            BandProcessor::processPair(a, b, work_[0], work_[0], work_[1], work_[1], n);
            continue;
        }
        // In place, a band that passes its input through leaves the buffer
        // as it is, whatever the chain has still to write into it.
        const bool runA = a.startChunk(work_[0], work_[0], n);
        const bool runB = b.startChunk(work_[1], work_[1], n);
        if (!runA && !runB) continue;
        if (runA && runB && BandProcessor::joinSteadyChain(a, b, chain_[chainCount_], ringFrame_)) {
            chainSlots_[chainCount_++] = slot;
            continue;
        }
        breakChain();
        BandProcessor::continuePair(a, b, runA, runB, work_[0], work_[0], work_[1], work_[1], n);
    }
    runChain();
    planned_ = plannable;
    plannedChanges_ = changes;
}

void EqEngine::writeOutput(int c, int n, float* output) {
    const float* work = work_[c];
    const float gain = outputGain_[c];
    const bool crossfading = transition_.load(std::memory_order_relaxed) != 0;
    int clipped = 0;
    if (crossfading) {
        const float wet = fade_;
        for (int i = 0; i < n; ++i) {
            const float y = output[i] + work[i] * gain * wet;
            output[i] = y;
            clipped |= (y > 1.0f) | (y < -1.0f);
        }
    } else {
        for (int i = 0; i < n; ++i) {
            const float y = work[i] * gain;
            output[i] = y;
            clipped |= (y > 1.0f) | (y < -1.0f);
        }
    }
    if (clipped) clip_.store(1, std::memory_order_relaxed);
}

}  // namespace solva
