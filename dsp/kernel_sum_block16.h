// Sixteen correction-kernel sums in one AVX-512 register:
// lane j = sum_k kernel[k] x[L - 1 - k + j], tap by tap in order as the plain
// sums run, for the lanes set in mask (the others read nothing and hold 0).
// Only for code compiled with AVX-512F enabled (target attributes).
#pragma once

#include "dsp/cpu_features.h"

#if SOLVA_HAS_AVX512_PATHS
#include <immintrin.h>

#include <cstring>

namespace solva {

// The mask of the first count lanes (all sixteen from 16 on).
inline __mmask16 leadingLanes16(int count) {
    return count >= 16 ? static_cast<__mmask16>(0xFFFF) : static_cast<__mmask16>((1u << count) - 1u);
}

// Sixteen floats from p, or under mask only the lanes set (the others 0).
// A masked load takes more of the processor than a plain one, so whole
// blocks load plainly.
template <bool kMasked>
__attribute__((target("avx512f"), always_inline)) inline __m512 load16(const float* p, __mmask16 mask) {
    if constexpr (kMasked) return _mm512_maskz_loadu_ps(mask, p);
    (void)mask;
    return _mm512_loadu_ps(p);
}

template <bool kMasked>
__attribute__((target("avx512f"), always_inline)) inline __m512 kernelSums16Loop(const float* kernel, int length,
                                                                                 const float* x, __mmask16 mask) {
    __m512 sum = _mm512_setzero_ps();
    const float* xs = x + (length - 1);
    for (int k = 0; k < length; ++k, --xs)
        sum = _mm512_add_ps(sum, _mm512_mul_ps(_mm512_set1_ps(kernel[k]), load16<kMasked>(xs, mask)));
    return sum;
}

__attribute__((target("avx512f"), always_inline)) inline __m512 kernelSums16(const float* kernel, int length,
                                                                             const float* x, __mmask16 mask) {
    return mask == 0xFFFF ? kernelSums16Loop<false>(kernel, length, x, mask)
                          : kernelSums16Loop<true>(kernel, length, x, mask);
}

template <bool kMasked>
__attribute__((target("avx512f"), always_inline)) inline void kernelSums16PairLoop(
    const float* kernelA, const float* kernelB, int length, const float* xA, const float* xB, __mmask16 mask,
    __m512& sumA, __m512& sumB) {
    __m512 a = _mm512_setzero_ps(), b = _mm512_setzero_ps();
    const float* as = xA + (length - 1);
    const float* bs = xB + (length - 1);
    for (int k = 0; k < length; ++k, --as, --bs) {
        a = _mm512_add_ps(a, _mm512_mul_ps(_mm512_set1_ps(kernelA[k]), load16<kMasked>(as, mask)));
        b = _mm512_add_ps(b, _mm512_mul_ps(_mm512_set1_ps(kernelB[k]), load16<kMasked>(bs, mask)));
    }
    sumA = a;
    sumB = b;
}

// The same for two kernels of one length over two inputs, in one loop: two
// independent chains of adds.
__attribute__((target("avx512f"), always_inline)) inline void kernelSums16Pair(const float* kernelA,
                                                                               const float* kernelB, int length,
                                                                               const float* xA, const float* xB,
                                                                               __mmask16 mask, __m512& sumA,
                                                                               __m512& sumB) {
    if (mask == 0xFFFF) kernelSums16PairLoop<false>(kernelA, kernelB, length, xA, xB, mask, sumA, sumB);
    else kernelSums16PairLoop<true>(kernelA, kernelB, length, xA, xB, mask, sumA, sumB);
}

// Sixteen frames of two channels whose inputs are interleaved, (S0, T0,
// S1, T1, ...), over their two kernels interleaved the same way, pairs =
// (A0, B0, A1, B1, ...): the sums of frames 0..7 in lo and of 8..15 in hi,
// (S, T) by frame, each lane formed as kernelSums16 forms it. Only the
// first `frames` frames are read; the lanes of the others hold 0.
template <bool kMasked>
__attribute__((target("avx512f"), always_inline)) inline void kernelSums16InterleavedLoop(
    const float* pairs, int length, const float* x, __mmask16 maskLo, __mmask16 maskHi, __m512& lo, __m512& hi) {
    __m512 l = _mm512_setzero_ps(), h = _mm512_setzero_ps();
    const float* xs = x + 2 * (length - 1);
    for (int k = 0; k < length; ++k, xs -= 2) {
        double pair;
        std::memcpy(&pair, pairs + 2 * k, sizeof pair);
        const __m512 c = _mm512_castpd_ps(_mm512_set1_pd(pair));
        l = _mm512_add_ps(l, _mm512_mul_ps(c, load16<kMasked>(xs, maskLo)));
        h = _mm512_add_ps(h, _mm512_mul_ps(c, load16<kMasked>(xs + 16, maskHi)));
    }
    lo = l;
    hi = h;
}

__attribute__((target("avx512f"), always_inline)) inline void kernelSums16Interleaved(const float* pairs, int length,
                                                                                      const float* x, int frames,
                                                                                      __m512& lo, __m512& hi) {
    if (frames >= 16) {
        kernelSums16InterleavedLoop<false>(pairs, length, x, 0xFFFF, 0xFFFF, lo, hi);
        return;
    }
    const __mmask16 maskLo = leadingLanes16(2 * frames);
    const __mmask16 maskHi = frames > 8 ? leadingLanes16(2 * frames - 16) : static_cast<__mmask16>(0);
    kernelSums16InterleavedLoop<true>(pairs, length, x, maskLo, maskHi, lo, hi);
}

}  // namespace solva

#endif
