// BandProcessor's redesign state machine: one step per processed chunk.
#include <cmath>

#include "dsp/band_processor.h"
#include "dsp/section_design.h"

namespace solva {

void BandProcessor::advanceDesign() {
    switch (state_) {
    case kStateDesign: stepDesign(); break;
    case kStateResponses: stepResponses(); break;
    case kStateWaiting:
        if (fade_ > 0.99f) state_ = kStateKernel;
        break;
    case kStateKernel: stepKernel(); break;
    default: break;
    }
}

void BandProcessor::stepDesign() {
    BandPlan plan = planBand(kind_, freqHz_, qFactor_, gainDb_, sampleRateHz_, useCorrection_);
    if (!plan.designed) {  // a kind without a setup keeps what it has
        state_ = kStateIdle;
        return;
    }
    if (plan.length > kMaxKernelLength) plan.length = kMaxKernelLength;
    plan_ = plan;
    const float fs = sampleRateHz_;
    const bool scaling = plan.numeratorScaling;
    if (plan.hostValid) designPrototype(plan.host, newMain_, fs, scaling);
    else newMain_ = CoefficientSet::identity();
    newSecond_ = CoefficientSet::identity();
    if (plan.hasSecond && plan.hostValid) designPrototype(plan.second, newSecond_, fs, scaling);
    if (plan.length > 0) designPrototype(plan.reference, reference_, 4.0f * fs, scaling);

    // Post sections take effect at once.
    CoefficientSet post = CoefficientSet::identity();
    if (plan.hasPost) designPrototype(plan.post, post, fs, scaling);
    post_.setTarget(post);
    CoefficientSet secondPost = CoefficientSet::identity();
    if (plan.hasSecondPost) designPrototype(plan.secondPost, secondPost, fs, scaling);
    secondPost_.setTarget(secondPost);
    hasPost_ = plan.hasPost;
    hasSecondPost_ = plan.hasSecondPost;

    if (plan.length > 0) {
        buildWindowedSinc(sinc_, plan.sincLength, plan.sincCentre);
        state_ = kStateResponses;
        return;
    }
    installMain();
    kernelLength_ = 0;
    // The idle kernel buffer becomes the next crossfade's starting point.
    for (float& k : kernels_[lastKernel_]) k = 0.0f;
    state_ = kStateIdle;
}

void BandProcessor::stepResponses() {
    hostImpulseResponse(newMain_, impulse_, plan_.length);
    referenceResponse(reference_, sinc_, plan_.sincLength, plan_.length, ref_);
    state_ = fade_ <= 0.99f ? kStateWaiting : kStateKernel;
}

void BandProcessor::stepKernel() {
    const int length = plan_.length;
    buildKernelWindow(window_, length, plan_.flatFraction);
    const int next = 1 - lastKernel_;
    buildKernel(kernels_[next], ref_, plan_.sincLength, impulse_, window_, length);
    for (int i = length; i < kMaxKernelLength; ++i) kernels_[next][i] = 0.0f;
    lastKernel_ = next;
    previousKernel_ = currentKernel_;
    currentKernel_ = kernels_[next];
    installMain();
    kernelLength_ = length;
    state_ = kStateIdle;
}

// Installs the main (and second main) sections, the band output gain and
// the validity flag, and restarts the kernel crossfade.
void BandProcessor::installMain() {
    main_.setTarget(newMain_);
    hasSecond_ = plan_.hasSecond;
    second_.setTarget(newSecond_);
    hostValidInUse_ = plan_.hostValid;
    outGainTarget_ = plan_.outputGain;
    fade_ = 0.0f;
    fadeComplement_ = 1.0f;
}

}  // namespace solva
