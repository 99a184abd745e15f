// The audio thread as hosts drive it. It never allocates (processReplacing
// run with parameter changes, slot switches and sample-rate changes in
// between, under a counting global allocator); it stays finite and stable
// under random settings at any rate, under any float a host sends as a
// parameter or a sample rate and with NaN or infinities in its input; it
// may process in place, also across channels; denormal input is heard as
// silence and the host's floating-point mode is left as found.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <random>
#include <vector>

#include "dsp/denormal_flush.h"
#include "plugin_test_support.h"

// The address sanitizer brings its own allocator: with it, the counting
// hooks stay out and the tests count nothing (it checks every allocation
// anyway).
#ifndef __SANITIZE_ADDRESS__
namespace {
std::atomic<bool> gCounting{false};
std::atomic<long> gAllocations{0};
}  // namespace

// These operators pair malloc with free themselves; GCC, inlining them into
// a caller, takes the free for a mismatch with the new it sees there.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t size) {
    if (gCounting.load(std::memory_order_relaxed)) gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
#else
namespace {
std::atomic<bool> gCounting{false};
std::atomic<long> gAllocations{0};
}  // namespace
#endif

namespace solva::test {
namespace {

class CountAllocations {
public:
    CountAllocations() {
        gAllocations = 0;
        gCounting = true;
    }
    ~CountAllocations() { gCounting = false; }
    long count() const { return gAllocations.load(); }
};

// Every band's switch and the general switch on: the high-pass, the five
// bells, the low-pass and Air all play.
void switchEveryBandOn(HostedEffect& fx) {
    for (int index : {21, 23, 25, 26, 27, 28, 30, 32, 33}) fx.set(index, 1.0f);
}

TEST(Realtime, ProcessingNeverAllocates) {
    HostedEffect fx;
    std::vector<float> l(1000), r(1000), outL(1000), outR(1000);
    for (size_t i = 0; i < l.size(); ++i) {
        l[i] = 0.3f * std::sin(0.05f * float(i));
        r[i] = 0.3f * std::cos(0.031f * float(i));
    }
    float* in[2] = {l.data(), r.data()};
    float* out[2] = {outL.data(), outR.data()};
    // Switch every band on first: designing and correcting bands happens on
    // the audio thread too.
    switchEveryBandOn(fx);

    CountAllocations counter;
    for (int block = 0; block < 200; ++block) {
        fx.set(4 + 3 * (block % 5), float(block % 10) / 10.0f);
        fx.set(2 + 3 * (block % 5), float((block * 7) % 10) / 10.0f);
        if (block % 37 == 0) fx.set(24, float(block % 2));
        if (block % 50 == 0) fx.set(49, float((block / 50) % 2));
        fx.aeffect->processReplacing(fx.aeffect, in, out, 1 + (block * 13) % 1000);
        for (size_t i = 0; i < 64; ++i) {
            ASSERT_TRUE(std::isfinite(outL[i]) && std::isfinite(outR[i])) << "block " << block;
        }
    }
    EXPECT_EQ(counter.count(), 0);
}

TEST(Realtime, SampleRateChangesBetweenBlocksKeepOutputFinite) {
    HostedEffect fx;
    switchEveryBandOn(fx);
    std::vector<float> l(512, 0.25f), r(512, -0.25f), outL(512), outR(512);
    float* in[2] = {l.data(), r.data()};
    float* out[2] = {outL.data(), outR.data()};
    for (float rate : {44100.0f, 8000.0f, 192000.0f, 48000.0f, 96000.0f, 22050.0f}) {
        fx.dispatch(vst::effSetSampleRate, 0, 0, nullptr, rate);
        for (int block = 0; block < 8; ++block) {
            fx.aeffect->processReplacing(fx.aeffect, in, out, 512);
            for (int i = 0; i < 512; ++i) {
                ASSERT_TRUE(std::isfinite(outL[i]) && std::fabs(outL[i]) < 10.0f) << rate;
                ASSERT_TRUE(std::isfinite(outR[i]) && std::fabs(outR[i]) < 10.0f) << rate;
            }
        }
    }
}

// A host that sends a NaN, an infinite or a zero sample rate gets finite
// output, and the equaliser plays again once it sends a real rate (a NaN
// rate used to leave the gain glides NaN, and every chunk silenced, for
// good).
TEST(Realtime, AnUnusableSampleRateDoesNotOutliveTheNextRealOne) {
    for (float rate : {std::nanf(""), INFINITY, -INFINITY, 0.0f, -1.0f}) {
        HostedEffect fx;
        switchEveryBandOn(fx);
        std::vector<float> l(512), r(512), outL(512), outR(512);
        for (size_t i = 0; i < l.size(); ++i) l[i] = r[i] = 0.25f * std::sin(0.05f * float(i));
        float* in[2] = {l.data(), r.data()};
        float* out[2] = {outL.data(), outR.data()};
        float peak = 0.0f;
        for (float playedRate : {rate, 44100.0f}) {
            fx.dispatch(vst::effSetSampleRate, 0, 0, nullptr, playedRate);
            peak = 0.0f;
            for (int block = 0; block < 20; ++block) {
                fx.aeffect->processReplacing(fx.aeffect, in, out, 512);
                for (size_t i = 0; i < 512; ++i) {
                    ASSERT_TRUE(std::isfinite(outL[i]) && std::isfinite(outR[i])) << rate << " then " << playedRate;
                    peak = std::max(peak, std::fabs(outL[i]));
                }
            }
        }
        EXPECT_GT(peak, 0.2f) << "silent at 44.1 kHz after a rate of " << rate;
        EXPECT_LT(peak, 0.3f) << rate;
    }
}

// Random settings of every parameter, changed between blocks of random
// length, at rates from 22.05 to 705.6 kHz: the output stays finite, and once
// the input stops it dies away (no band turns unstable; a 20 Hz low-pass at
// its highest Q rings for about two seconds).
TEST(Realtime, RandomSettingsAtAnyRateStayFiniteAndDieAway) {
    std::mt19937 random(20261207);  // the same sequence on every platform
    auto uniform = [&random] { return float(random() >> 8) / float(1 << 24); };
    constexpr int kBlock = 700;
    std::vector<float> l(kBlock), r(kBlock), outL(kBlock), outR(kBlock);
    float* in[2] = {l.data(), r.data()};
    float* out[2] = {outL.data(), outR.data()};
    for (float rate : {22050.0f, 44100.0f, 96000.0f, 705600.0f}) {
        HostedEffect fx;
        fx.dispatch(vst::effSetSampleRate, 0, 0, nullptr, rate);
        for (int setting = 0; setting < 12; ++setting) {
            for (int index = 0; index < 34; ++index) {
                const float pick = uniform();
                fx.set(index, pick < 0.25f ? 0.0f : (pick < 0.5f ? 1.0f : uniform()));
            }
            for (int block = 0; block < 8; ++block) {
                for (int i = 0; i < kBlock; ++i) {
                    l[size_t(i)] = 0.25f * (2.0f * uniform() - 1.0f);
                    r[size_t(i)] = 0.25f * (2.0f * uniform() - 1.0f);
                }
                if (block == 4) fx.set(int(uniform() * 33.99f), uniform());
                const int frames = 1 + int(uniform() * (kBlock - 1));
                fx.aeffect->processReplacing(fx.aeffect, in, out, frames);
                for (int i = 0; i < frames; ++i)
                    ASSERT_TRUE(std::isfinite(outL[size_t(i)]) && std::isfinite(outR[size_t(i)]))
                        << rate << " setting " << setting;
            }
            std::fill(l.begin(), l.end(), 0.0f);
            std::fill(r.begin(), r.end(), 0.0f);
            float last = 0.0f;
            for (int frames = 0; frames < 3 * int(rate); frames += kBlock) {
                fx.aeffect->processReplacing(fx.aeffect, in, out, kBlock);
                last = 0.0f;
                for (int i = 0; i < kBlock; ++i)
                    last = std::max({last, std::fabs(outL[size_t(i)]), std::fabs(outR[size_t(i)])});
            }
            EXPECT_LT(last, 1e-3f) << rate << " setting " << setting;
        }
        // No band put out a NaN or an infinity for the effect to silence.
        EXPECT_EQ(fx.effect->silencedChunks(), 0) << rate;
    }
}

// Hosts often hand the same buffers in and out: processing in place gives
// the same samples as processing into buffers of its own, left/right and
// mid/side.
TEST(Realtime, ProcessingInPlaceMatchesSeparateBuffers) {
    for (bool midSide : {false, true}) {
        HostedEffect separate, inPlace;
        for (HostedEffect* fx : {&separate, &inPlace}) {
            fx->effect->setMidSideMode(midSide);
            for (int index : {21, 22, 23, 25, 26, 27, 28, 29, 30, 31, 32, 33}) fx->set(index, 1.0f);
            for (int index : {4, 7, 10, 13, 16, 19}) fx->set(index, 0.8f);
            for (int index : {3, 6, 9, 12, 15}) fx->set(index, 0.7f);
            fx->set(17, 0.8f);
        }
        std::vector<float> l(1000), r(1000), outL(1000), outR(1000), ioL(1000), ioR(1000);
        for (int block = 0; block < 40; ++block) {
            for (size_t i = 0; i < l.size(); ++i) {
                l[i] = 0.3f * std::sin(0.05f * float(i + 1000 * size_t(block)));
                r[i] = 0.3f * std::cos(0.031f * float(i + 1000 * size_t(block)));
            }
            ioL = l;
            ioR = r;
            const int frames = 1 + (block * 37) % 1000;
            float* in[2] = {l.data(), r.data()};
            float* out[2] = {outL.data(), outR.data()};
            float* io[2] = {ioL.data(), ioR.data()};
            separate.aeffect->processReplacing(separate.aeffect, in, out, frames);
            inPlace.aeffect->processReplacing(inPlace.aeffect, io, io, frames);
            for (int i = 0; i < frames; ++i) {
                ASSERT_EQ(outL[size_t(i)], ioL[size_t(i)]) << "block " << block << " frame " << i;
                ASSERT_EQ(outR[size_t(i)], ioR[size_t(i)]) << "block " << block << " frame " << i;
            }
        }
    }
}

// Buffers shared across channels: a mono track's one buffer as both inputs,
// processed in place into the first output; and each channel's input handed
// back as the other channel's output. Both give the samples of separate
// buffers.
TEST(Realtime, BuffersSharedAcrossChannelsMatchSeparateBuffers) {
    HostedEffect separate, monoTrack, separateStereo, swapped;
    for (HostedEffect* fx : {&separate, &monoTrack, &separateStereo, &swapped}) {
        switchEveryBandOn(*fx);
        for (int index : {4, 7, 10, 13, 16, 19}) fx->set(index, 0.8f);
    }
    std::vector<float> x(1000), l(1000), r(1000), outL(1000), outR(1000), shared(1000), second(1000), a(1000),
        b(1000);
    for (int block = 0; block < 20; ++block) {
        const int frames = 1 + (block * 97) % 1000;
        for (size_t i = 0; i < x.size(); ++i) {
            x[i] = 0.3f * std::sin(0.05f * float(i + 1000 * size_t(block)));
            l[i] = x[i];
            r[i] = 0.2f * std::cos(0.031f * float(i + 1000 * size_t(block)));
        }
        float* mono[2] = {x.data(), x.data()};
        float* out[2] = {outL.data(), outR.data()};
        separate.aeffect->processReplacing(separate.aeffect, mono, out, frames);
        shared = x;
        float* sharedIn[2] = {shared.data(), shared.data()};
        float* sharedOut[2] = {shared.data(), second.data()};
        monoTrack.aeffect->processReplacing(monoTrack.aeffect, sharedIn, sharedOut, frames);
        for (int i = 0; i < frames; ++i) {
            ASSERT_EQ(shared[size_t(i)], outL[size_t(i)]) << "mono track, block " << block << " frame " << i;
            ASSERT_EQ(second[size_t(i)], outR[size_t(i)]) << "mono track, block " << block << " frame " << i;
        }

        float* stereo[2] = {l.data(), r.data()};
        separateStereo.aeffect->processReplacing(separateStereo.aeffect, stereo, out, frames);
        a = l;
        b = r;
        float* crossedIn[2] = {a.data(), b.data()};
        float* crossedOut[2] = {b.data(), a.data()};
        swapped.aeffect->processReplacing(swapped.aeffect, crossedIn, crossedOut, frames);
        for (int i = 0; i < frames; ++i) {
            ASSERT_EQ(b[size_t(i)], outL[size_t(i)]) << "swapped, block " << block << " frame " << i;
            ASSERT_EQ(a[size_t(i)], outR[size_t(i)]) << "swapped, block " << block << " frame " << i;
        }
    }
}

// A host may send any float: not a number, infinities and values far
// outside 0..1 leave the output finite.
TEST(Realtime, NonFiniteAndFarOutParameterValuesKeepOutputFinite) {
    const float values[] = {std::nanf(""), INFINITY, -INFINITY, 1e30f, -1e30f, 7.5f, -3.0f};
    for (float value : values) {
        HostedEffect fx;
        switchEveryBandOn(fx);
        std::vector<float> l(512), r(512), outL(512), outR(512);
        for (size_t i = 0; i < l.size(); ++i) l[i] = r[i] = 0.25f * std::sin(0.07f * float(i));
        float* in[2] = {l.data(), r.data()};
        float* out[2] = {outL.data(), outR.data()};
        for (int index = 0; index < 34; ++index) {
            fx.set(index, value);
            for (int block = 0; block < 3; ++block) {
                fx.aeffect->processReplacing(fx.aeffect, in, out, 512);
                for (int i = 0; i < 512; ++i)
                    ASSERT_TRUE(std::isfinite(outL[size_t(i)]) && std::isfinite(outR[size_t(i)]))
                        << "index " << index << " value " << value;
            }
        }
        EXPECT_EQ(fx.effect->silencedChunks(), 0) << value;
    }
}

// One NaN or infinity from the host would stay in the bands' memories for
// good: the chunk that carries it out is silenced, and from there on the
// bands play from rest, soon as if the sample had been a 0.
TEST(Realtime, NonFiniteInputSilencesItsChunkAndTheBandsRecover) {
    HostedEffect poisoned, clean;
    for (HostedEffect* fx : {&poisoned, &clean})
        switchEveryBandOn(*fx);
    std::vector<float> l(512), r(512), cleanL(512), cleanR(512), outL(512), outR(512), refL(512), refR(512);
    for (int block = 0; block < 60; ++block) {
        for (size_t i = 0; i < l.size(); ++i) {
            l[i] = 0.25f * std::sin(0.07f * float(i + 512 * size_t(block)));
            r[i] = 0.25f * std::cos(0.05f * float(i + 512 * size_t(block)));
        }
        cleanL = l;
        cleanR = r;
        if (block == 5) l[100] = std::nanf(""), cleanL[100] = 0.0f;
        if (block == 9) r[0] = INFINITY, cleanR[0] = 0.0f, l[511] = -INFINITY, cleanL[511] = 0.0f;
        float* in[2] = {l.data(), r.data()};
        float* out[2] = {outL.data(), outR.data()};
        float* cleanIn[2] = {cleanL.data(), cleanR.data()};
        float* ref[2] = {refL.data(), refR.data()};
        poisoned.aeffect->processReplacing(poisoned.aeffect, in, out, 512);
        clean.aeffect->processReplacing(clean.aeffect, cleanIn, ref, 512);
        float apart = 0.0f;
        for (size_t i = 0; i < 512; ++i) {
            ASSERT_TRUE(std::isfinite(outL[i]) && std::isfinite(outR[i])) << "block " << block;
            apart = std::max({apart, std::fabs(outL[i] - refL[i]), std::fabs(outR[i] - refR[i])});
        }
        if (block < 5) {
            EXPECT_EQ(apart, 0.0f) << "block " << block;
        } else if (block >= 50) {
            EXPECT_LT(apart, 1e-4f) << "block " << block;
        }
    }
    EXPECT_GE(poisoned.effect->silencedChunks(), 2);
    EXPECT_EQ(clean.effect->silencedChunks(), 0);
}

// Input at the top of the float range overflows boosting bands: that chunk is
// silenced, the bands start again from rest, and the output stays finite.
TEST(Realtime, AnOverflowingChunkIsSilencedAndTheBandsRecover) {
    HostedEffect fx;
    switchEveryBandOn(fx);
    for (int index : {4, 7, 10, 13, 16, 19}) fx.set(index, 1.0f);
    std::vector<float> l(512), r(512), outL(512), outR(512);
    float* in[2] = {l.data(), r.data()};
    float* out[2] = {outL.data(), outR.data()};
    float lastPeak = 0.0f;
    for (int block = 0; block < 60; ++block) {
        for (size_t i = 0; i < l.size(); ++i) l[i] = r[i] = 0.1f * std::sin(0.07f * float(i));
        if (block == 10)
            for (size_t i = 0; i < 64; ++i) l[i] = r[i] = (i % 2 ? -3e38f : 3e38f);
        fx.aeffect->processReplacing(fx.aeffect, in, out, 512);
        lastPeak = 0.0f;
        for (int i = 0; i < 512; ++i) {
            ASSERT_TRUE(std::isfinite(outL[size_t(i)]) && std::isfinite(outR[size_t(i)])) << "block " << block;
            lastPeak = std::max(lastPeak, std::fabs(outL[size_t(i)]));
        }
    }
    EXPECT_GT(lastPeak, 0.01f);
    EXPECT_LT(lastPeak, 10.0f);
}

#if SOLVA_HAS_MXCSR
// Noise at 1e-39, below the smallest normal float, reaches the bands as
// zero: with every band on the output is exact silence, whether the host
// flushes denormals itself or not, and its mode is the same after each call
// (the register's low six bits are sticky exception flags, not mode).
TEST(Realtime, DenormalInputIsSilenceAndTheHostsFloatModeIsKept) {
    const auto mode = [] { return _mm_getcsr() & ~0x3Fu; };
    const unsigned entry = mode();
    struct RestoreOnExit {
        unsigned saved;
        ~RestoreOnExit() { _mm_setcsr(saved); }
    } restore{entry};  // a failed assertion leaves no flush mode behind
    for (unsigned hostMode : {entry & ~(ScopedDenormalFlush::kFlushToZero | ScopedDenormalFlush::kDenormalsAreZero),
                              entry | ScopedDenormalFlush::kFlushToZero | ScopedDenormalFlush::kDenormalsAreZero}) {
        HostedEffect fx;
        switchEveryBandOn(fx);
        for (int index : {4, 7, 10, 13, 16, 19}) fx.set(index, 1.0f);
        std::mt19937 noise(7);
        std::uniform_real_distribution<float> level(-1e-39f, 1e-39f);
        std::vector<float> l(512), r(512), outL(512), outR(512);
        float* in[2] = {l.data(), r.data()};
        float* out[2] = {outL.data(), outR.data()};
        _mm_setcsr(hostMode);
        for (int block = 0; block < 20; ++block) {
            for (size_t i = 0; i < l.size(); ++i) l[i] = level(noise), r[i] = level(noise);
            fx.aeffect->processReplacing(fx.aeffect, in, out, 512);
            ASSERT_EQ(mode(), hostMode) << "block " << block;
            for (size_t i = 0; i < 512; ++i)
                ASSERT_TRUE(outL[i] == 0.0f && outR[i] == 0.0f) << "block " << block << " sample " << i;
        }
        _mm_setcsr(restore.saved);
        EXPECT_EQ(fx.effect->silencedChunks(), 0);
    }
}
#endif

TEST(Realtime, MidiEventsAreAcceptedAndDrained) {
    HostedEffect fx;
    vst::VstMidiEvent note{};
    note.type = vst::kVstMidiType;
    note.byteSize = sizeof note;
    note.midiData[0] = char(0x90);
    note.midiData[1] = 60;
    note.midiData[2] = 100;
    vst::VstEvents events{};
    events.numEvents = 1;
    events.events[0] = reinterpret_cast<vst::VstEvent*>(&note);
    EXPECT_EQ(fx.dispatch(vst::effProcessEvents, 0, 0, &events), 1);
    float buf[64] = {};
    float* io[2] = {buf, buf};
    fx.aeffect->processReplacing(fx.aeffect, io, io, 64);
}

}  // namespace
}  // namespace solva::test
