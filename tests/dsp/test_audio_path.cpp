// The engine's audio path: chunking, silence detection, mid/side, clip
// flag, band and general crossfades, bit transparency, redesign states,
// the check for non-finite samples, the denormal flush.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "dsp/band_kind.h"
#include "dsp/biquad_section.h"
#include "dsp/chunking.h"
#include "dsp/denormal_flush.h"
#include "dsp/eq_engine.h"
#include "dsp/finite_audio.h"
#include "dsp/tiny_output_guard.h"

using namespace solva;

namespace {

constexpr int N = EqEngine::kChunkFrames;

std::unique_ptr<EqEngine> makeEngine() { return std::make_unique<EqEngine>(); }

void run(EqEngine& e, int chunks, float value = 0.0f, int channels = 2) {
    float in[N], o0[N], o1[N];
    for (float& v : in) v = value;
    for (int i = 0; i < chunks; ++i) e.processChunk(N, in, in, o0, o1, channels);
}

std::vector<float> sixteenBitNoise(int n, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> d(-32768, 32767);
    std::vector<float> v(static_cast<size_t>(n));
    for (float& x : v) x = static_cast<float>(d(rng)) / 32768.0f;
    return v;
}

bool sameBits(const float* a, const float* b, int n) { return std::memcmp(a, b, sizeof(float) * static_cast<size_t>(n)) == 0; }

}  // namespace

TEST(Chunking, AHundredFramesAre44Plus44Plus12) {
    std::vector<std::pair<int, int>> chunks;
    forEachChunk(100, [&](int offset, int n) { chunks.emplace_back(offset, n); });
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0], std::make_pair(0, 44));
    EXPECT_EQ(chunks[1], std::make_pair(44, 44));
    EXPECT_EQ(chunks[2], std::make_pair(88, 12));
    auto e = makeEngine();
    std::vector<float> in(100, 0.25f), out(100, 0.0f);
    EXPECT_EQ(e->processChunk(100, in.data(), nullptr, out.data(), nullptr, 1), 44);
    EXPECT_EQ(out[43], 0.25f);
    EXPECT_EQ(out[44], 0.0f);
}

TEST(SilenceDetection, EleventhSilentChunkStartsTheSilentState) {
    auto e = makeEngine();
    e->setSilenceDetection(true);
    for (int chunk = 1; chunk <= 10; ++chunk) {
        run(*e, 1);
        EXPECT_FALSE(e->silent()) << chunk;
    }
    run(*e, 1);
    EXPECT_TRUE(e->silent());
    // Silent: tiny input gives zeros without processing.
    float in[N], o0[N], o1[N];
    for (float& v : in) v = 5e-8f;
    e->processChunk(N, in, in, o0, o1, 2);
    for (int i = 0; i < N; ++i) EXPECT_EQ(o0[i], 0.0f);
    // One sample above 1e-7 resumes processing in the same chunk.
    in[20] = 2e-7f;
    e->processChunk(N, in, in, o0, o1, 2);
    EXPECT_FALSE(e->silent());
    EXPECT_EQ(o0[20], 2e-7f);
    EXPECT_EQ(o0[0], 5e-8f);
    // Switching detection resets the state and the counter.
    run(*e, 11);
    EXPECT_TRUE(e->silent());
    e->setSilenceDetection(true);
    EXPECT_FALSE(e->silent());
    EXPECT_EQ(e->silentChunks(), 0);
}

TEST(MidSide, FlatEqualiserRoundTripIsBitTransparent) {
    auto e = makeEngine();
    e->setMidSide(true, true, true);
    const auto l = sixteenBitNoise(N * 20, 1), r = sixteenBitNoise(N * 20, 2);
    std::vector<float> ol(l.size()), orr(r.size());
    for (size_t pos = 0; pos < l.size(); pos += N) e->processChunk(N, &l[pos], &r[pos], &ol[pos], &orr[pos], 2);
    EXPECT_TRUE(sameBits(l.data(), ol.data(), static_cast<int>(l.size())));
    EXPECT_TRUE(sameBits(r.data(), orr.data(), static_cast<int>(r.size())));
}

TEST(MidSide, EncodingAloneGivesMidAndSide) {
    auto e = makeEngine();
    e->setMidSide(true, true, false);
    float l[N], r[N], o0[N], o1[N];
    for (int i = 0; i < N; ++i) {
        l[i] = 0.5f;
        r[i] = 0.25f;
    }
    e->processChunk(N, l, r, o0, o1, 2);
    EXPECT_EQ(o0[0], 0.375f);
    EXPECT_EQ(o1[0], 0.125f);
}

TEST(ClipFlag, ExactlyOneDoesNotClipAndTheNextFloatDoes) {
    auto e = makeEngine();
    float in[N], o0[N], o1[N];
    for (float& v : in) v = 1.0f;
    in[3] = -1.0f;
    e->processChunk(N, in, in, o0, o1, 2);
    EXPECT_FALSE(e->clipFlag());
    in[7] = 1.0000001f;
    e->processChunk(N, in, in, o0, o1, 2);
    EXPECT_TRUE(e->clipFlag());
    run(*e, 3, 0.1f);
    EXPECT_TRUE(e->clipFlag());  // sticky
    e->clearClipFlag();
    EXPECT_FALSE(e->clipFlag());
}

TEST(BandCrossfade, OnBecomesActiveAbove0999AndOffEndsBelow0001) {
    auto e = makeEngine();
    e->setBandKind(3, kKindBell);
    e->setBandSettings(3, -1, 1000.0f, 6.0f, 1.0f);
    e->setBandEnabled(3, true);
    const float a = static_cast<float>(1.0 - std::exp(-1.0 / (10.0 * 44.1)));
    float fade = 0.0f;
    int expectedChunks = 0;
    while (true) {
        ++expectedChunks;
        for (int i = 0; i < N; ++i) fade = fade * (1.0f - a) + a;
        if (fade > 0.999f) break;
    }
    for (int chunk = 1; chunk < expectedChunks; ++chunk) {
        run(*e, 1, 0.1f);
        EXPECT_FALSE(e->bandActive(0, 3)) << chunk;
    }
    run(*e, 1, 0.1f);
    EXPECT_TRUE(e->bandActive(0, 3));
    EXPECT_TRUE(e->bandActive(1, 3));
    EXPECT_EQ(e->bandFade(0, 3), 1.0f);
    e->setBandEnabled(3, false);
    int chunks = 0;
    while (e->bandActive(0, 3) && chunks < 1000) {
        run(*e, 1, 0.1f);
        ++chunks;
        if (e->bandActive(0, 3)) {
            EXPECT_GE(e->bandFade(0, 3), 0.001f);
        }
    }
    EXPECT_EQ(e->bandFade(0, 3), 0.0f);
    EXPECT_GT(chunks, 10);
}

TEST(BitTransparency, FlatEngineAndZeroDecibelBellPassInputUnchanged) {
    auto e = makeEngine();
    const auto x = sixteenBitNoise(N * 10, 3);
    std::vector<float> y(x.size());
    for (size_t p = 0; p < x.size(); p += N) e->processChunk(N, &x[p], nullptr, &y[p], nullptr, 1);
    EXPECT_TRUE(sameBits(x.data(), y.data(), static_cast<int>(x.size())));
    // A kind-14 band at exactly 0 dB, once active, costs nothing.
    e->setBandKind(2, kKindBell);
    e->setBandSettings(2, -1, 3000.0f, 0.0f, 2.0f);
    e->setBandEnabled(2, true);
    run(*e, 200, 0.0f, 1);
    ASSERT_TRUE(e->bandActive(0, 2));
    std::mt19937 rng(4);
    std::uniform_real_distribution<float> d(-1.0f, 1.0f);
    std::vector<float> z(N * 10);
    for (float& v : z) v = d(rng);
    for (size_t p = 0; p < z.size(); p += N) e->processChunk(N, &z[p], nullptr, &y[p], nullptr, 1);
    EXPECT_TRUE(sameBits(z.data(), y.data(), static_cast<int>(z.size())));
}

TEST(MonoProcessing, OnlyOutputZeroIsWritten) {
    auto e = makeEngine();
    float in[N], o0[N], o1[N];
    for (int i = 0; i < N; ++i) {
        in[i] = 0.5f;
        o1[i] = 7.0f;
    }
    e->processChunk(N, in, nullptr, o0, o1, 1);
    EXPECT_EQ(o0[5], 0.5f);
    EXPECT_EQ(o1[5], 7.0f);
}

TEST(GeneralOnOff, OffCrossfadesToDryAndKeepsGainWhenAsked) {
    auto e = makeEngine();
    e->setOutputGainDb(-1, -6.0f);
    run(*e, 200, 0.5f);
    e->setGeneralOn(false);
    EXPECT_TRUE(e->transitionRunning());
    run(*e, 400, 0.5f);
    EXPECT_FALSE(e->transitionRunning());
    float in[N], o0[N], o1[N];
    for (float& v : in) v = 0.5f;
    e->processChunk(N, in, in, o0, o1, 2);
    EXPECT_EQ(o0[0], 0.5f);  // dry, no output gain
    e->setOffKeepsGain(true);
    e->processChunk(N, in, in, o0, o1, 2);
    EXPECT_NEAR(o0[0], 0.5f * std::pow(10.0f, -6.0f / 20.0f), 1e-4f);
    e->setGeneralOn(true);
    run(*e, 400, 0.5f);
    EXPECT_FALSE(e->transitionRunning());
    EXPECT_EQ(e->onOffFade(), 1.0f);
    e->processChunk(N, in, in, o0, o1, 2);
    EXPECT_NEAR(o0[0], 0.5f * std::pow(10.0f, -6.0f / 20.0f), 1e-4f);
}

TEST(OutputGain, FollowsItsTargetWithTheTenMillisecondSmoothing) {
    auto e = makeEngine();
    e->setOutputGainDb(0, 6.0f);
    run(*e, 300, 0.25f);
    float in[N], o0[N], o1[N];
    for (float& v : in) v = 0.25f;
    e->processChunk(N, in, in, o0, o1, 2);
    EXPECT_NEAR(o0[0], 0.25f * std::pow(10.0f, 0.3f), 1e-5f);
    EXPECT_EQ(o1[0], 0.25f);
}

TEST(RedesignStates, NewKernelWaitsForTheRunningCrossfade) {
    auto e = makeEngine();
    // The 12 dB low-pass carries a kernel near the top of the band.
    e->setBandKind(4, kKindLowPass12);
    e->setBandSettings(4, 0, 15000.0f, 0.0f, 1.0f);
    e->setBandEnabled(4, true);
    run(*e, 100, 0.0f, 1);
    const BandProcessor& b = e->band(0, 4);
    ASSERT_EQ(b.state(), BandProcessor::kStateIdle);
    ASSERT_GT(b.kernelLength(), 0);
    e->setBandSettings(4, 0, 15000.0f, 0.0f, 1.2f);
    run(*e, 1, 0.0f, 1);
    EXPECT_EQ(b.state(), BandProcessor::kStateResponses);
    run(*e, 1, 0.0f, 1);
    EXPECT_EQ(b.state(), BandProcessor::kStateKernel);
    run(*e, 1, 0.0f, 1);
    EXPECT_EQ(b.state(), BandProcessor::kStateIdle);
    EXPECT_LT(b.kernelFade(), 0.99f);
    // A change right after an install computes responses, then waits.
    e->setBandSettings(4, 0, 15000.0f, 0.0f, 1.4f);
    run(*e, 2, 0.0f, 1);
    EXPECT_EQ(b.state(), BandProcessor::kStateWaiting);
    int chunks = 0;
    while (b.state() != BandProcessor::kStateIdle && chunks < 50) {
        run(*e, 1, 0.0f, 1);
        ++chunks;
    }
    EXPECT_EQ(b.state(), BandProcessor::kStateIdle);
    EXPECT_GT(chunks, 1);
}

TEST(RedesignStates, FirstOrderLowPassInstallsAtOnceWithoutKernel) {
    auto e = makeEngine();
    e->setBandKind(6, kKindLowPass6);
    e->setBandSettings(6, 0, 5000.0f, 0.0f, 0.7f);
    e->setBandEnabled(6, true);
    run(*e, 1, 0.0f, 1);
    EXPECT_EQ(e->band(0, 6).state(), BandProcessor::kStateIdle);
    EXPECT_EQ(e->band(0, 6).kernelLength(), 0);
}

TEST(ResetBandHistories, ClearsRingingMemories) {
    auto e = makeEngine();
    e->setBandKind(2, kKindBell);
    e->setBandSettings(2, -1, 100.0f, 15.0f, 7.0f);
    e->setBandEnabled(2, true);
    run(*e, 100, 0.0f);
    run(*e, 1, 0.9f);
    e->resetBandHistories();
    float in[N] = {}, o0[N], o1[N];
    e->processChunk(N, in, in, o0, o1, 2);
    for (int i = 0; i < N; ++i) EXPECT_EQ(o0[i], 0.0f);
}

// A band carried by its correction alone plays an identity section: it is
// skipped, but its memories must end where the arithmetic leaves them, so
// that a later glide to a real section sounds the same.
TEST(IdentitySection, PassThroughMatchesTheArithmeticAndLeavesTheSameMemories) {
    const std::vector<float> input = sixteenBitNoise(3 * N + 1, 7);
    BiquadSection played, skipped;
    std::vector<float> a(input.size()), b(input.size());
    int pos = 0;
    for (int n : {N, 1, N, 2, N}) {
        if (pos + n > static_cast<int>(input.size())) break;
        ASSERT_TRUE(skipped.isIdentity());
        played.run(&input[pos], &a[pos], n);
        skipped.passThrough(&input[pos], &b[pos], n);
        pos += n;
    }
    EXPECT_TRUE(sameBits(a.data(), b.data(), pos));
    EXPECT_EQ(played.x1, skipped.x1);
    EXPECT_EQ(played.x2, skipped.x2);
    EXPECT_EQ(played.y1, skipped.y1);
    EXPECT_EQ(played.y2, skipped.y2);
    // A resonant section from here on: the first outputs read the memories.
    CoefficientSet bell = CoefficientSet::identity();
    bell.v[1] = -1.9;
    bell.v[2] = 0.95;
    bell.v[3] = 1.2;
    bell.v[4] = -1.7;
    bell.v[5] = 0.6;
    played.setTarget(bell);
    skipped.setTarget(bell);
    float c[N], d[N];
    played.runGliding(input.data(), c, N, 0.01);
    skipped.runGliding(input.data(), d, N, 0.01);
    EXPECT_FALSE(skipped.isIdentity());
    EXPECT_TRUE(sameBits(c, d, N));
}

// A guard counts chunks whose first output is below 1e-20 and not 0, a
// signed comparison (negative samples count, and so does NaN, which is not
// at least 1e-20 either); one of at least 1e-20 resets it. Past 20 in a
// row it holds at 20 and flushes every further such chunk: values below
// 1e-37 in magnitude become 0.
TEST(TinyOutputGuard, CountsNegativeAndTinyFirstSamplesAndFlushesPastTwenty) {
    int count = 0;
    EXPECT_FALSE(countTinyOutput(-1.0f, count));
    EXPECT_EQ(count, 1);
    EXPECT_FALSE(countTinyOutput(1e-21f, count));
    EXPECT_EQ(count, 2);
    EXPECT_FALSE(countTinyOutput(0.0f, count));
    EXPECT_FALSE(countTinyOutput(-0.0f, count));
    EXPECT_EQ(count, 2);
    EXPECT_FALSE(countTinyOutput(1e-20f, count));
    EXPECT_EQ(count, 0);
    for (int chunk = 1; chunk <= kTinyOutputLimit; ++chunk) {
        EXPECT_FALSE(countTinyOutput(-0.5f, count)) << chunk;
        EXPECT_EQ(count, chunk);
    }
    EXPECT_TRUE(tinyOutputFlushes(count, -0.5f));
    EXPECT_FALSE(tinyOutputFlushes(count, 0.0f));
    EXPECT_FALSE(tinyOutputFlushes(count, 2e-20f));
    EXPECT_FALSE(tinyOutputFlushes(count - 1, -0.5f));
    EXPECT_TRUE(countTinyOutput(-0.5f, count));
    EXPECT_EQ(count, kTinyOutputLimit);
    EXPECT_FALSE(countTinyOutput(0.0f, count));
    EXPECT_EQ(count, kTinyOutputLimit);
    EXPECT_TRUE(countTinyOutput(std::numeric_limits<float>::quiet_NaN(), count));
    EXPECT_EQ(count, kTinyOutputLimit);
    EXPECT_FALSE(countTinyOutput(0.5f, count));
    EXPECT_EQ(count, 0);

    float out[] = {5e-38f, -5e-38f, 1e-37f, -2e-37f, 0.3f, -0.0f};
    flushTinyOutputs(out, 6);
    const float want[] = {0.0f, 0.0f, 1e-37f, -2e-37f, 0.3f, 0.0f};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(out[i], want[i]) << i;
}

TEST(FiniteAudio, OnlyNotANumberAndInfinitiesCount) {
    const float finite[] = {0.0f, -0.0f, 1e-45f, -1e-45f, 1.17e-38f, 3.4028235e38f, -3.4028235e38f, 0.5f};
    EXPECT_TRUE(samplesAreFinite(finite, 8));
    EXPECT_TRUE(samplesAreFinite(finite, 0));
    const float bad[] = {std::nanf(""), -std::nanf(""), INFINITY, -INFINITY};
    for (float b : bad) {
        float chunk[44];
        for (int i = 0; i < 44; ++i) chunk[i] = 0.25f;
        for (int at : {0, 17, 43}) {
            chunk[at] = b;
            EXPECT_FALSE(samplesAreFinite(chunk, 44)) << b << " at " << at;
            EXPECT_TRUE(samplesAreFinite(chunk, at)) << b << " at " << at;
            chunk[at] = 0.25f;
        }
    }
}

#if SOLVA_HAS_MXCSR
// A denormal operand reads as zero and a denormal result becomes zero inside
// the scope; the mode found on entry comes back on exit, nested or not.
// (The low six bits of the register are sticky exception flags, not mode.)
TEST(DenormalFlush, FlushesInsideTheScopeAndPutsTheCallersModeBack) {
    const auto mode = [] { return _mm_getcsr() & ~0x3Fu; };
    volatile float denormal = 1e-39f;
    volatile float one = 1.0f, small = 1e-30f, smaller = 1e-10f;
    const unsigned entry = mode();
    ASSERT_NE(denormal * one, 0.0f) << "the test runs with denormals on";
    {
        const ScopedDenormalFlush flush;
        EXPECT_EQ(denormal * one, 0.0f);
        EXPECT_EQ(small * smaller, 0.0f);
        {
            const ScopedDenormalFlush inner;
            EXPECT_EQ(denormal * one, 0.0f);
        }
        EXPECT_EQ(small * smaller, 0.0f) << "an inner scope kept the outer one's mode";
    }
    EXPECT_EQ(mode(), entry);
    EXPECT_NE(denormal * one, 0.0f);
    EXPECT_NE(small * smaller, 0.0f);

    // A caller that flushes already keeps flushing after the scope.
    _mm_setcsr(entry | ScopedDenormalFlush::kFlushToZero | ScopedDenormalFlush::kDenormalsAreZero);
    { const ScopedDenormalFlush flush; }
    EXPECT_EQ(denormal * one, 0.0f);
    _mm_setcsr(entry);
}
#endif
