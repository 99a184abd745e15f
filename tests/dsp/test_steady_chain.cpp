// The chained pass of steady band slots against the separate steps it
// replaces (histories or input rings, paired sections, kernel sums,
// correction, tiny-output guards, band gain), bit for bit; the engine's
// stereo path, which uses it, against the mono path; a chain run again over
// the following chunks against one that looks at every slot every chunk;
// and bands that leave their histories for later against bands that write
// them every chunk.
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
#include "dsp/tiny_output_guard.h"

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

// One chunk of n frames through two engines, which must play it alike bit
// for bit: random input, or with `tiny` a steady tiny negative one.
::testing::AssertionResult playAlike(EqEngine& a, EqEngine& b, int n, int channels, bool tiny, std::mt19937& rng,
                                     std::uniform_real_distribution<float>& d) {
    float in0[N], in1[N], a0[N], a1[N], b0[N], b1[N];
    for (int i = 0; i < n; ++i) {
        in0[i] = tiny ? -5e-38f : d(rng);
        in1[i] = tiny ? -2e-38f : d(rng);
    }
    a.processChunk(n, in0, in1, a0, a1, channels);
    b.processChunk(n, in0, in1, b0, b1, channels);
    if (!sameBits(a0, b0, n)) return ::testing::AssertionFailure() << "channel 0 differs";
    if (channels == 2 && !sameBits(a1, b1, n)) return ::testing::AssertionFailure() << "channel 1 differs";
    return ::testing::AssertionSuccess();
}

constexpr int kRing = 128;  // one mirrored half of a history

struct Band {
    BiquadSection section, second;
    std::vector<float> kernel = std::vector<float>(kMaxKernelLength);
    std::vector<float> history = std::vector<float>(2 * kRing);
    int position = 0;
    float gain = 1.0f;
    int tinyCount = 0, correctionTinyCount = 0;
    float firstSection = 0.0f, firstCorrected = 0.0f;
};

// Flushes as a tiny-output guard at `count` does; returns the values set to 0.
int guardChunk(int count, float* out, int n) {
    if (!tinyOutputFlushes(count, out[0])) return 0;
    const int zeros = static_cast<int>(std::count(out, out + n, 0.0f));
    flushTinyOutputs(out, n);
    return static_cast<int>(std::count(out, out + n, 0.0f)) - zeros;
}

// Earlier input i (0: the oldest) of the length - 1 a kernel of that length
// reads: one contiguous stretch of the history from the chunk's position
// back (its two halves are filled at random here, so not mirror images).
float earlierInput(const Band& band, int length, int i) {
    return band.history[(band.position - (length - 1) + kRing) % kRing + i];
}

// What the separate steps do for one band of the pair: the input into the
// history (or, interleaved, into an input ring), the sections side by side,
// their tiny-output guard, the kernel sums over the history's earlier
// inputs and the chunk's, correction, its guard and gain. Returns the
// values the guards set to 0.
int referenceSlot(Band& a, Band& b, int length, bool identity, float* ring, float* work0, float* work1, int n) {
    int flushed = 0;
    Band* bands[2] = {&a, &b};
    float* work[2] = {work0, work1};
    float spans[2][kMaxKernelLength - 1 + kSteadyChainMaxFrames];
    for (int c = 0; c < 2; ++c) {
        for (int i = 0; i < length - 1; ++i) spans[c][i] = earlierInput(*bands[c], length, i);
        for (int i = 0; i < n; ++i) spans[c][length > 0 ? length - 1 + i : i] = work[c][i];
    }
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < n; ++i) {
            if (ring != nullptr) {
                ring[2 * i + c] = work[c][i];
                continue;
            }
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
        flushed += guardChunk(band.tinyCount, work[c], n);
        if (length > 0) {
            float sums[kSteadyChainMaxFrames];
            kernelSums(band.kernel.data(), length, n, spans[c], sums);
            for (int i = 0; i < n; ++i) work[c][i] = work[c][i] + sums[i];
        }
        band.firstCorrected = work[c][0];
        if (length > 0) flushed += guardChunk(band.correctionTinyCount, work[c], n);
        if (band.gain != 1.0f)
            for (int i = 0; i < n; ++i) work[c][i] *= band.gain;
        // The guards count the chunk; one that flushed it flushes the
        // section memories too.
        if (countTinyOutput(band.firstSection, band.tinyCount)) {
            band.section.flushTinyMemories();
            band.second.flushTinyMemories();
        }
        if (length > 0) countTinyOutput(band.firstCorrected, band.correctionTinyCount);
    }
    return flushed;
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
    int flushed = 0;
    for (int count = 1; count <= kSteadyChainMaxMembers; ++count) {
        for (int n = 1; n <= kSteadyChainMaxFrames; ++n) {
            ASSERT_TRUE(steadyChainRuns(n));
            std::vector<Band> bands(static_cast<size_t>(2 * count));
            std::vector<int> kernelLength(static_cast<size_t>(count));
            std::vector<bool> identity(static_cast<size_t>(count)), defers(static_cast<size_t>(count));
            // Members may leave their histories and put their inputs into
            // rings instead, at a frame of the chunk's own, after the
            // kernel's earlier inputs.
            const int ringFrame = kInputRingKeep + (7 * n + count) % (kInputRingFrames - kInputRingKeep - n + 1);
            // Now and then a signal around 1e-37, where the tiny-output
            // guards at their limit flush some of the outputs.
            const float scale = (n + count) % 3 == 1 ? 1e-37f : 1.0f;
            for (int j = 0; j < count; ++j) {
                kernelLength[j] = lengths[(j * 5 + n / 4 + count) % 8];
                // Now and then a band carried by its correction alone.
                identity[j] = (j * 3 + n / 4) % 5 == 2;
                defers[j] = (j + n) % 3 != 0;
                for (int c = 0; c < 2; ++c) {
                    Band& band = bands[2 * j + c];
                    band.section = randomSection(rng);
                    band.second = randomSection(rng);
                    band.second.y1 *= 1e-39;  // for a flush to clear
                    if (identity[j]) {
                        band.section.setTargetIdentity();
                        band.section.snapToTarget();
                    }
                    for (float& v : band.kernel) v = 0.2f * d(rng);
                    for (float& v : band.history) v = scale * d(rng);
                    band.section.x1 *= scale;
                    band.section.x2 *= scale;
                    band.section.y1 *= scale;
                    band.section.y2 *= scale;
                    band.position = position(rng);
                    band.gain = (j + c) % 3 == 0 ? 1.0f : 0.8f + 0.1f * static_cast<float>(j);
                    // Guards at their limit in some members, in none of others.
                    band.tinyCount = (j + c + n) % 4 == 0 ? kTinyOutputLimit : kTinyOutputLimit - 1;
                    band.correctionTinyCount = (j + c + n) % 5 == 0 ? kTinyOutputLimit : 0;
                }
            }
            std::vector<float> input0(kSteadyChainMaxFrames), input1(kSteadyChainMaxFrames);
            for (int i = 0; i < n; ++i) {
                input0[i] = scale * d(rng);
                input1[i] = scale * d(rng);
            }
            // The separate steps.
            std::vector<Band> expect = bands;
            std::vector<float> want0 = input0, want1 = input1;
            // A ring holds the kernel's earlier inputs, as the history does.
            std::vector<std::vector<float>> rings(static_cast<size_t>(count),
                                                  std::vector<float>(2 * kInputRingFrames, 0.0f));
            for (int j = 0; j < count; ++j)
                for (int c = 0; c < 2 && defers[j]; ++c) {
                    const Band& band = bands[2 * j + c];
                    for (int i = 0; i < kernelLength[j] - 1; ++i)
                        rings[j][2 * (ringFrame - (kernelLength[j] - 1) + i) + c] =
                            earlierInput(band, kernelLength[j], i);
                }
            std::vector<std::vector<float>> wantRings = rings;
            for (int j = 0; j < count; ++j)
                flushed += referenceSlot(expect[2 * j], expect[2 * j + 1], kernelLength[j], identity[j],
                              defers[j] ? wantRings[j].data() + 2 * ringFrame : nullptr, want0.data(), want1.data(),
                              n);
            // The chain as the engine runs it, member after member, and
            // staggered in AVX2 registers alone.
            const char* const paths[] = {"", "in order, ", "AVX2, "};
            for (int path = 0; path < 3; ++path) {
                std::vector<Band> chain = bands;
                std::vector<float> work0 = input0, work1 = input1;
                std::vector<std::vector<float>> ringsNow = rings;
                SteadyMember members[kSteadyChainMaxMembers];
                for (int j = 0; j < count; ++j) {
                    for (int c = 0; c < 2; ++c) {
                        Band& band = chain[2 * j + c];
                        members[j].channel[c] = {&band.section, &band.second,
                                                 kernelLength[j] > 0 ? band.kernel.data() : nullptr,
                                                 band.history.data(), band.position, band.gain, band.tinyCount,
                                                 band.correctionTinyCount, 0.0f, 0.0f};
                    }
                    members[j].kernelLength = kernelLength[j];
                    members[j].identity = identity[j];
                    members[j].writesHistory = !defers[j];
                    members[j].inputRing = defers[j] ? ringsNow[j].data() : nullptr;
                    interleaveKernels(members[j]);
                }
                if (path == 0) {
                    runSteadyChain(members, count, kRing, ringFrame, work0.data(), work1.data(), n);
                } else if (path == 1) {
                    runSteadyChainInOrder(members, count, kRing, ringFrame, work0.data(), work1.data(), n);
                } else if (!runSteadyChainAvx2(members, count, kRing, ringFrame, work0.data(), work1.data(), n)) {
                    continue;  // not for this processor or chunk
                }

                const std::string where =
                    std::string(paths[path]) + "count " + std::to_string(count) + ", n " + std::to_string(n);
                ASSERT_TRUE(sameBits(work0.data(), want0.data(), n)) << where;
                ASSERT_TRUE(sameBits(work1.data(), want1.data(), n)) << where;
                for (int j = 0; j < count; ++j) {
                    ASSERT_TRUE(sameBits(ringsNow[j].data(), wantRings[j].data(), 2 * kInputRingFrames))
                        << where << " ring of member " << j;
                    for (int c = 0; c < 2; ++c) {
                        const Band& got = chain[2 * j + c];
                        const Band& want = expect[2 * j + c];
                        const SteadyChannel& channel = members[j].channel[c];
                        ASSERT_TRUE(sameBits(got.history.data(), want.history.data(), 2 * kRing))
                            << where << " member " << j;
                        EXPECT_EQ(channel.firstSection, want.firstSection) << where << " member " << j;
                        EXPECT_EQ(channel.firstCorrected, want.firstCorrected) << where << " member " << j;
                        EXPECT_EQ(channel.tinyCount, want.tinyCount) << where << " member " << j;
                        EXPECT_EQ(channel.correctionTinyCount, want.correctionTinyCount) << where << " member " << j;
                        EXPECT_EQ(got.second.y1, want.second.y1) << where << " member " << j;
                        const double memories[4] = {got.section.x1, got.section.x2, got.section.y1, got.section.y2};
                        const double expected[4] = {want.section.x1, want.section.x2, want.section.y1, want.section.y2};
                        for (int m = 0; m < 4; ++m) EXPECT_EQ(memories[m], expected[m]) << where << " memory " << m;
                    }
                }
            }
        }
    }
    // The guards had something to flush.
    EXPECT_GT(flushed, 1000);
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
// tiny outputs whose guards flush in the chain, and through chunks that
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
        ASSERT_TRUE(playAlike(*planned, *full, n, channels, tiny, rng, d)) << "step " << step;
        if (phase == 99) {
            EXPECT_TRUE(planned->chainPlanned()) << "step " << step;
        }
    }
    EXPECT_EQ(plannedBeforeChange, numChanges);
}

// Chained slots without a kernel leave their histories to be written when
// a kernel could read them. An engine whose bands write them every chunk
// must play the same bit for bit: through bands that gain a kernel (a
// first-order low-pass turned second-order, a bell moved above the table),
// the correction switched off and on, a slot off and on again, mono
// chunks, chunks of every size, tiny outputs, resets and a new rate, and
// the input rings starting again from their first frame every few chunks.
TEST(SteadyChain, DeferredHistoriesChangeNoOutputBit) {
    auto deferred = std::make_unique<EqEngine>();
    auto eager = std::make_unique<EqEngine>();
    eager->setDeferredHistories(false);
    auto both = [&](auto&& change) {
        change(*deferred);
        change(*eager);
    };
    both(setEightBands);
    both([](EqEngine& e) { e.setBandKind(6, kKindLowPass6); });
    using Change = void (*)(EqEngine&);
    const Change changes[] = {
        [](EqEngine& e) { e.setBandKind(6, kKindLowPass12); },
        [](EqEngine& e) { e.setBandSettings(3, -1, 21000.0f, 6.0f, 1.0f); },
        [](EqEngine& e) { e.setBandSettings(3, -1, 1000.0f, 3.0f, 1.4f); },
        // A low shelf at 0 dB ...
        [](EqEngine& e) { e.setBandSettings(2, -1, 300.0f, 0.0f, 0.7f); },
        [](EqEngine& e) { e.setUseCorrection(false); },
        [](EqEngine& e) { e.setUseCorrection(true); },
        [](EqEngine& e) { e.setBandEnabled(4, false); },
        [](EqEngine& e) { e.setBandEnabled(4, true); },
        [](EqEngine& e) { e.setBandSettings(5, 0, 21500.0f, -5.0f, 0.7f); },  // one channel only
        [](EqEngine& e) { e.resetBandHistories(); },
        [](EqEngine& e) { e.setSampleRate(48000.0f); },
    };
    constexpr int kSteps = 120;
    const int numChanges = static_cast<int>(sizeof(changes) / sizeof(changes[0]));
    const int sizes[] = {44, 44, 44, 28, 1, 3, 44, 13, 8, 44, 40, 4, 44, 36};
    std::mt19937 rng(23);
    std::uniform_real_distribution<float> d(-0.5f, 0.5f);
    for (int step = 0; step < (numChanges + 1) * kSteps; ++step) {
        const int phase = step % kSteps;
        if (phase == 0 && step > 0) both(changes[step / kSteps - 1]);
        // ... then, turned bell, passes its input through; moved above the
        // table it gains a kernel; and all that again, four times over.
        if (step >= 4 * kSteps + 40 && step < 5 * kSteps) {
            if (phase % 20 == 0) both([](EqEngine& e) { e.setBandKind(2, kKindBell); });
            if (phase % 20 == 2) both([](EqEngine& e) { e.setBandSettings(2, -1, 21000.0f, 6.0f, 1.0f); });
            if (phase % 20 == 8)
                both([](EqEngine& e) {
                    e.setBandSettings(2, -1, 300.0f, 0.0f, 0.7f);
                    e.setBandKind(2, kKindLowShelf);
                });
        }
        // The deferring engine stops and starts again once on the way.
        if (step == 7 * kSteps + 50) deferred->setDeferredHistories(false);
        if (step == 7 * kSteps + 60) deferred->setDeferredHistories(true);
        const bool tiny = phase >= 90 && phase < 110;
        if (phase == 90) both([](EqEngine& e) { e.resetBandHistories(); });
        const int channels = phase == 61 || phase == 62 ? 1 : 2;
        const int n = sizes[(step * 5 + step / 3) % 14];
        ASSERT_TRUE(playAlike(*deferred, *eager, n, channels, tiny, rng, d)) << "step " << step;
        // Now and then the deferring engine writes what it has left: every
        // history then ends as the other engine's, as far back as a kernel
        // reaches.
        if (step % 11 == 5) {
            deferred->setDeferredHistories(true);
            for (int c = 0; c < 2; ++c)
                for (int slot = 0; slot < EqEngine::kNumSlots; ++slot)
                    for (int back = 1; back < kMaxKernelLength; ++back) {
                        const float got = deferred->band(c, slot).historyInput(back);
                        const float want = eager->band(c, slot).historyInput(back);
                        ASSERT_TRUE(sameBits(&got, &want, 1))
                            << "step " << step << " channel " << c << " slot " << slot << " frame -" << back;
                    }
        }
    }
    // The bands that gained a kernel played it.
    EXPECT_GT(deferred->band(0, 6).kernelLength(), 0);
}

// A band's deferred frames are the last ones it took in, wherever its
// chunks went into the ring: joining a chain at another ring frame than
// where its last chunk ended writes them first.
TEST(SteadyChain, DeferredHistoryFollowsTheBandNotTheRing) {
    auto a = std::make_unique<BandProcessor>();
    auto b = std::make_unique<BandProcessor>();
    std::vector<float> ring(2 * kInputRingFrames, 0.0f);
    std::vector<float> fed;  // channel 0's input, in order
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> d(-0.5f, 0.5f);
    for (BandProcessor* band : {a.get(), b.get()}) {
        band->setSampleRate(44100.0f);
        band->setPendingKind(kKindBell);
        band->setPending(1000.0f, 6.0f, 1.0f);
    }
    float x0[N], x1[N];
    auto fill = [&](int n) {
        for (int i = 0; i < n; ++i) {
            x0[i] = d(rng);
            x1[i] = d(rng);
            fed.push_back(x0[i]);
        }
    };
    for (int chunk = 0; chunk < 40; ++chunk) {  // settled, history written
        fill(N);
        BandProcessor::processPair(*a, *b, x0, x0, x1, x1, N);
    }
    a->attachInputRing(ring.data(), 0);
    b->attachInputRing(ring.data(), 1);
    // Chunks at ring frames 0, 44, then 200 and 212: the band's frames run
    // on from 88 to 200 although the ring's do not.
    const int frames[][2] = {{0, 44}, {44, 44}, {200, 12}, {212, 8}};
    for (const auto& f : frames) {
        const int ringFrame = f[0], n = f[1];
        fill(n);
        ASSERT_TRUE(a->startChunk(x0, x0, n));
        ASSERT_TRUE(b->startChunk(x1, x1, n));
        SteadyMember member;
        ASSERT_TRUE(BandProcessor::joinSteadyChain(*a, *b, member, ringFrame));
        EXPECT_FALSE(member.writesHistory);
        runSteadyChain(&member, 1, BandProcessor::kHistoryLength, ringFrame, x0, x1, n);
        BandProcessor::finishSteadyChain(*a, *b, member, n);
    }
    a->writeDeferredHistory();
    for (int back = 1; back < kMaxKernelLength; ++back)
        ASSERT_EQ(a->historyInput(back), fed[fed.size() - static_cast<size_t>(back)]) << "frame -" << back;
}

// A band whose tiny-output guards have reached their limit stays in the
// chain, which flushes its outputs and, after the chunk, its memories as
// the separate steps do: through a stretch of tiny negative input, chunk
// after chunk, for a bell, a low-pass with a kernel and the Air band.
TEST(SteadyChain, TinyOutputGuardsFlushInTheChainAsInTheSeparateSteps) {
    struct Kind { int kind; float f, g, q; };
    const Kind kinds[] = {{kKindBell, 1000.0f, 6.0f, 1.0f},
                          {kKindLowPass12, 15000.0f, 0.0f, 0.7f},
                          {kKindAir, kAirFreqHz, 6.0f, 0.0f}};
    for (const Kind& k : kinds) {
        std::vector<std::unique_ptr<BandProcessor>> bands;
        for (int i = 0; i < 4; ++i) {
            bands.push_back(std::make_unique<BandProcessor>());
            bands.back()->setSampleRate(44100.0f);
            bands.back()->setPendingKind(k.kind);
            bands.back()->setPending(k.f, k.g, k.q);
        }
        BandProcessor &a = *bands[0], &b = *bands[1], &chainA = *bands[2], &chainB = *bands[3];
        std::vector<float> ring(2 * kInputRingFrames, 0.0f);
        chainA.attachInputRing(ring.data(), 0);
        chainB.attachInputRing(ring.data(), 1);
        std::mt19937 rng(9);
        std::uniform_real_distribution<float> d(-0.5f, 0.5f);
        int ringFrame = kInputRingKeep, chained = 0, flushing = 0;
        for (int chunk = 0; chunk < 200; ++chunk) {
            // Settled on ordinary input, then tiny, mostly negative input.
            const bool tiny = chunk >= 60;
            float x0[N], x1[N], y0[N], y1[N];
            for (int i = 0; i < N; ++i) {
                x0[i] = tiny ? -6e-39f + 4e-39f * d(rng) : d(rng);
                x1[i] = tiny ? -3e-38f + 4e-38f * d(rng) : d(rng);
                y0[i] = x0[i];
                y1[i] = x1[i];
            }
            BandProcessor::processPair(a, b, x0, x0, x1, x1, N);
            if (ringFrame + N > kInputRingFrames) {
                chainA.writeDeferredHistory();
                chainB.writeDeferredHistory();
                ringFrame = kInputRingKeep;
                chainA.attachInputRing(ring.data(), 0);
                chainB.attachInputRing(ring.data(), 1);
            }
            const bool runA = chainA.startChunk(y0, y0, N);
            const bool runB = chainB.startChunk(y1, y1, N);
            SteadyMember member;
            if (runA && runB && BandProcessor::joinSteadyChain(chainA, chainB, member, ringFrame)) {
                runSteadyChain(&member, 1, BandProcessor::kHistoryLength, ringFrame, y0, y1, N);
                BandProcessor::finishSteadyChain(chainA, chainB, member, N);
                ++chained;
                flushing += tiny && member.channel[0].tinyCount >= kTinyOutputLimit ? 1 : 0;
            } else {
                BandProcessor::continuePair(chainA, chainB, runA, runB, y0, y0, y1, y1, N);
            }
            ringFrame += N;
            ASSERT_TRUE(sameBits(x0, y0, N)) << "kind " << k.kind << " chunk " << chunk;
            ASSERT_TRUE(sameBits(x1, y1, N)) << "kind " << k.kind << " chunk " << chunk;
            ASSERT_EQ(a.mainSection().y1, chainA.mainSection().y1) << "kind " << k.kind << " chunk " << chunk;
        }
        EXPECT_GT(chained, 150) << "kind " << k.kind;
        EXPECT_GT(flushing, 100) << "kind " << k.kind;
    }
}
