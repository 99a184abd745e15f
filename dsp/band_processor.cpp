#include "dsp/band_processor.h"

#include <cmath>

#include "dsp/kernel_sum.h"
#include "dsp/mirrored_history.h"
#include "dsp/tiny_output_guard.h"

namespace solva {

BandProcessor::BandProcessor() { setSampleRate(44100.0f); }

void BandProcessor::setSampleRate(float fs) {
    sampleRateHz_ = fs;
    rateRatio_ = fs / 44100.0f;
    samplesPerMs_ = fs * 0.001f;
    invSampleRate_ = 1.0f / fs;
    glide_ = 1.0 - std::exp(-1.0 / (2.0 * samplesPerMs_));
    state_ = kStateDesign;
}

void BandProcessor::setPending(float freqHz, float gainDb, float qFactor) {
    pendingFreqHz_.store(freqHz, std::memory_order_relaxed);
    pendingGainDb_.store(gainDb, std::memory_order_relaxed);
    pendingQ_.store(qFactor, std::memory_order_relaxed);
}

void BandProcessor::setPendingKind(int kind) {
    pendingKind_.store(kind, std::memory_order_relaxed);
    kindChanged_.store(1, std::memory_order_release);
}

void BandProcessor::resetHistories() {
    BiquadSection* sections[4] = {&main_, &second_, &post_, &secondPost_};
    for (BiquadSection* s : sections) {
        s->clearMemories();
        s->snapToTarget();
    }
    for (float& h : history_) h = 0.0f;
    historyBehind_ = 0;
    ringRun_ = 0;
}

bool BandProcessor::passesThrough() const {
    return kind_ == 14 && pendingKind_.load(std::memory_order_relaxed) == 14 && gainDb_ == 0.0f &&
           pendingGainDb_.load(std::memory_order_relaxed) == 0.0f;
}

void BandProcessor::pickUpSettings() {
    const float f = pendingFreqHz_.load(std::memory_order_relaxed);
    const float q = pendingQ_.load(std::memory_order_relaxed);
    const float g = pendingGainDb_.load(std::memory_order_relaxed);
    if (f != freqHz_ || q != qFactor_ || g != gainDb_) state_ = kStateDesign;
    freqHz_ = f;
    qFactor_ = q;
    gainDb_ = g;
    if (kindChanged_.load(std::memory_order_acquire) != 0) {
        kindChanged_.store(0, std::memory_order_relaxed);
        kind_ = pendingKind_.load(std::memory_order_relaxed);
        state_ = kStateDesign;
    }
}

void BandProcessor::process(const float* in, float* out, int n) {
    if (!beginChunk(in, out, n)) return;
    runMainSections(in, out, n, prepareMainSections());
    finishChunk(out, n);
}

void BandProcessor::processPair(BandProcessor& a, BandProcessor& b, const float* inA, float* outA,
                                const float* inB, float* outB, int n) {
    const bool runA = a.startChunk(inA, outA, n);
    const bool runB = b.startChunk(inB, outB, n);
    continuePair(a, b, runA, runB, inA, outA, inB, outB, n);
}

void BandProcessor::continuePair(BandProcessor& a, BandProcessor& b, bool runA, bool runB, const float* inA,
                                 float* outA, const float* inB, float* outB, int n) {
    if (runA) a.appendHistory(inA, n);
    if (runB) b.appendHistory(inB, n);
    const bool plainA = runA && a.prepareMainSections();
    const bool plainB = runB && b.prepareMainSections();
    if (plainA && plainB && !(a.main_.isIdentity() && b.main_.isIdentity())) {
        // Two independent recursions side by side: the latency of one
        // hides behind the other.
        BiquadSection::runPair(a.main_, b.main_, inA, outA, inB, outB, n);
    } else {
        if (runA) a.runMainSections(inA, outA, n, plainA);
        if (runB) b.runMainSections(inB, outB, n, plainB);
    }
    if (runA) a.finishChunk(outA, n);
    if (runB) b.finishChunk(outB, n);
}

int BandProcessor::playedKernelLength() const { return useCorrection_ && kernelLength_ > 0 ? kernelLength_ : 0; }

// What follows the main section changes nothing but the samples this chunk:
// no post sections, and a settled correction and band gain.
bool BandProcessor::steadyAfterMain() const {
    return !hasPost_ && std::fabs(outGain_ - outGainTarget_) <= 0.001f &&
           (playedKernelLength() == 0 || fade_ >= 0.99f);
}

bool BandProcessor::joinSteadyChain(BandProcessor& a, BandProcessor& b, SteadyMember& member, int ringFrame) {
    const bool plainA = a.prepareMainSections();
    const bool plainB = b.prepareMainSections();
    const int length = a.playedKernelLength();
    const bool identity = a.main_.isIdentity();
    if (!plainA || !plainB || !a.steadyAfterMain() || !b.steadyAfterMain() || b.playedKernelLength() != length ||
        b.main_.isIdentity() != identity)
        return false;
    const bool defer = a.inputRing_ != nullptr && a.inputRing_ == b.inputRing_;
    BandProcessor* bands[2] = {&a, &b};
    for (int c = 0; c < 2; ++c) {
        BandProcessor& band = *bands[c];
        if (defer) {
            band.takeInputRing(ringFrame, length);
        } else {
            band.writeDeferredHistory();
            band.ringRun_ = 0;
        }
        band.outGain_ = band.outGainTarget_;
        member.channel[c] = {&band.main_, &band.second_, length > 0 ? band.currentKernel_ : nullptr,
                             band.history_, band.historyPos_, band.outGain_, band.tinyCount_,
                             band.correctionTinyCount_, 0.0f, 0.0f};
        if (length == 0) {  // as addCorrection leaves a band without a kernel
            band.fade_ = 1.0f;
            band.fadeComplement_ = 0.0f;
        }
    }
    member.kernelLength = length;
    member.identity = identity;
    member.framesRun = 0;
    member.writesHistory = !defer;
    member.inputRing = defer ? a.inputRing_ : nullptr;
    if (defer) interleaveKernels(member);
    return true;
}

// The chunk goes into the ring at ringFrame: the band's inputs there must
// run on from its last ones, and a kernel's sums need length - 1 of them.
void BandProcessor::takeInputRing(int ringFrame, int kernelLength) {
    if (ringEnd_ != ringFrame) {
        writeDeferredHistory();
        ringRun_ = 0;
        ringEnd_ = ringFrame;
    }
    const int span = kernelLength - 1;
    if (span <= ringRun_) return;
    writeDeferredHistory();
    float* frames = inputRing_ + 2 * (ringFrame - span) + ringChannel_;
    int pos = historyPos_ - span;
    if (pos < 0) pos += kHistoryLength;
    for (int i = 0; i < span; ++i) frames[2 * i] = history_[pos + i];
    ringRun_ = span;
}

// A member that writes its history moves on to the next chunk's positions;
// one that leaves it runs on in the ring from where joinSteadyChain put it.
void BandProcessor::finishSteadyChain(BandProcessor& a, BandProcessor& b, SteadyMember& member, int n) {
    if (member.writesHistory) {
        BandProcessor* bands[2] = {&a, &b};
        for (int c = 0; c < 2; ++c) {
            BandProcessor& band = *bands[c];
            band.historyPos_ = (band.historyPos_ + n) % kHistoryLength;
            member.channel[c].position = band.historyPos_;
        }
    } else {
        member.framesRun += n;
    }
    settleSteadyChain(a, b, member);
}

void BandProcessor::settleSteadyChain(BandProcessor& a, BandProcessor& b, SteadyMember& member) {
    BandProcessor* bands[2] = {&a, &b};
    for (int c = 0; c < 2; ++c) {
        BandProcessor& band = *bands[c];
        band.tinyCount_ = member.channel[c].tinyCount;
        band.correctionTinyCount_ = member.channel[c].correctionTinyCount;
        if (member.framesRun > 0) band.advanceInputRing(member.framesRun, band.ringEnd_ + member.framesRun);
    }
    member.framesRun = 0;
}

// Another `frames` inputs, up to ring frame ringEnd, went into the ring
// and not into the history.
void BandProcessor::advanceInputRing(int frames, int ringEnd) {
    historyPos_ = (historyPos_ + frames) % kHistoryLength;
    const int behind = historyBehind_ + frames;
    historyBehind_ = behind < kMaxKernelLength ? behind : kMaxKernelLength;
    const int run = ringRun_ + frames;
    ringRun_ = run < kInputRingKeep ? run : kInputRingKeep;
    ringEnd_ = ringEnd;
}

// A kernel of up to kMaxKernelLength taps reaches kMaxKernelLength - 1
// frames back from the next chunk's first frame.
void BandProcessor::writeDeferredHistory() {
    int count = historyBehind_ < kMaxKernelLength - 1 ? historyBehind_ : kMaxKernelLength - 1;
    if (count > ringRun_) count = ringRun_;
    historyBehind_ = 0;
    if (count < 1) return;
    const float* frames = inputRing_ + 2 * (ringEnd_ - count) + ringChannel_;
    int pos = historyPos_ - count;
    if (pos < 0) pos += kHistoryLength;
    for (int i = 0; i < count; ++i) {
        history_[pos] = history_[pos + kHistoryLength] = frames[2 * i];
        if (++pos == kHistoryLength) pos = 0;
    }
}

bool BandProcessor::beginChunk(const float* in, float* out, int n) {
    if (!startChunk(in, out, n)) return false;
    appendHistory(in, n);
    return true;
}

bool BandProcessor::startChunk(const float* in, float* out, int n) {
    if (passesThrough()) {
        if (in != out)
            for (int i = 0; i < n; ++i) out[i] = in[i];
        return false;
    }
    pickUpSettings();
    advanceDesign();
    return true;
}

void BandProcessor::finishChunk(float* out, int n) {
    tinyOutputGuard(out, n);
    if (useCorrection_) {
        addCorrection(out, n);
    } else {
        fade_ = 1.0f;
        fadeComplement_ = 0.0f;
    }
    runPostSections(out, n);
    applyOutputGain(out, n);
}

void BandProcessor::appendHistory(const float* in, int n) {
    writeDeferredHistory();
    ringRun_ = 0;  // these inputs do not go into the ring
    int pos = historyPos_;
    appendMirrored(history_, kHistoryLength, pos, in, n);
    pos += n;
    if (pos >= kHistoryLength) pos -= kHistoryLength;
    historyPos_ = pos;
}

// Forces the identity on a disabled host section and settles the glide;
// returns true when only the main section runs, with fixed coefficients.
bool BandProcessor::prepareMainSections() {
    if (!hostValidInUse_) {
        main_.setTargetIdentity();
        if (hasSecond_) second_.setTargetIdentity();
    }
    double distance = main_.distance();
    if (hasSecond_) distance += second_.distance();
    if (distance > 0.001) return false;
    main_.snapToTarget();
    if (hasSecond_) second_.snapToTarget();
    return !hasSecond_;
}

void BandProcessor::runMainSections(const float* in, float* out, int n, bool plain) {
    if (plain) {
        if (main_.isIdentity()) {
            main_.passThrough(in, out, n);
        } else {
            main_.run(in, out, n);
        }
        return;
    }
    const bool fixed = main_.distance() + (hasSecond_ ? second_.distance() : 0.0) == 0.0;
    if (fixed) {
        main_.run(in, out, n);
        if (hasSecond_) second_.run(out, out, n);
        return;
    }
    main_.runGliding(in, out, n, glide_);
    if (hasSecond_) second_.runGliding(out, out, n, glide_);
}

void BandProcessor::tinyOutputGuard(float* out, int n) {
    if (n < 1 || !countTinyOutput(out[0], tinyCount_)) return;
    flushTinyOutputs(out, n);
    main_.flushTinyMemories();
    second_.flushTinyMemories();
}

// The chunk's n samples and the length - 1 before them, oldest first: the
// mirrored history holds the last kHistoryLength samples in time order from
// any ring position, so they are one contiguous stretch.
const float* BandProcessor::historySpan(int length, int n) const {
    int start = historyPos_ - n - (length - 1);
    while (start < 0) start += kHistoryLength;
    return &history_[start];
}

void BandProcessor::addCorrection(float* out, int n) {
    const int length = kernelLength_;
    if (length < 1) {
        fade_ = 1.0f;
        fadeComplement_ = 0.0f;
        return;
    }
    const float* x = historySpan(length, n);
    float now[kMaxChunk];
    kernelSums(currentKernel_, length, n, x, now);
    if (fade_ >= 0.99f) {
        for (int i = 0; i < n; ++i) out[i] = static_cast<float>(out[i] + now[i]);
    } else {
        float before[kMaxChunk];
        kernelSums(previousKernel_, length, n, x, before);
        const double g2 = glide_;
        double c = fade_;
        for (int i = 0; i < n; ++i) {
            c = g2 + (1.0 - g2) * c;
            out[i] = static_cast<float>(out[i] + c * now[i] + (1.0 - c) * before[i]);
        }
        fade_ = static_cast<float>(c);
        fadeComplement_ = static_cast<float>(1.0 - c);
    }
    if (n > 0 && countTinyOutput(out[0], correctionTinyCount_)) flushTinyOutputs(out, n);
}

void BandProcessor::runPostSections(float* out, int n) {
    if (!hasPost_) return;
    double distance = post_.distance();
    if (hasSecondPost_) distance += secondPost_.distance();
    if (distance <= 0.001) {
        post_.snapToTarget();
        post_.run(out, out, n);
        if (hasSecondPost_) {
            secondPost_.snapToTarget();
            secondPost_.run(out, out, n);
        }
        return;
    }
    post_.runGliding(out, out, n, glide_);
    if (hasSecondPost_) secondPost_.runGliding(out, out, n, glide_);
}

void BandProcessor::applyOutputGain(float* out, int n) {
    if (std::fabs(outGain_ - outGainTarget_) <= 0.001f) {
        outGain_ = outGainTarget_;
        if (outGainTarget_ != 1.0f)
            for (int i = 0; i < n; ++i) out[i] *= outGain_;
        return;
    }
    double g = outGain_;
    const double target = outGainTarget_;
    for (int i = 0; i < n; ++i) {
        g -= (g - target) * glide_;
        out[i] = static_cast<float>(out[i] * g);
    }
    outGain_ = static_cast<float>(g);
}

}  // namespace solva
