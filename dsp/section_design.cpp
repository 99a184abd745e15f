#include "dsp/section_design.h"

#include <cmath>

namespace solva {
namespace {

using LD = long double;
constexpr LD kPi = 3.141592653589793238462643383279502884L;
// pi^2 as written into the Nyquist-gain formula.
constexpr LD kPiSquared = 9.869604401089358L;

void setIdentity(CoefficientSet& c) { c = CoefficientSet::identity(); }

// 10^(dB / 20) in long double. exp2l agrees with powl(10, dB / 20) to a few
// units in the last place of long double, far below the double coefficients,
// at a twentieth of its cost: every design step of a moving band pays it.
LD gainFromDb(LD db) {
    constexpr LD kLog2Of10Over20 = 3.321928094887362347870319429489390175865L / 20.0L;
    return std::exp2(db * kLog2Of10Over20);
}

// Pre-warped angular frequency, single precision throughout.
LD prewarpedOmega(float freqHz, float fd) {
    const float pi = 3.14159265358979f;
    const float w = 2.0f * pi * (std::tan(pi * freqHz / fd) * fd / pi);
    return static_cast<LD>(w);
}

void storeAnalog(CoefficientSet& c, LD d0, LD d1, LD d2, LD n0, LD n1, LD n2) {
    c.v[0] = static_cast<double>(d0);
    c.v[1] = static_cast<double>(d1);
    c.v[2] = static_cast<double>(d2);
    c.v[3] = static_cast<double>(n0);
    c.v[4] = static_cast<double>(n1);
    c.v[5] = static_cast<double>(n2);
}

// Bilinear transform in long double on raw triples; inverted exchanges the
// denominator and numerator triples before normalisation.
void transformTriples(LD den[3], LD num[3], LD fd, bool inverted, CoefficientSet& out) {
    const LD k = 1.0L / (2.0L * fd);
    const LD k2 = k * k;
    LD d[3], n[3];
    d[0] = den[0] * k2 + den[1] * k + den[2];
    d[1] = 2.0L * (den[0] * k2 - den[2]);
    d[2] = den[0] * k2 - den[1] * k + den[2];
    n[0] = num[0] * k2 + num[1] * k + num[2];
    n[1] = 2.0L * (num[0] * k2 - num[2]);
    n[2] = num[0] * k2 - num[1] * k + num[2];
    LD* a = inverted ? n : d;
    LD* b = inverted ? d : n;
    const LD inv = 1.0L / a[0];
    storeAnalog(out, 1.0L, a[1] * inv, a[2] * inv, b[0] * inv, b[1] * inv, b[2] * inv);
}

void firstOrderHighPass(const SectionDesign& r, CoefficientSet& c, LD fd, bool scaling) {
    LD p, g;
    const LD f = r.freqHz;
    if (f < fd / 2.0L) {
        const LD x = kPi * f / fd;
        p = (x - 1.0L) * (x - 1.0L);
        g = 1.0L / (2.0L - p);
    } else {
        p = 0.3258084466825463L;
        g = 0.5973032165993636L * gainFromDb(24.0L - f * 24.0L * 0.00005L);
    }
    LD b0 = g, b1 = -g;
    if (scaling) {
        b0 *= kFirstOrderGainA * kFirstOrderGainB;
        b1 *= kFirstOrderGainA * kFirstOrderGainB;
    }
    storeAnalog(c, 1.0L, -p, 0.0L, b0, b1, 0.0L);
}

void firstOrderLowPass(const SectionDesign& r, CoefficientSet& c, LD fd, bool scaling) {
    const LD p = 1.0L - fd / (static_cast<LD>(r.freqHz) * kPi);
    const LD g = 1.0L / (2.0L - p);
    LD b = g;
    if (scaling) b *= kFirstOrderGainA * kFirstOrderGainB;
    storeAnalog(c, 1.0L, p * g, 0.0L, b, b, 0.0L);
}

void secondOrderPass(const SectionDesign& r, CoefficientSet& c, LD fd, bool highPass, bool scaling) {
    const LD w = prewarpedOmega(r.freqHz, static_cast<float>(fd));
    const LD q = r.qFactor;
    LD den[3], num[3];
    if (scaling) {
        den[0] = q; den[1] = 1.0L / w; den[2] = q / (w * w);
    } else {
        den[0] = 1.0L; den[1] = 1.0L / (q * w); den[2] = 1.0L / (w * w);
    }
    if (highPass) {
        num[0] = 0.0L; num[1] = 0.0L; num[2] = den[2];
    } else {
        num[0] = 1.0L; num[1] = 0.0L; num[2] = 0.0L;
    }
    transformTriples(den, num, fd, false, c);
}

// Types 6..9: shelves, with the corner raised (6), lowered (8) or not.
void shelf(const SectionDesign& r, CoefficientSet& c, LD fd, bool scaling) {
    if (r.gainDb == 0.0f) {
        setIdentity(c);
        return;
    }
    const LD gLin = gainFromDb(r.gainDb);
    const LD sqrtG = static_cast<float>(std::sqrt(gLin));
    float corner = prewarpHz(r.freqHz, static_cast<float>(fd));
    if (r.type == kDesignHighShelfRaised) corner = static_cast<float>(corner * std::sqrt(std::sqrt(gLin)));
    if (r.type == kDesignLowShelfLowered) corner = static_cast<float>(corner / std::sqrt(std::sqrt(gLin)));
    const LD w = 2.0L * kPi * static_cast<LD>(corner);
    const LD q = r.qFactor;
    const LD q2 = r.q2Factor != 0.0f ? static_cast<LD>(r.q2Factor) : q;
    const bool high = r.type == kDesignHighShelfRaised || r.type == kDesignHighShelf;
    LD den[3] = {w * w, w / q, 1.0L};
    if (scaling) {
        den[0] = q * w * w; den[1] = w; den[2] = q;
    }
    LD num[3];
    if (high) {
        num[0] = w * w; num[1] = sqrtG * w / q2; num[2] = gLin;
    } else {
        num[0] = gLin * w * w; num[1] = sqrtG * w / q2; num[2] = 1.0L;
    }
    transformTriples(den, num, fd, false, c);
}

void peak(const SectionDesign& r, CoefficientSet& c, LD fd) {
    if (r.gainDb == 0.0f) {
        setIdentity(c);
        return;
    }
    LD g = gainFromDb(r.gainDb);
    const bool cut = g < 1.0L;
    if (cut) g = 1.0L / g;
    const LD w = prewarpedOmega(r.freqHz, static_cast<float>(fd));
    const LD q = r.qFactor;
    LD den[3] = {w * w, w / q, 1.0L};
    LD num[3] = {w * w, g * w / q, 1.0L};
    transformTriples(den, num, fd, cut, c);
}

// Peak with prescribed Nyquist gain. bandEdgeOfAnalogQ selects type 12.
void peakNyquist(const SectionDesign& r, CoefficientSet& c, LD fd, bool analogQ) {
    if (r.gainDb == 0.0f || r.qFactor == 0.0f) {
        setIdentity(c);
        return;
    }
    LD g = gainFromDb(r.gainDb);
    const bool cut = analogQ && g < 1.0L;
    if (cut) g = 1.0L / g;
    const LD w0 = 2.0L * kPi * static_cast<LD>(r.freqHz) / fd;
    const LD g2 = g * g;
    LD gb2, dw;
    if (analogQ) {
        const LD gb = 0.99999999L * g;
        gb2 = gb * gb;
        dw = (w0 / r.qFactor) * std::sqrt(std::fabs(g2 - gb2) / std::fabs(gb2 - 1.0L));
    } else {
        const LD gb = g * gainFromDb(0.5L * r.gainDb);
        gb2 = gb * gb;
        dw = w0 / r.qFactor;
    }
    const LD f = std::fabs(g2 - gb2);
    const LD g00 = std::fabs(g2 - 1.0L);
    const LD f00 = std::fabs(gb2 - 1.0L);
    const LD t = (w0 * w0 - kPiSquared) * (w0 * w0 - kPiSquared);
    const LD g1 = std::sqrt((t + g2 * f00 * kPiSquared * dw * dw / f) / (t + f00 * kPiSquared * dw * dw / f));
    const LD g01 = std::fabs(g2 - g1), g11 = std::fabs(g2 - g1 * g1);
    const LD f01 = std::fabs(gb2 - g1), f11 = std::fabs(gb2 - g1 * g1);
    const LD tw = std::tan(w0 / 2.0L);
    const LD w2 = std::sqrt(g11 / g00) * tw * tw;
    const LD dW = (1.0L + std::sqrt(f00 / f11) * w2) * std::tan(dw / 2.0L);
    const LD cn = f11 * dW * dW - 2.0L * w2 * (f01 - std::sqrt(f00 * f11));
    const LD dn = 2.0L * w2 * (g01 - std::sqrt(g00 * g11));
    const LD a = std::sqrt((cn + dn) / f);
    const LD b = std::sqrt((g2 * cn + gb2 * dn) / f);
    LD num[3] = {g1 + w2 + b, -2.0L * (g1 - w2), g1 + w2 - b};
    LD den[3] = {1.0L + w2 + a, -2.0L * (1.0L - w2), 1.0L + w2 - a};
    LD* aa = cut ? num : den;
    LD* bb = cut ? den : num;
    const LD inv = 1.0L / aa[0];
    storeAnalog(c, 1.0L, aa[1] * inv, aa[2] * inv, bb[0] * inv, bb[1] * inv, bb[2] * inv);
}

void notchOrBandPass(const SectionDesign& r, CoefficientSet& c, LD fd) {
    const LD w = prewarpedOmega(r.freqHz, static_cast<float>(fd));
    const LD q = r.qFactor;
    LD den[3] = {w * w, w / q, 1.0L};
    LD num[3] = {w * w, 0.0L, 1.0L};
    if (r.type == kDesignBandPass) {
        num[0] = 0.0L; num[1] = w / q; num[2] = 0.0L;
    }
    transformTriples(den, num, fd, false, c);
}

}  // namespace

float prewarpHz(float freqHz, float designRateHz) {
    const float pi = 3.14159265358979f;
    return std::tan(pi * freqHz / designRateHz) * designRateHz / pi;
}

void bilinearTransform(CoefficientSet& set, long double designRateHz) {
    LD den[3] = {set.v[0], set.v[1], set.v[2]};
    LD num[3] = {set.v[3], set.v[4], set.v[5]};
    transformTriples(den, num, designRateHz, false, set);
}

void designPrototype(const SectionDesign& recIn, CoefficientSet& dest, float designRateHz,
                     bool numeratorScaling) {
    const LD fd = designRateHz;
    SectionDesign rec = recIn;
    // Settings above the design rate's Nyquist frequency (a 20 kHz band at
    // an 8 kHz host rate) would fold the pre-warping past its pole and give
    // an unstable section; such bands are designed just below it instead.
    const bool firstOrder = rec.type == kDesignHighPass1 || rec.type == kDesignLowPass1;
    if (!firstOrder && rec.freqHz > 0.49f * designRateHz) rec.freqHz = 0.49f * designRateHz;
    switch (rec.type) {
    case kDesignHighPass1: firstOrderHighPass(rec, dest, fd, numeratorScaling); break;
    case kDesignHighPass2: secondOrderPass(rec, dest, fd, true, numeratorScaling); break;
    case kDesignLowPass1: firstOrderLowPass(rec, dest, fd, numeratorScaling); break;
    case kDesignLowPass2: secondOrderPass(rec, dest, fd, false, numeratorScaling); break;
    case kDesignHighShelfRaised:
    case kDesignHighShelf:
    case kDesignLowShelfLowered:
    case kDesignLowShelf: shelf(rec, dest, fd, numeratorScaling); break;
    case kDesignPeak: peak(rec, dest, fd); break;
    case kDesignPeakNyquist: peakNyquist(rec, dest, fd, false); break;
    case kDesignPeakNyquistAnalogQ: peakNyquist(rec, dest, fd, true); break;
    case kDesignNotch:
    case kDesignBandPass: notchOrBandPass(rec, dest, fd); break;
    case kDesignNone: setIdentity(dest); break;
    default: break;
    }
}

}  // namespace solva
