// The audio path and the sample-rate change never allocate: global
// operator new and malloc are replaced by counting versions here.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "dsp/band_kind.h"
#include "dsp/eq_engine.h"

// The address sanitizer brings its own allocator: with it, these hooks
// would fight it, and it watches every allocation anyway.
#ifndef __SANITIZE_ADDRESS__

extern "C" void* __libc_malloc(size_t);
extern "C" void* __libc_calloc(size_t, size_t);
extern "C" void* __libc_realloc(void*, size_t);
extern "C" void __libc_free(void*);

namespace {
std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};
void note() {
    if (g_counting.load(std::memory_order_relaxed)) g_allocations.fetch_add(1, std::memory_order_relaxed);
}
}  // namespace

extern "C" void* malloc(size_t n) {
    note();
    return __libc_malloc(n);
}
extern "C" void* calloc(size_t a, size_t b) {
    note();
    return __libc_calloc(a, b);
}
extern "C" void* realloc(void* p, size_t n) {
    note();
    return __libc_realloc(p, n);
}
void* operator new(size_t n) {
    note();
    if (void* p = __libc_malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](size_t n) { return operator new(n); }
void operator delete(void* p) noexcept { __libc_free(p); }
void operator delete[](void* p) noexcept { __libc_free(p); }
void operator delete(void* p, size_t) noexcept { __libc_free(p); }
void operator delete[](void* p, size_t) noexcept { __libc_free(p); }

using namespace solva;

TEST(Allocations, NoneAcrossProcessingSettingChangesAndRateChanges) {
    auto e = std::make_unique<EqEngine>();
    constexpr int n = EqEngine::kChunkFrames;
    float in[n], o0[n], o1[n];
    for (int i = 0; i < n; ++i) in[i] = 0.1f * static_cast<float>(i % 7) - 0.3f;
    const int kinds[8] = {kKindHighPass12, kKindLowShelf, kKindBell, kKindBell, kKindBell, kKindHighShelf, kKindLowPass12, kKindAir};
    g_allocations = 0;
    g_counting = true;
    for (int round = 0; round < 40; ++round) {
        if (round % 10 == 0) e->setSampleRate(round % 20 == 0 ? 48000.0f : 96000.0f);
        for (int slot = 0; slot < 8; ++slot) {
            e->setBandKind(slot, round % 3 == 0 ? kinds[slot] : kinds[(slot + round) % 8]);
            e->setBandSettings(slot, -1, slot == 7 ? kAirFreqHz : 200.0f * (slot + 1) + 300.0f * round,
                               static_cast<float>(round % 13) - 6.0f, 0.5f + 0.1f * slot);
            e->setBandEnabled(slot, (round + slot) % 4 != 0);
        }
        e->setMidSide(round % 2 == 0, true, true);
        e->setGeneralOn(round % 7 != 3);
        e->setOutputGainDb(-1, -3.0f);
        for (int c = 0; c < 25; ++c) e->processChunk(n, in, in, o0, o1, c % 5 == 0 ? 1 : 2);
        e->resetBandHistories();
    }
    g_counting = false;
    EXPECT_EQ(g_allocations.load(), 0);
}

#endif  // __SANITIZE_ADDRESS__
