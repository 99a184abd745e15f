#include "dsp/steady_chain.h"

#include <cstring>
#include <utility>

#include "dsp/cpu_features.h"
#include "dsp/kernel_sum.h"
#include "dsp/kernel_sum_block16.h"
#include "dsp/mirrored_history.h"
#include "dsp/section_pair_step.h"
#include "dsp/tiny_output_guard.h"

namespace solva {
namespace {

// After a member's chunk: its tiny-output guards count the chunk, and a
// section guard that flushed the chunk flushes the memories too, as the
// band's own guard does.
inline void countGuards(SteadyMember& m) {
    for (SteadyChannel& c : m.channel) {
        if (countTinyOutput(c.firstSection, c.tinyCount)) {
            c.section->flushTinyMemories();
            c.second->flushTinyMemories();
        }
        if (m.kernelLength > 0) countTinyOutput(c.firstCorrected, c.correctionTinyCount);
    }
}

// The kernel length - 1 samples before the chunk and the chunk itself, one
// contiguous stretch thanks to the mirror.
inline const float* kernelSpan(const SteadyChannel& c, int length, int historyLength) {
    int start = c.position - (length - 1);
    if (start < 0) start += historyLength;
    return c.history + start;
}

}  // namespace

// The staggered chain needs many vector registers (x86-64) and, on Windows,
// vector moves that take any alignment: the conditions of the AVX-512 paths.
#if SOLVA_HAS_AVX512_PATHS
namespace {

namespace avx512 {

#define SOLVA_CHAIN_TARGET __attribute__((target("avx512f,avx512vl,avx2,fma")))

constexpr int kBlock = 16;
constexpr int kGroup = 3;

SOLVA_CHAIN_TARGET __attribute__((always_inline)) inline void blockSums(const float* kernelA, const float* kernelB,
                                                                         int length, const float* xA,
                                                                         const float* xB, int valid, float* sumsA,
                                                                         float* sumsB) {
    __m512 a, b;
    kernelSums16Pair(kernelA, kernelB, length, xA, xB, leadingLanes16(valid), a, b);
    _mm512_store_ps(sumsA, a);
    _mm512_store_ps(sumsB, b);
}

// The kBlock sums of both channels from an input ring, interleaved.
SOLVA_CHAIN_TARGET __attribute__((always_inline)) inline void ringSums(const float* pairs, int length,
                                                                        const float* x, int valid, float* sums) {
    __m512 lo, hi;
    kernelSums16Interleaved(pairs, length, x, valid, lo, hi);
    _mm512_store_ps(sums, lo);
    _mm512_store_ps(sums + 16, hi);
}

#include "dsp/staggered_chain.inc"

#undef SOLVA_CHAIN_TARGET

}  // namespace avx512

namespace avx2 {

#define SOLVA_CHAIN_TARGET SOLVA_AVX2_TARGET

constexpr int kBlock = 8;
// Three lanes' registers do not fit in sixteen: two run faster.
constexpr int kGroup = 2;

// Tap by tap in order, as the plain sums run. A block past the chunk's end
// loads only its valid lanes.
SOLVA_CHAIN_TARGET __attribute__((always_inline)) inline void blockSums(const float* kernelA, const float* kernelB,
                                                                         int length, const float* xA,
                                                                         const float* xB, int valid, float* sumsA,
                                                                         float* sumsB) {
    __m256 a = _mm256_setzero_ps(), b = _mm256_setzero_ps();
    const float* as = xA + (length - 1);
    const float* bs = xB + (length - 1);
    if (valid >= kBlock) {
        for (int k = 0; k < length; ++k, --as, --bs) {
            a = _mm256_add_ps(a, _mm256_mul_ps(_mm256_set1_ps(kernelA[k]), _mm256_loadu_ps(as)));
            b = _mm256_add_ps(b, _mm256_mul_ps(_mm256_set1_ps(kernelB[k]), _mm256_loadu_ps(bs)));
        }
    } else {
        const __m256i mask = _mm256_cmpgt_epi32(_mm256_set1_epi32(valid), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
        for (int k = 0; k < length; ++k, --as, --bs) {
            a = _mm256_add_ps(a, _mm256_mul_ps(_mm256_set1_ps(kernelA[k]), _mm256_maskload_ps(as, mask)));
            b = _mm256_add_ps(b, _mm256_mul_ps(_mm256_set1_ps(kernelB[k]), _mm256_maskload_ps(bs, mask)));
        }
    }
    _mm256_store_ps(sumsA, a);
    _mm256_store_ps(sumsB, b);
}

// Tap k of both kernels, (A, B) in every pair of lanes.
SOLVA_CHAIN_TARGET __attribute__((always_inline)) inline __m256 pairAt(const float* pairs, int k) {
    double pair;
    std::memcpy(&pair, pairs + 2 * k, sizeof pair);
    return _mm256_castpd_ps(_mm256_set1_pd(pair));
}

// The kBlock sums of both channels from an input ring, interleaved: four
// frames a register, tap by tap in order over the kernel pairs.
SOLVA_CHAIN_TARGET __attribute__((always_inline)) inline void ringSums(const float* pairs, int length,
                                                                        const float* x, int valid, float* sums) {
    __m256 lo = _mm256_setzero_ps(), hi = _mm256_setzero_ps();
    const float* xs = x + 2 * (length - 1);
    if (valid >= kBlock) {
        for (int k = 0; k < length; ++k, xs -= 2) {
            const __m256 c = pairAt(pairs, k);
            lo = _mm256_add_ps(lo, _mm256_mul_ps(c, _mm256_loadu_ps(xs)));
            hi = _mm256_add_ps(hi, _mm256_mul_ps(c, _mm256_loadu_ps(xs + 8)));
        }
    } else {
        const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
        const __m256i maskLo = _mm256_cmpgt_epi32(_mm256_set1_epi32(2 * valid), lanes);
        const __m256i maskHi = _mm256_cmpgt_epi32(_mm256_set1_epi32(2 * valid - 8), lanes);
        for (int k = 0; k < length; ++k, xs -= 2) {
            const __m256 c = pairAt(pairs, k);
            lo = _mm256_add_ps(lo, _mm256_mul_ps(c, _mm256_maskload_ps(xs, maskLo)));
            hi = _mm256_add_ps(hi, _mm256_mul_ps(c, _mm256_maskload_ps(xs + 8, maskHi)));
        }
    }
    _mm256_store_ps(sums, lo);
    _mm256_store_ps(sums + 8, hi);
}

#include "dsp/staggered_chain.inc"

#undef SOLVA_CHAIN_TARGET

}  // namespace avx2

// Decided once when the library loads, never on the audio path.
const bool useAvx512 = detectAvx512();
const bool useAvx2 = detectAvx2();

}  // namespace
#endif

bool steadyChainRuns(int n) { return n >= 1 && n <= kSteadyChainMaxFrames; }

void interleaveKernels(SteadyMember& member) {
    for (int k = 0; k < member.kernelLength; ++k) {
        member.kernelPairs[2 * k] = member.channel[0].kernel[k];
        member.kernelPairs[2 * k + 1] = member.channel[1].kernel[k];
    }
}

void runSteadyChainInOrder(SteadyMember* members, int count, int historyLength, int ringFrame, float* work0,
                           float* work1, int n) {
    if (count < 1 || n < 1) return;
    float* work[2] = {work0, work1};
    for (int j = 0; j < count; ++j) {
        SteadyMember& m = members[j];
        if (m.writesHistory) {
            for (int c = 0; c < 2; ++c)
                appendMirrored(m.channel[c].history, historyLength, m.channel[c].position, work[c], n);
        } else {
            float* frames = m.inputRing + 2 * ringFrame;
            for (int i = 0; i < n; ++i) {
                frames[2 * i] = work0[i];
                frames[2 * i + 1] = work1[i];
            }
        }
        if (m.identity) {
            for (int c = 0; c < 2; ++c) m.channel[c].section->passThrough(work[c], work[c], n);
        } else {
            BiquadSection::runPair(*m.channel[0].section, *m.channel[1].section, work0, work0, work1, work1, n);
        }
        for (int c = 0; c < 2; ++c) {
            SteadyChannel& channel = m.channel[c];
            float* out = work[c];
            channel.firstSection = out[0];
            if (tinyOutputFlushes(channel.tinyCount, out[0])) flushTinyOutputs(out, n);
            if (m.kernelLength > 0) {
                float sums[kSteadyChainMaxFrames];
                const float* span = kernelSpan(channel, m.kernelLength, historyLength);
                float fromRing[kMaxKernelLength - 1 + kSteadyChainMaxFrames];
                if (!m.writesHistory) {
                    const float* frames = m.inputRing + 2 * (ringFrame - (m.kernelLength - 1)) + c;
                    for (int i = 0; i < m.kernelLength - 1 + n; ++i) fromRing[i] = frames[2 * i];
                    span = fromRing;
                }
                kernelSums(channel.kernel, m.kernelLength, n, span, sums);
                for (int i = 0; i < n; ++i) out[i] = static_cast<float>(out[i] + sums[i]);
            }
            channel.firstCorrected = out[0];
            if (m.kernelLength > 0 && tinyOutputFlushes(channel.correctionTinyCount, out[0]))
                flushTinyOutputs(out, n);
            if (channel.gain != 1.0f)
                for (int i = 0; i < n; ++i) out[i] *= channel.gain;
        }
        countGuards(m);
    }
}

void runSteadyChain(SteadyMember* members, int count, int historyLength, int ringFrame, float* work0, float* work1,
                    int n) {
#if SOLVA_HAS_AVX512_PATHS
    if (count > 0 && n % 4 == 0) {
        if (useAvx512) {
            avx512::runStaggered(members, count, historyLength, ringFrame, work0, work1, n);
            return;
        }
        if (useAvx2) {
            avx2::runStaggered(members, count, historyLength, ringFrame, work0, work1, n);
            return;
        }
    }
#endif
    runSteadyChainInOrder(members, count, historyLength, ringFrame, work0, work1, n);
}

bool runSteadyChainAvx2(SteadyMember* members, int count, int historyLength, int ringFrame, float* work0,
                        float* work1, int n) {
#if SOLVA_HAS_AVX512_PATHS
    if (!useAvx2 || n < 4 || n > kSteadyChainMaxFrames || n % 4 != 0) return false;
    if (count > 0) avx2::runStaggered(members, count, historyLength, ringFrame, work0, work1, n);
    return true;
#else
    (void)members, (void)count, (void)historyLength, (void)ringFrame, (void)work0, (void)work1, (void)n;
    return false;
#endif
}

}  // namespace solva
