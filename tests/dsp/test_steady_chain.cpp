// The chained pass of steady band slots against the separate steps it
// replaces (histories, paired sections, kernel sums, correction, band gain),
// bit for bit; the engine's stereo path, which uses it, against the mono
// path; and a chain run again over the following chunks against one that
// looks at every slot every chunk.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "dsp/band_kind.h"
#include "dsp/biquad_section.h"
#include "dsp/correction_kernel.h"
#include "dsp/eq_engine.h"
#include "dsp/kernel_sum.h"
#include "dsp/steady_chain.h"

using namespace solva;

namespace {

constexpr int N = kSteadyChainMaxFrames;

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

bool sameBits(const float* a, const float* b, int n) {
    return std::memcmp(a, b, sizeof(float) * static_cast<size_t>(n)) == 0;
}

constexpr int kRing = 128;  // one mirrored half of a history

struct Band {
    BiquadSection section;
    std::vector<float> kernel = std::vector<float>(kMaxKernelLength);
    std::vector<float> history = std::vector<float>(2 * kRing);
    int position = 0;
    float gain = 1.0f;
    float firstSection = 0.0f, firstCorrected = 0.0f;
};

// What the separate steps do for one band of the pair: the input into the
// history, the sections side by side, the kernel sums, correction and gain.
void referenceSlot(Band& a, Band& b, int length, bool identity, float* work0, float* work1, int n) {
    Band* bands[2] = {&a, &b};
    float* work[2] = {work0, work1};
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < n; ++i) {
            const int p = (bands[c]->position + i) % kRing;
            bands[c]->history[p] = bands[c]->history[p + kRing] = work[c][i];
        }
    if (identity) {
        a.section.passThrough(work0, work0, n);
        b.section.passThrough(work1, work1, n);
    } else {
        BiquadSection::runPair(a.section, b.section, work0, work0, work1, work1, n);
    }
    for (int c = 0; c < 2; ++c) {
        Band& band = *bands[c];
        band.firstSection = work[c][0];
        if (length > 0) {
            const int start = (band.position - (length - 1) + kRing) % kRing;
            float sums[kSteadyChainMaxFrames];
            kernelSums(band.kernel.data(), length, n, band.history.data() + start, sums);
            for (int i = 0; i < n; ++i) work[c][i] = work[c][i] + sums[i];
        }
        band.firstCorrected = work[c][0];
        if (band.gain != 1.0f)
            for (int i = 0; i < n; ++i) work[c][i] *= band.gain;
    }
}

// Every slot on, both channels alike: high-pass, bells, shelves, low-pass
// and Air, most of them with a correction.
void setEightBands(EqEngine& e) {
    struct Band { int slot, kind; float f, g, q; };
    const Band bands[] = {
        {0, kKindHighPass6, 30.0f, 0.0f, 0.7f},  {1, kKindBell, 90.0f, 4.0f, 0.7f},
        {2, kKindLowShelf, 300.0f, -3.0f, 0.7f}, {3, kKindBell, 1000.0f, 3.0f, 1.4f},
        {4, kKindBell, 5800.0f, -6.0f, 2.0f},    {5, kKindHighShelf, 9400.0f, 5.0f, 0.7f},
        {6, kKindLowPass12, 17000.0f, 0.0f, 0.9f}, {7, kKindAir, kAirFreqHz, 6.0f, 0.0f},
    };
    for (const Band& b : bands) {
        e.setBandKind(b.slot, b.kind);
        e.setBandSettings(b.slot, -1, b.f, b.g, b.q);
        e.setBandEnabled(b.slot, true);
    }
}

}  // namespace

TEST(SteadyChain, MatchesTheSeparateStepsBitForBit) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> d(-1.0f, 1.0f);
    std::uniform_int_distribution<int> position(0, kRing - 1);
    const int lengths[] = {0, 1, 2, 5, 12, 15, 24, kMaxKernelLength};
    for (int count = 1; count <= kSteadyChainMaxMembers; ++count) {
        for (int n = 1; n <= kSteadyChainMaxFrames; ++n) {
            ASSERT_TRUE(steadyChainRuns(n));
            std::vector<Band> bands(static_cast<size_t>(2 * count));
            std::vector<int> kernelLength(static_cast<size_t>(count));
            std::vector<bool> identity(static_cast<size_t>(count));
            for (int j = 0; j < count; ++j) {
                kernelLength[j] = lengths[(j * 5 + n / 4 + count) % 8];
                // Now and then a band carried by its correction alone.
                identity[j] = (j * 3 + n / 4) % 5 == 2;
                for (int c = 0; c < 2; ++c) {
                    Band& band = bands[2 * j + c];
                    band.section = randomSection(rng);
                    if (identity[j]) {
                        band.section.setTargetIdentity();
                        band.section.snapToTarget();
                    }
                    for (float& v : band.kernel) v = 0.2f * d(rng);
                    for (float& v : band.history) v = d(rng);
                    band.position = position(rng);
                    band.gain = (j + c) % 3 == 0 ? 1.0f : 0.8f + 0.1f * static_cast<float>(j);
                }
            }
            std::vector<float> input0(kSteadyChainMaxFrames), input1(kSteadyChainMaxFrames);
            for (int i = 0; i < n; ++i) {
                input0[i] = d(rng);
                input1[i] = d(rng);
            }
            // The separate steps.
            std::vector<Band> expect = bands;
            std::vector<float> want0 = input0, want1 = input1;
            for (int j = 0; j < count; ++j)
                referenceSlot(expect[2 * j], expect[2 * j + 1], kernelLength[j], identity[j], want0.data(),
                              want1.data(), n);
            // The chain as the engine runs it, member after member, and
            // staggered in AVX2 registers alone.
            const char* const paths[] = {"", "in order, ", "AVX2, "};
            for (int path = 0; path < 3; ++path) {
                std::vector<Band> chain = bands;
                std::vector<float> work0 = input0, work1 = input1;
                SteadyMember members[kSteadyChainMaxMembers];
                for (int j = 0; j < count; ++j) {
                    for (int c = 0; c < 2; ++c) {
                        Band& band = chain[2 * j + c];
                        members[j].channel[c] = {&band.section, kernelLength[j] > 0 ? band.kernel.data() : nullptr,
                                                 band.history.data(), band.position, band.gain, 0.0f, 0.0f};
                    }
                    members[j].kernelLength = kernelLength[j];
                    members[j].identity = identity[j];
                }
                if (path == 0) {
                    runSteadyChain(members, count, kRing, work0.data(), work1.data(), n);
                } else if (path == 1) {
                    runSteadyChainInOrder(members, count, kRing, work0.data(), work1.data(), n);
                } else if (!runSteadyChainAvx2(members, count, kRing, work0.data(), work1.data(), n)) {
                    continue;  // not for this processor or chunk
                }

                const std::string where =
                    std::string(paths[path]) + "count " + std::to_string(count) + ", n " + std::to_string(n);
                ASSERT_TRUE(sameBits(work0.data(), want0.data(), n)) << where;
                ASSERT_TRUE(sameBits(work1.data(), want1.data(), n)) << where;
                for (int j = 0; j < count; ++j)
                    for (int c = 0; c < 2; ++c) {
                        const Band& got = chain[2 * j + c];
                        const Band& want = expect[2 * j + c];
                        const SteadyChannel& channel = members[j].channel[c];
                        ASSERT_TRUE(sameBits(got.history.data(), want.history.data(), 2 * kRing))
                            << where << " member " << j;
                        EXPECT_EQ(channel.firstSection, want.firstSection) << where << " member " << j;
                        EXPECT_EQ(channel.firstCorrected, want.firstCorrected) << where << " member " << j;
                        const double memories[4] = {got.section.x1, got.section.x2, got.section.y1, got.section.y2};
                        const double expected[4] = {want.section.x1, want.section.x2, want.section.y1, want.section.y2};
                        for (int m = 0; m < 4; ++m) EXPECT_EQ(memories[m], expected[m]) << where << " memory " << m;
                    }
            }
        }
    }
    EXPECT_FALSE(steadyChainRuns(0));
    EXPECT_FALSE(steadyChainRuns(kSteadyChainMaxFrames + 1));
}

// Both channels fed the same signal with the same settings follow the mono
// path (its own scalar section loop) to within rounding, through kind and
// setting changes, glides, kernel crossfades, partial chunks and a band
// switched on and off: whatever path a slot takes, it plays the same band.
TEST(SteadyChain, StereoSlotsFollowTheMonoPathThroughChanges) {
    auto stereo = std::make_unique<EqEngine>();
    auto mono = std::make_unique<EqEngine>();
    std::mt19937 rng(5);
    std::uniform_real_distribution<float> d(-0.5f, 0.5f);
    for (EqEngine* e : {stereo.get(), mono.get()}) setEightBands(*e);
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

// Once a chunk has run every playing slot as one chain, the following
// chunks run that chain without looking at the slots again. An engine that
// is told of a (void) change before every chunk looks at them every time;
// the two must agree bit for bit through every kind of change, through
// tiny outputs that make the bands leave the chain, and through chunks that
// do not take the chained path.
TEST(SteadyChain, APlannedChainSeesEveryChangeAsTheFullPassDoes) {
    auto planned = std::make_unique<EqEngine>();
    auto full = std::make_unique<EqEngine>();
    auto both = [&](auto&& change) {
        change(*planned);
        change(*full);
    };
    both(setEightBands);
    using Change = void (*)(EqEngine&);
    const Change changes[] = {
        [](EqEngine& e) { e.setBandSettings(3, 1, 800.0f, 5.0f, 1.2f); },  // one channel only
        [](EqEngine& e) { e.setBandKind(5, kKindLowShelf); },
        [](EqEngine& e) { e.setBandEnabled(2, false); },
        [](EqEngine& e) { e.setBandEnabled(2, true); },
        [](EqEngine& e) { e.setUseCorrection(false); },
        [](EqEngine& e) { e.setUseCorrection(true); },
        [](EqEngine& e) { e.resetBandHistories(); },
        [](EqEngine& e) { e.setSampleRate(48000.0f); },
        [](EqEngine& e) { e.setBandSettings(7, -1, kAirFreqHz, -4.0f, 0.0f); },
    };
    constexpr int kSteps = 160;  // long enough for any redesign to settle
    const int numChanges = static_cast<int>(sizeof(changes) / sizeof(changes[0]));
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> d(-0.5f, 0.5f);
    int plannedBeforeChange = 0;
    for (int step = 0; step < (numChanges + 1) * kSteps; ++step) {
        const int phase = step % kSteps;
        if (phase == 0 && step > 0) {
            plannedBeforeChange += planned->chainPlanned() ? 1 : 0;
            both(changes[step / kSteps - 1]);
        }
        // From silent memories, a stretch of tiny negative input: the
        // tiny-output guards count and flush. Then a mono chunk and a chunk
        // the chain does not take.
        if (phase == 100) both([](EqEngine& e) { e.resetBandHistories(); });
        full->setBandEnabled(0, true);  // changes nothing, but counts as a change
        const bool tiny = phase >= 100 && phase < 140;
        const int channels = phase == 145 ? 1 : 2;
        const int n = phase == 150 ? 13 : (phase % 7 == 3 ? 28 : N);
        float in0[N], in1[N], p0[N], p1[N], f0[N], f1[N];
        for (int i = 0; i < n; ++i) {
            in0[i] = tiny ? -5e-38f : d(rng);
            in1[i] = tiny ? -2e-38f : d(rng);
        }
        planned->processChunk(n, in0, in1, p0, p1, channels);
        full->processChunk(n, in0, in1, f0, f1, channels);
        ASSERT_TRUE(sameBits(p0, f0, n)) << "step " << step;
        if (channels == 2) {
            ASSERT_TRUE(sameBits(p1, f1, n)) << "step " << step;
        }
        if (phase == 99) {
            EXPECT_TRUE(planned->chainPlanned()) << "step " << step;
        }
    }
    EXPECT_EQ(plannedBeforeChange, numChanges);
}
