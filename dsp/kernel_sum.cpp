#include "dsp/kernel_sum.h"

#include <cstring>

#include "dsp/cpu_features.h"

#include "dsp/kernel_sum_block16.h"

namespace solva {
namespace {

constexpr int kChunk = 44;  // frames of a whole chunk

typedef float Quad __attribute__((vector_size(16)));
typedef float Oct __attribute__((vector_size(32)));

// Outputs [0, Q w) of the block starting at x (x already offset by its
// first output), w floats per register V: Q accumulators over all taps.
// With kPlusFour, four more outputs [Q w, Q w + 4) in a four-wide
// accumulator over the same taps, so that the last four outputs of a chunk
// ride along instead of running a second, latency-bound pass.
template <class V, int Q, bool kPlusFour = false>
__attribute__((always_inline)) inline void blockSums(const float* kernel, int length, const float* x,
                                                      float* sums) {
    constexpr int w = sizeof(V) / sizeof(float);
    V sum[Q];
    for (int q = 0; q < Q; ++q) sum[q] = V{} ;
    Quad tail = Quad{};
    const float* xs = x + (length - 1);
#pragma GCC unroll 2
    for (int k = 0; k < length; ++k, --xs) {
        const V c = V{} + kernel[k];
        for (int q = 0; q < Q; ++q) {
            V v;
            std::memcpy(&v, xs + w * q, sizeof v);
            sum[q] += c * v;
        }
        if constexpr (kPlusFour) {
            Quad v;
            std::memcpy(&v, xs + w * Q, sizeof v);
            tail += (Quad{} + kernel[k]) * v;
        }
    }
    std::memcpy(sums, sum, sizeof sum);
    if constexpr (kPlusFour) std::memcpy(sums + w * Q, &tail, sizeof tail);
}

__attribute__((always_inline)) inline void scalarSums(const float* kernel, int length, int from, int n,
                                                       const float* x, float* sums) {
    for (int i = from; i < n; ++i) {
        const float* xs = x + (length - 1) + i;
        float s = 0.0f;
        for (int k = 0; k < length; ++k) s += kernel[k] * xs[-k];
        sums[i] = s;
    }
}

void narrowSums(const float* kernel, int length, int n, const float* x, float* sums) {
    int i = 0;
    for (; i + 16 <= n; i += 16) blockSums<Quad, 4>(kernel, length, x + i, sums + i);
    if (i + 12 <= n) {
        blockSums<Quad, 3>(kernel, length, x + i, sums + i);
        i += 12;
    } else if (i + 8 <= n) {
        blockSums<Quad, 2>(kernel, length, x + i, sums + i);
        i += 8;
    }
    if (i + 4 <= n) {
        blockSums<Quad, 1>(kernel, length, x + i, sums + i);
        i += 4;
    }
    scalarSums(kernel, length, i, n, x, sums);
}

#if SOLVA_HAS_AVX2_PATHS
SOLVA_AVX2_TARGET void wideSums(const float* kernel, int length, int n, const float* x, float* sums) {
    if (n == kChunk) {
        blockSums<Oct, 5, true>(kernel, length, x, sums);
        return;
    }
    int i = 0;
    for (; i + 40 <= n; i += 40) blockSums<Oct, 5>(kernel, length, x + i, sums + i);
    switch ((n - i) / 8) {
    case 4: blockSums<Oct, 4>(kernel, length, x + i, sums + i); break;
    case 3: blockSums<Oct, 3>(kernel, length, x + i, sums + i); break;
    case 2: blockSums<Oct, 2>(kernel, length, x + i, sums + i); break;
    case 1: blockSums<Oct, 1>(kernel, length, x + i, sums + i); break;
    default: break;
    }
    i += (n - i) / 8 * 8;
    if (i + 4 <= n) {
        blockSums<Quad, 1>(kernel, length, x + i, sums + i);
        i += 4;
    }
    scalarSums(kernel, length, i, n, x, sums);
}

// Decided once when the library loads, never on the audio path.
const bool useWide = detectAvx2();
#endif

#if SOLVA_HAS_AVX512_PATHS
// Up to kMaxSixteen outputs in sixteen-wide registers, the last one loaded
// and stored under a mask so that nothing past the n outputs is read or
// written.
constexpr int kMaxSixteen = 3 * 16;
static_assert(kChunk <= kMaxSixteen, "three registers cover a chunk");

SOLVA_AVX512_TARGET void sums16(const float* kernel, int length, int n, const float* x, float* sums) {
    for (int first = 0; first < n; first += 16) {
        const __mmask16 mask = leadingLanes16(n - first);
        _mm512_mask_storeu_ps(sums + first, mask, kernelSums16(kernel, length, x + first, mask));
    }
}

const bool useSixteen = detectAvx512();
#endif

}  // namespace

void kernelSums(const float* kernel, int length, int n, const float* x, float* sums) {
#if SOLVA_HAS_AVX512_PATHS
    if (useSixteen && n <= kMaxSixteen) {
        sums16(kernel, length, n, x, sums);
        return;
    }
#endif
#if SOLVA_HAS_AVX2_PATHS
    if (useWide) {
        wideSums(kernel, length, n, x, sums);
        return;
    }
#endif
    narrowSums(kernel, length, n, x, sums);
}

}  // namespace solva
