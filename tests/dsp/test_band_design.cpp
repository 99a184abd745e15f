// Section design, band plans and correction-table lookup.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>

#include "dsp/band_kind.h"
#include "dsp/band_plan.h"
#include "dsp/correction_kernel.h"
#include "dsp/correction_table.h"
#include "dsp/section_design.h"

using namespace solva;

namespace {

std::complex<double> responseAt(const CoefficientSet& c, double fHz, double fs) {
    const std::complex<double> z = std::polar(1.0, -2.0 * 3.141592653589793 * fHz / fs);
    return (c.b0() + c.b1() * z + c.b2() * z * z) / (1.0 + c.a1() * z + c.a2() * z * z);
}

SectionDesign rec(int type, float f, float q, float g) {
    SectionDesign r;
    r.type = type;
    r.freqHz = f;
    r.qFactor = q;
    r.q2Factor = q;
    r.gainDb = g;
    return r;
}

void expectIdentity(const CoefficientSet& c) {
    const CoefficientSet id = CoefficientSet::identity();
    for (int i = 0; i < 6; ++i) EXPECT_EQ(c.v[i], id.v[i]) << i;
}

}  // namespace

TEST(SectionDesign, ZeroGainBellsAndShelvesAreIdentity) {
    for (int type : {6, 7, 8, 9, 10, 11, 12}) {
        CoefficientSet c{{9, 9, 9, 9, 9, 9}};
        designPrototype(rec(type, 1000.0f, 0.7f, 0.0f), c, 44100.0f, false);
        expectIdentity(c);
    }
    CoefficientSet c{{9, 9, 9, 9, 9, 9}};
    designPrototype(rec(12, 1000.0f, 0.0f, 6.0f), c, 44100.0f, false);
    expectIdentity(c);
}

TEST(SectionDesign, CutIsTheExactInverseOfTheBoost) {
    for (int type : {10, 12}) {
        CoefficientSet boost{}, cut{};
        designPrototype(rec(type, 3000.0f, 1.4f, 9.0f), boost, 44100.0f, false);
        designPrototype(rec(type, 3000.0f, 1.4f, -9.0f), cut, 44100.0f, false);
        for (double f : {50.0, 1000.0, 3000.0, 12000.0, 21000.0}) {
            const auto p = responseAt(boost, f, 44100.0) * responseAt(cut, f, 44100.0);
            EXPECT_NEAR(std::abs(p), 1.0, 1e-9) << type << " " << f;
            EXPECT_NEAR(std::arg(p), 0.0, 1e-9) << type << " " << f;
        }
    }
}

TEST(SectionDesign, PeaksReachTheirGainAtTheCentre) {
    CoefficientSet c{};
    designPrototype(rec(10, 1000.0f, 1.0f, 12.0f), c, 44100.0f, false);
    EXPECT_NEAR(20.0 * std::log10(std::abs(responseAt(c, 1000.0, 44100.0))), 12.0, 1e-3);
    designPrototype(rec(12, 1000.0f, 1.0f, -12.0f), c, 44100.0f, false);
    EXPECT_NEAR(20.0 * std::log10(std::abs(responseAt(c, 1000.0, 44100.0))), -12.0, 1e-2);
}

TEST(SectionDesign, FirstOrderHighPassAboveHalfTheRateUsesTheFixedPole) {
    CoefficientSet c{};
    const float f = 30000.0f;
    designPrototype(rec(2, f, 0.7f, 0.0f), c, 44100.0f, false);
    const double g = 0.5973032165993636 * std::pow(10.0, 0.05 * (24.0 - 0.0012 * f));
    EXPECT_DOUBLE_EQ(c.a1(), -0.3258084466825463);
    EXPECT_NEAR(c.b0(), g, 1e-12 * g);
    EXPECT_NEAR(c.b1(), -g, 1e-12 * g);
    EXPECT_EQ(c.a2(), 0.0);
    EXPECT_EQ(c.b2(), 0.0);
}

TEST(SectionDesign, BilinearTransformMapsDcAndNyquist) {
    // 1 / (1 + s/w): DC gain 1, zero at Nyquist after the transform.
    CoefficientSet c{{1.0, 1.0 / 6283.0, 0.0, 1.0, 0.0, 0.0}};
    bilinearTransform(c, 48000.0L);
    EXPECT_EQ(c.v[0], 1.0);
    EXPECT_NEAR(std::abs(responseAt(c, 0.0, 48000.0)), 1.0, 1e-12);
    EXPECT_NEAR(std::abs(responseAt(c, 24000.0, 48000.0)), 0.0, 1e-9);
}

TEST(SectionDesign, NumeratorScalingDividesTheLowPassByQ) {
    CoefficientSet plain{}, scaled{};
    designPrototype(rec(5, 1000.0f, 2.0f, 0.0f), plain, 44100.0f, false);
    designPrototype(rec(5, 1000.0f, 2.0f, 0.0f), scaled, 44100.0f, true);
    EXPECT_NEAR(std::abs(responseAt(scaled, 1.0, 44100.0)), 0.5, 1e-5);
    EXPECT_NEAR(std::abs(responseAt(scaled, 1000.0, 44100.0)), 1.0, 1e-3);
    EXPECT_NEAR(std::abs(responseAt(plain, 1000.0, 44100.0)), 2.0, 2e-3);
}

TEST(CorrectionTable, GainAxisIndexAndClamping) {
    const CorrectionTable& t = bellTable();
    AxisPos p = gainAxisPos(t, 3.0f);
    EXPECT_EQ(p.index, 16);
    EXPECT_NEAR(p.fraction, 0.5f, 1e-6f);
    p = gainAxisPos(t, -40.0f);
    EXPECT_EQ(p.index, 0);
    EXPECT_EQ(p.fraction, 0.0f);
    p = gainAxisPos(t, 40.0f);
    EXPECT_EQ(p.index, 30);
    EXPECT_EQ(p.fraction, 0.0f);
    // Just below a breakpoint the epsilon moves the index up.
    p = gainAxisPos(t, 3.99999f);
    EXPECT_EQ(p.index, 17);
}

TEST(CorrectionTable, FrequencyAxisScalesWithTheRate) {
    const CorrectionTable& t = bellTable();
    const float ratio = 48000.0f / 44100.0f;
    AxisPos p = freqAxisPos(t, 1000.0f * ratio, ratio);
    EXPECT_EQ(p.index, 6);
    EXPECT_NEAR(p.fraction, 0.0f, 1e-5f);
    p = freqAxisPos(t, 25000.0f, 1.0f);
    EXPECT_EQ(p.index, 20);
    EXPECT_FALSE(p.interpolate);
    // Q below the first breakpoint keeps index 0 and extrapolates.
    p = qAxisPos(t, 0.025f);
    EXPECT_EQ(p.index, 0);
    EXPECT_NEAR(p.fraction, -0.5f, 1e-6f);
}

TEST(CorrectionTable, BelowTheFirstBreakpointThereIsNoCorrection) {
    const BandPlan p = planBand(kKindBell, 19.0f, 1.0f, 6.0f, 44100.0f, true);
    EXPECT_EQ(p.length, 0);
    EXPECT_FALSE(p.hasReference);
    const BandPlan q = planBand(kKindBell, 20.5f, 1.0f, 6.0f, 48000.0f, true);
    EXPECT_EQ(q.length, 0);
}

TEST(BandPlan, FirstOrderLowPassNeverCorrects) {
    for (float f : {20.0f, 1000.0f, 15000.0f, 20000.0f}) EXPECT_EQ(planBand(kKindLowPass6, f, 0.7f, 0.0f, 44100.0f, true).length, 0);
}

TEST(BandPlan, AirBandTakesTheBellAboveTheTable) {
    const BandPlan p = planBand(kKindAir, kAirFreqHz, 0.0f, 5.0f, 44100.0f, true);
    EXPECT_FALSE(p.hostValid);
    EXPECT_EQ(p.host.type, kDesignPeak);
    EXPECT_EQ(p.reference.freqHz, 45000.0f);
    EXPECT_NEAR(p.reference.qFactor, 0.35f, 1e-6f);
    EXPECT_EQ(p.reference.gainDb, 15.0f);
    EXPECT_EQ(p.length, 24);
    EXPECT_EQ(p.sincLength, 301);
    EXPECT_NEAR(p.sincCentre, 0.5572f, 1e-6f);
    // Between -10 and -5 dB: halfway values.
    const BandPlan c = planBand(kKindAir, kAirFreqHz, 0.0f, -7.5f, 96000.0f, true);
    EXPECT_EQ(c.length, 44);
    EXPECT_NEAR(c.reference.qFactor, 9.0f, 1e-5f);
    EXPECT_NEAR(c.outputGain, (1.008858f + 1.01697f) / 2.0f, 1e-6f);
}

TEST(CorrectionKernel, SincCentreOnAnIntegerUsesOne) {
    float sinc[kMaxSincLength];
    buildWindowedSinc(sinc, 21, 0.5f);  // cc = (21 - 1) / 2 = 10
    const double p = 0.375;
    const double w = 0.42 - 0.5 * std::cos(2.0 * 3.141592653589793 * (10 - p) / 20) +
                     0.08 * std::cos(4.0 * 3.141592653589793 * (10 - p) / 20);
    EXPECT_FLOAT_EQ(sinc[10], static_cast<float>(w));
    EXPECT_NEAR(sinc[14], 0.0f, 1e-7f);  // a zero of the quarter-rate sinc
}

// Every tap against sin and cos evaluated per tap, over the table's sinc
// lengths and the range of centres the tables use.
TEST(CorrectionKernel, SincMatchesItsFormulaAtEveryTap) {
    const double pi = 3.141592653589793;
    float sinc[kMaxSincLength];
    for (int index = 0; index < kNumSincLengths; ++index) {
        const int n = sincLengthForIndex(index);
        for (float centre : {0.2f, 0.375f, 0.5f, 0.5627f, 0.66f, 0.8f}) {
            buildWindowedSinc(sinc, n, centre);
            const double p = static_cast<double>(centre) - 0.125;
            const double cc = ((n - 7) + 16.0 * p) / 2.0;
            double worst = 0.0;
            for (int k = 0; k < n; ++k) {
                const double v = (k - cc) * pi / 4.0;
                const double s = k == cc ? 1.0 : std::sin(v) / v;
                const double u = (k - p) / (n - 1);
                const double w = 0.42 - 0.5 * std::cos(2.0 * pi * u) + 0.08 * std::cos(4.0 * pi * u);
                worst = std::max(worst, std::fabs(sinc[k] - s * w));
            }
            EXPECT_LT(worst, 1e-7) << "length " << n << " centre " << centre;
        }
    }
}

TEST(CorrectionKernel, IdentityHostGivesReferenceMinusUnitImpulse) {
    float sinc[kMaxSincLength], ref[kReferenceBufferLength], h[8], w[8], k[8];
    buildWindowedSinc(sinc, 301, 0.5f);
    const CoefficientSet id = CoefficientSet::identity();
    hostImpulseResponse(id, h, 8);
    EXPECT_EQ(h[0], 1.0f);
    EXPECT_EQ(h[1], 0.0f);
    referenceResponse(id, sinc, 301, 8, ref);
    buildKernelWindow(w, 8, 1.0f);
    buildKernel(k, ref, 301, h, w, 8);
    EXPECT_NEAR(k[0], 0.0f, 1e-4f);  // the sinc window is almost 1 at its centre
    for (int i = 1; i < 8; ++i) EXPECT_NEAR(k[i], 0.0f, 1e-6f);
}
