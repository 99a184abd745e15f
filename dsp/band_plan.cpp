#include "dsp/band_plan.h"

#include <algorithm>
#include <cmath>

#include "dsp/band_kind.h"

namespace solva {
namespace {

SectionDesign record(int type, float freqHz, float qFactor, float gainDb) {
    SectionDesign r;
    r.type = type;
    r.freqHz = freqHz;
    r.qFactor = qFactor;
    r.q2Factor = qFactor;
    r.gainDb = gainDb;
    return r;
}

void setMain(BandPlan& p, int hostType, int refType, float f, float q, float g) {
    p.host = record(hostType, f, q, g);
    p.reference = record(refType, f, q, g);
    p.hasReference = true;
}

void setBandPassPost(BandPlan& p, float f, float q) {
    p.post = record(kDesignHighPass2, f, std::min(q, 1.0f), 0.0f);
    p.hasPost = true;
}

}  // namespace

BandPlan baseBandPlan(int kind, float f, float q, float g) {
    BandPlan p;
    p.designed = true;
    switch (kind) {
    case kKindHighPass1: setMain(p, kDesignHighPass1, kDesignHighPass1, f, q, g); break;
    case kKindHighPass2: p.host = record(kDesignHighPass2, f, q, g); break;
    case kKindHighPass2Double:
        p.host = record(kDesignHighPass2, f, q, g);
        p.second = record(kDesignHighPass2, f, 0.707f, g);
        p.hasSecond = true;
        break;
    case kKindLowPass1: setMain(p, kDesignLowPass1, kDesignLowPass1, f, q, g); break;
    case kKindLowPass2: setMain(p, kDesignLowPass2, kDesignLowPass2, f, q, g); break;
    case kKindLowPass3:
        setMain(p, kDesignLowPass2, kDesignLowPass2, f, q, g);
        p.second = record(kDesignLowPass1, f, q, g);
        p.hasSecond = true;
        break;
    case kKindLowPass4:
        setMain(p, kDesignLowPass2, kDesignLowPass2, f, q, g);
        p.second = record(kDesignLowPass2, f, 1.0f, g);
        p.hasSecond = true;
        break;
    case kKindHighShelfA:
    case kKindHighShelfB: setMain(p, kDesignHighShelfRaised, kDesignHighShelfRaised, f, q, g); break;
    case kKindLowShelfA:
    case kKindLowShelfB: setMain(p, kDesignLowShelfLowered, kDesignLowShelfLowered, f, q, g); break;
    case kKindBell: setMain(p, kDesignPeakNyquistAnalogQ, kDesignPeak, f, q, g); break;
    case kKindBandPass6:
        setMain(p, kDesignLowPass1, kDesignBandPass, f, q, g);
        p.post = record(kDesignHighPass1, f, 1.0f, 0.0f);
        p.hasPost = true;
        p.numeratorScaling = true;
        break;
    case kKindBandPass12:
        setMain(p, kDesignLowPass2, kDesignBandPass, f, q, g);
        setBandPassPost(p, f, q);
        p.numeratorScaling = true;
        break;
    case kKindBandPass18:
        setMain(p, kDesignLowPass2, kDesignLowPass2, f, q, g);
        setBandPassPost(p, f, q);
        p.second = record(kDesignLowPass1, f, q, g);
        p.hasSecond = true;
        p.secondPost = record(kDesignHighPass1, f, q, 0.0f);
        p.hasSecondPost = true;
        p.outputGain = static_cast<float>(std::pow(10.0, -0.6));
        p.numeratorScaling = true;
        break;
    case kKindBandPass24:
        setMain(p, kDesignLowPass2, kDesignLowPass2, f, q, g);
        setBandPassPost(p, f, q);
        p.second = record(kDesignLowPass2, f, 1.0f, g);
        p.hasSecond = true;
        p.secondPost = record(kDesignHighPass2, f, std::min(q, 1.0f), 0.0f);
        p.hasSecondPost = true;
        p.numeratorScaling = true;
        break;
    default: p.designed = false; break;
    }
    return p;
}

const CorrectionTable* correctionTableForKind(int kind, bool& negateGain) {
    negateGain = false;
    switch (kind) {
    case kKindHighPass1: return &highPass1Table();
    case kKindLowPass1:
    case kKindBandPass6: return &lowPass1Table();
    case kKindLowPass2:
    case kKindLowPass3:
    case kKindLowPass4:
    case kKindBandPass12:
    case kKindBandPass18:
    case kKindBandPass24: return &lowPass2Table();
    case kKindHighShelfA: return &shelfTableA();
    case kKindHighShelfB: return &shelfTableB();
    case kKindLowShelfA: negateGain = true; return &shelfTableA();
    case kKindLowShelfB: negateGain = true; return &shelfTableB();
    case kKindBell: return &bellTable();
    default: return nullptr;
    }
}

void applyCorrection(BandPlan& p, const CorrectionRequest& r) {
    p.hostValid = r.hostValid;
    if (r.hostType > 1) p.host.type = r.hostType;
    if (r.hostValid) {
        p.host.freqHz = r.freqHz;
        p.host.qFactor = r.qFactor;
        p.host.q2Factor = r.q2Factor;
        p.host.gainDb = r.gainDb;
    }
    p.length = r.length;
    p.sincLength = sincLengthForIndex(r.sincIndex);
    p.sincCentre = r.sincCentre;
    p.flatFraction = r.flatFraction;
    if (r.hasOutputGain) p.outputGain = r.outputGain;
}

void finishBandPlan(BandPlan& p, float fs) {
    if (!p.hasReference || p.length <= 0) {
        p.length = 0;
        p.hasReference = false;
    }
    if (p.hasReference && p.host.freqHz > fs / 2.0f) p.hostValid = false;
}

BandPlan bellAboveTablePlan(float gainDb) {
    constexpr float kDeepestAboveTableStep = -1.0f;
    static const float kGain[10] = {-15, -10, -5, -2, -0.01f, 0, 2, 5, 10, 15};
    static const float kFreq[10] = {25000, 30000, 30000, 25000, 30000, 50000, 50000, 45000, 40000, 30000};
    static const float kQ[10] = {5, 8, 10, 12, 10, 0.35f, 0.35f, 0.35f, 0.38f, 0.875f};
    static const float kRefGain[10] = {-40, -38, -31, -23, 0, 0, 10, 15, 20, 30};
    static const float kLength[10] = {44, 44, 44, 44, 44, 24, 24, 24, 24, 24};
    static const float kCentre[10] = {0.4442f, 0.3862f, 0.395f, 0.44695f, 0.499995f,
                                      0.5f, 0.55115f, 0.5572f, 0.55545f, 0.5551f};
    static const float kOutGain[10] = {1.003275f, 1.008858f, 1.01697f, 1.017677f, 1.0f,
                                       1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    int lo = 0;
    while (lo + 1 < 10 && kGain[lo + 1] <= gainDb) ++lo;
    float t = 0.0f;
    int hi = lo;
    if (lo < 9) {
        hi = lo + 1;
        t = (gainDb - kGain[lo]) / (kGain[hi] - kGain[lo]);
    }
    // Below -15 dB the first interval extrapolates, but only one interval
    // far (-20 dB): the warped cuts of narrow bells reach -28.7 dB, where the
    // reference Q would turn negative and its section unstable.
    t = std::max(t, kDeepestAboveTableStep);
    auto at = [&](const float* row) { return row[lo] * (1.0f - t) + row[hi] * t; };
    BandPlan p;
    p.designed = true;
    p.host = record(kDesignPeak, at(kFreq), at(kQ), at(kRefGain));
    p.reference = p.host;
    p.hasReference = true;
    p.hostValid = false;
    p.length = static_cast<int>(std::floor(at(kLength)));
    p.sincCentre = at(kCentre);
    p.outputGain = at(kOutGain);
    p.sincLength = sincLengthForIndex(12);
    p.flatFraction = 0.8f;
    return p;
}

bool bellAboveTable(float freqHz, float fs) { return freqHz > 20000.0f * (fs / 44100.0f) || freqHz >= kAirFreqHz; }

BandPlan planBand(int kind, float f, float q, float g, float fs, bool useCorrection) {
    const float ratio = fs / 44100.0f;
    if (kind == kKindBell && bellAboveTable(f, fs)) {
        BandPlan p = bellAboveTablePlan(g);
        if (!useCorrection) p.length = 0;
        finishBandPlan(p, fs);
        return p;
    }
    BandPlan p = baseBandPlan(kind, f, q, g);
    if (!p.designed) return p;
    bool negate = false;
    const CorrectionTable* table = correctionTableForKind(kind, negate);
    if (table && useCorrection) {
        CorrectionRequest r = lookupCorrection(*table, f, q, negate ? -g : g, ratio);
        if (negate) r.gainDb = -r.gainDb;
        applyCorrection(p, r);
    }
    finishBandPlan(p, fs);
    return p;
}

}  // namespace solva
