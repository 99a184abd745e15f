#include "fit_eval.h"

#include <cmath>

#include "dsp/band_kind.h"
#include "dsp/band_plan.h"
#include "dsp/correction_kernel.h"
#include "dsp/response_analysis.h"
#include "dsp/section_design.h"

namespace solva {

namespace {
constexpr double kPi = 3.141592653589793;
using C = std::complex<double>;

C biquadAt(const CoefficientSet& c, C zInv) {
    const C z2 = zInv * zInv;
    return (c.b0() + c.b1() * zInv + c.b2() * z2) / (1.0 + c.a1() * zInv + c.a2() * z2);
}
}  // namespace

// The three accuracy targets on one scale, the peak first: a 0.35 dB peak,
// a 0.1 dB RMS and a 20 degree phase error (up to 10 kHz) all cost 0.35.
// The worst of them decides; their sum breaks ties so that the others
// still improve. The 12 dB low-pass kernels cannot remove the half-sample
// delay of their band-limited reference (about 40 degrees at 10 kHz, the
// same for every good kernel), so there the phase error decides only from
// 47 degrees on: weighed as for the other kinds it would hold the
// kernels' centres low at the level error's expense.
double targetCost(const FitError& e, int kind) {
    const double mag = e.magDb, rms = 3.5 * e.rmsDb, phase = 0.0175 * e.phaseLowDeg;
    const double decidingPhase = kind == kKindLowPass2 ? 0.0075 * e.phaseLowDeg : phase;
    return std::fmax(mag, std::fmax(rms, decidingPhase)) + 0.1 * (mag + rms + phase);
}

FitPoint makeFitPoint(int kind, float f, float q, float g, float fs, int numFreqs, double topStepHz) {
    FitPoint p{kind, f, q, g, fs, {}, {}, numFreqs};
    const double hi = std::fmin(20000.0, fs * 0.5 * 0.999);
    for (int i = 0; i < numFreqs; ++i)
        p.freqs.push_back(20.0 * std::pow(hi / 20.0, static_cast<double>(i) / (numFreqs - 1)));
    // Narrow dips where kernel and host section cancel sit in the top
    // octave, where log spacing is coarse.
    if (topStepHz > 0.0)
        for (double fr = 0.6 * hi + 0.5 * topStepHz; fr < hi; fr += topStepHz) p.freqs.push_back(fr);
    for (double fr : p.freqs) p.analog.push_back(analogBandResponse(kind, fr, f, q, g, fs));
    return p;
}

FitError evaluateTrial(const FitPoint& p, const Trial& t) {
    BandPlan plan = baseBandPlan(p.kind, p.freqHz, p.qFactor, p.gainDb);
    CorrectionRequest r;
    r.length = t.length;
    r.sincIndex = t.sincIndex;
    r.sincCentre = static_cast<float>(t.centre);
    r.flatFraction = static_cast<float>(t.flat);
    r.freqHz = static_cast<float>(p.freqHz * t.freqRatio);
    r.qFactor = static_cast<float>(p.qFactor * t.qRatio);
    r.q2Factor = r.qFactor;
    r.gainDb = static_cast<float>(p.gainDb + t.gainDeltaDb);
    r.outputGain = static_cast<float>(t.outputGain);
    r.hasOutputGain = true;
    applyCorrection(plan, r);
    finishBandPlan(plan, p.sampleRateHz);
    return evaluatePlan(p, plan);
}

FitError evaluatePlan(const FitPoint& p, const BandPlan& plan) {
    const float fs = p.sampleRateHz;
    CoefficientSet host = CoefficientSet::identity();
    if (plan.hostValid) designPrototype(plan.host, host, fs, plan.numeratorScaling);
    float kernel[kMaxKernelLength] = {};
    const int length = plan.length > kMaxKernelLength ? kMaxKernelLength : plan.length;
    if (length > 0) {
        CoefficientSet ref = CoefficientSet::identity();
        designPrototype(plan.reference, ref, 4.0f * fs, plan.numeratorScaling);
        float sinc[kMaxSincLength], refResp[kReferenceBufferLength], h[kMaxKernelLength], w[kMaxKernelLength];
        buildWindowedSinc(sinc, plan.sincLength, plan.sincCentre);
        hostImpulseResponse(host, h, length);
        referenceResponse(ref, sinc, plan.sincLength, length, refResp);
        buildKernelWindow(w, length, plan.flatFraction);
        buildKernel(kernel, refResp, plan.sincLength, h, w, length);
    }
    FitError e;
    double sumSq = 0.0;
    for (size_t i = 0; i < p.freqs.size(); ++i) {
        const double wd = 2.0 * kPi * p.freqs[i] / fs;
        const C zInv = std::polar(1.0, -wd);
        C h = biquadAt(host, zInv);
        C zk = 1.0;
        for (int k = 0; k < length; ++k) {
            h += static_cast<double>(kernel[k]) * zk;
            zk *= zInv;
        }
        h *= static_cast<double>(plan.outputGain);
        const C ratio = h / p.analog[i];
        const double mag = std::fabs(20.0 * std::log10(std::abs(ratio) + 1e-300));
        const double ph = std::fabs(std::arg(ratio)) * 180.0 / kPi;
        e.magDb = std::fmax(e.magDb, mag);
        e.phaseDeg = std::fmax(e.phaseDeg, ph);
        if (p.freqs[i] <= 10000.0) e.phaseLowDeg = std::fmax(e.phaseLowDeg, ph);
        if (static_cast<int>(i) < p.logCount) sumSq += mag * mag;
    }
    if (p.logCount > 0) e.rmsDb = std::sqrt(sumSq / static_cast<double>(p.logCount));
    e.cost = targetCost(e, p.kind);
    return e;
}

}  // namespace solva
