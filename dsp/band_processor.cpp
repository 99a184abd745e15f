#include "dsp/band_processor.h"

#include <cmath>

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
    if (passesThrough()) {
        if (in != out)
            for (int i = 0; i < n; ++i) out[i] = in[i];
        return;
    }
    pickUpSettings();
    advanceDesign();
    appendHistory(in, n);
    runMainSections(in, out, n);
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
    int pos = historyPos_;
    for (int i = 0; i < n; ++i) {
        history_[pos] = in[i];
        history_[pos + kHistoryLength] = in[i];
        if (++pos == kHistoryLength) pos = 0;
    }
    historyPos_ = pos;
}

void BandProcessor::runMainSections(const float* in, float* out, int n) {
    if (!hostValidInUse_) {
        main_.setTargetIdentity();
        if (hasSecond_) second_.setTargetIdentity();
    }
    double distance = main_.distance();
    if (hasSecond_) distance += second_.distance();
    if (distance <= 0.001) {
        main_.snapToTarget();
        main_.run(in, out, n);
        if (hasSecond_) {
            second_.snapToTarget();
            second_.run(out, out, n);
        }
        return;
    }
    main_.runGliding(in, out, n, glide_);
    if (hasSecond_) second_.runGliding(out, out, n, glide_);
}

void BandProcessor::tinyOutputGuard(float* out, int n) {
    if (n < 1) return;
    const float first = out[0];
    if (first >= 1e-20f) {
        tinyCount_ = 0;
        return;
    }
    if (first == 0.0f) return;
    if (++tinyCount_ <= 20) return;
    tinyCount_ = 20;
    for (int i = 0; i < n; ++i)
        if (std::fabs(out[i]) < 1e-37f) out[i] = 0.0f;
    main_.flushTinyMemories();
    second_.flushTinyMemories();
}

namespace {

// Sum of kernel[k] * x[-k] for k < length; x points at the current sample
// in the upper half of the mirrored history.
inline double firSum(const float* kernel, const float* x, int length) {
    double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
    int k = 0;
    for (; k + 4 <= length; k += 4) {
        s0 += static_cast<double>(kernel[k]) * x[-k];
        s1 += static_cast<double>(kernel[k + 1]) * x[-k - 1];
        s2 += static_cast<double>(kernel[k + 2]) * x[-k - 2];
        s3 += static_cast<double>(kernel[k + 3]) * x[-k - 3];
    }
    for (; k < length; ++k) s0 += static_cast<double>(kernel[k]) * x[-k];
    return (s0 + s1) + (s2 + s3);
}

}  // namespace

void BandProcessor::addCorrection(float* out, int n) {
    const int length = kernelLength_;
    if (length < 1) {
        fade_ = 1.0f;
        fadeComplement_ = 0.0f;
        return;
    }
    int pos = historyPos_ - n;
    if (pos < 0) pos += kHistoryLength;
    if (fade_ >= 0.99f) {
        for (int i = 0; i < n; ++i) {
            const float* x = &history_[pos + kHistoryLength];
            out[i] = static_cast<float>(out[i] + firSum(currentKernel_, x, length));
            if (++pos == kHistoryLength) pos = 0;
        }
    } else {
        const double g2 = glide_;
        double c = fade_;
        for (int i = 0; i < n; ++i) {
            c = g2 + (1.0 - g2) * c;
            const float* x = &history_[pos + kHistoryLength];
            const double now = firSum(currentKernel_, x, length);
            const double before = firSum(previousKernel_, x, length);
            out[i] = static_cast<float>(out[i] + c * now + (1.0 - c) * before);
            if (++pos == kHistoryLength) pos = 0;
        }
        fade_ = static_cast<float>(c);
        fadeComplement_ = static_cast<float>(1.0 - c);
    }
    if (n < 1) return;
    const float first = out[0];
    if (first >= 1e-20f) {
        correctionTinyCount_ = 0;
    } else if (first != 0.0f && ++correctionTinyCount_ > 20) {
        correctionTinyCount_ = 20;
        for (int i = 0; i < n; ++i)
            if (std::fabs(out[i]) < 1e-37f) out[i] = 0.0f;
    }
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
