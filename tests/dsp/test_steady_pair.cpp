// The fused pass of a steady band slot against the separate steps it
// replaces (paired sections, kernel sums, correction, band gain), bit for
// bit; and the engine's stereo path, which uses it, against the mono path.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "dsp/band_kind.h"
#include "dsp/biquad_section.h"
#include "dsp/correction_kernel.h"
#include "dsp/eq_engine.h"
#include "dsp/kernel_sum.h"
#include "dsp/steady_pair.h"

using namespace solva;

namespace {

constexpr int N = kSteadyPairFrames;

// A stable section with random poles and zeros, and random memories.
BiquadSection randomSection(std::mt19937& rng) {
    std::uniform_real_distribution<double> radius(0.3, 0.999), angle(0.001, 3.1), u(-1.0, 1.0);
    const double r = radius(rng), w = angle(rng);
    BiquadSection s;
    const double c[5] = {-2.0 * r * std::cos(w), r * r, 1.0 + 0.5 * u(rng), u(rng), 0.5 * u(rng)};
    for (int i = 0; i < 5; ++i) s.target[i] = s.running[i] = c[i];
    s.x1 = u(rng);
    s.x2 = u(rng);
    s.y1 = u(rng);
    s.y2 = u(rng);
    return s;
}

struct Channel {
    BiquadSection section;
    std::vector<float> kernel, history;
    float gain;
};

Channel randomChannel(std::mt19937& rng, float gain) {
    std::uniform_real_distribution<float> d(-1.0f, 1.0f);
    Channel c{randomSection(rng), std::vector<float>(kMaxKernelLength), std::vector<float>(kMaxKernelLength + N), gain};
    for (float& v : c.kernel) v = 0.2f * d(rng);
    for (float& v : c.history) v = d(rng);
    return c;
}

bool sameBits(const float* a, const float* b, int n) {
    return std::memcmp(a, b, sizeof(float) * static_cast<size_t>(n)) == 0;
}

}  // namespace

TEST(SteadyPair, MatchesPairedSectionsKernelSumsCorrectionAndGainBitForBit) {
    if (!steadyPairAvailable()) GTEST_SKIP() << "no fused pass on this processor";
    std::mt19937 rng(11);
    for (int length : {0, 1, 2, 5, 12, 15, 24, kMaxKernelLength}) {
        for (int trial = 0; trial < 20; ++trial) {
            const float gainA = trial % 2 ? 1.0f : 0.83f, gainB = trial % 3 ? 1.0f : 1.21f;
            Channel a = randomChannel(rng, gainA), b = randomChannel(rng, gainB);
            // The chunk's input is the newest part of the history.
            const int span = length > 0 ? length - 1 : 0;
            const float* inA = a.history.data() + span;
            const float* inB = b.history.data() + span;

            // The separate steps.
            BiquadSection expectA = a.section, expectB = b.section;
            std::vector<float> wantA(N), wantB(N);
            BiquadSection::runPair(expectA, expectB, inA, wantA.data(), inB, wantB.data(), N);
            const float sectionA = wantA[0], sectionB = wantB[0];
            if (length > 0) {
                float sums[N];
                kernelSums(a.kernel.data(), length, N, a.history.data(), sums);
                for (int i = 0; i < N; ++i) wantA[i] = wantA[i] + sums[i];
                kernelSums(b.kernel.data(), length, N, b.history.data(), sums);
                for (int i = 0; i < N; ++i) wantB[i] = wantB[i] + sums[i];
            }
            const float correctedA = wantA[0], correctedB = wantB[0];
            for (int i = 0; i < N; ++i) {
                if (gainA != 1.0f) wantA[i] *= gainA;
                if (gainB != 1.0f) wantB[i] *= gainB;
            }

            // The fused pass; channel A in place, as the engine runs it.
            std::vector<float> bufA(inA, inA + N), outB(N);
            SteadyChannel ca{&a.section, length > 0 ? a.kernel.data() : nullptr, a.history.data(),
                             bufA.data(), bufA.data(), gainA, 0.0f, 0.0f};
            SteadyChannel cb{&b.section, length > 0 ? b.kernel.data() : nullptr, b.history.data(),
                             inB, outB.data(), gainB, 0.0f, 0.0f};
            runSteadyPair(ca, cb, length);

            ASSERT_TRUE(sameBits(bufA.data(), wantA.data(), N)) << "length " << length << " trial " << trial;
            ASSERT_TRUE(sameBits(outB.data(), wantB.data(), N)) << "length " << length << " trial " << trial;
            EXPECT_EQ(ca.firstSection, sectionA);
            EXPECT_EQ(cb.firstSection, sectionB);
            EXPECT_EQ(ca.firstCorrected, correctedA);
            EXPECT_EQ(cb.firstCorrected, correctedB);
            const double memories[8] = {a.section.x1, a.section.x2, a.section.y1, a.section.y2,
                                        b.section.x1, b.section.x2, b.section.y1, b.section.y2};
            const double expected[8] = {expectA.x1, expectA.x2, expectA.y1, expectA.y2,
                                        expectB.x1, expectB.x2, expectB.y1, expectB.y2};
            for (int m = 0; m < 8; ++m) EXPECT_EQ(memories[m], expected[m]) << "memory " << m;
        }
    }
}

// Both channels fed the same signal with the same settings follow the mono
// path (its own scalar section loop) to within rounding, through kind and
// setting changes, glides, kernel crossfades, partial chunks and a band
// switched on and off: whatever path a slot takes, it plays the same band.
TEST(SteadyPair, StereoSlotsFollowTheMonoPathThroughChanges) {
    auto stereo = std::make_unique<EqEngine>();
    auto mono = std::make_unique<EqEngine>();
    std::mt19937 rng(5);
    std::uniform_real_distribution<float> d(-0.5f, 0.5f);
    struct Band { int slot, kind; float f, g, q; };
    const Band bands[] = {
        {0, kKindHighPass6, 30.0f, 0.0f, 0.7f},  {1, kKindBell, 90.0f, 4.0f, 0.7f},
        {2, kKindLowShelf, 300.0f, -3.0f, 0.7f}, {3, kKindBell, 1000.0f, 3.0f, 1.4f},
        {4, kKindBell, 5800.0f, -6.0f, 2.0f},    {5, kKindHighShelf, 9400.0f, 5.0f, 0.7f},
        {6, kKindLowPass12, 17000.0f, 0.0f, 0.9f}, {7, kKindAir, kAirFreqHz, 6.0f, 0.0f},
    };
    for (EqEngine* e : {stereo.get(), mono.get()}) {
        for (const Band& b : bands) {
            e->setBandKind(b.slot, b.kind);
            e->setBandSettings(b.slot, -1, b.f, b.g, b.q);
            e->setBandEnabled(b.slot, true);
        }
    }
    const int sizes[] = {44, 44, 28, 44, 40, 13, 44, 44, 36};
    double worst = 0.0;
    for (int step = 0; step < 400; ++step) {
        if (step == 100 || step == 250) {
            for (EqEngine* e : {stereo.get(), mono.get()}) {
                e->setBandSettings(4, -1, step == 100 ? 7200.0f : 4100.0f, step == 100 ? 8.0f : -2.0f, 1.0f);
                e->setBandSettings(7, -1, kAirFreqHz, step == 100 ? -4.0f : 10.0f, 0.0f);
            }
        }
        if (step == 180)
            for (EqEngine* e : {stereo.get(), mono.get()}) e->setBandEnabled(2, false);
        if (step == 300)
            for (EqEngine* e : {stereo.get(), mono.get()}) e->setBandEnabled(2, true);
        const int n = sizes[step % 9];
        float in[N], s0[N], s1[N], m0[N], unused[N];
        for (int i = 0; i < n; ++i) in[i] = d(rng);
        stereo->processChunk(n, in, in, s0, s1, 2);
        mono->processChunk(n, in, in, m0, unused, 1);
        for (int i = 0; i < n; ++i) {
            ASSERT_TRUE(sameBits(&s0[i], &s1[i], 1)) << "step " << step << " frame " << i;
            worst = std::max(worst, static_cast<double>(std::fabs(s0[i] - m0[i])));
        }
    }
    // Different roundings of the same arithmetic, nothing more.
    EXPECT_LT(worst, 1e-5);
}
