#include "dsp/steady_pair.h"

#include "dsp/cpu_features.h"
#include "dsp/kernel_sum_block16.h"
#include "dsp/section_pair_step.h"

namespace solva {

#if SOLVA_HAS_AVX512_PATHS
namespace {

#define SOLVA_STEADY_TARGET __attribute__((target("avx512f,avx2,fma")))

constexpr int kBlock = 16;  // correction sums per register

// kCorrect: both channels add their kernel sums (else neither has a kernel).
template <bool kCorrect>
SOLVA_STEADY_TARGET inline void steadyPass(SteadyChannel& a, SteadyChannel& b, int length) {
    static_assert(kSteadyPairFrames == 2 * kBlock + 12, "two full blocks and one of twelve frames");
    SectionPairRegisters r = loadSectionPair(*a.section, *b.section);
    const __m128 gainS = _mm_set1_ps(a.gain), gainT = _mm_set1_ps(b.gain);
    alignas(64) float nowS[3 * kBlock];
    alignas(64) float nowT[3 * kBlock];
    for (int block = 0; block < 3; ++block) {
        const int first = kBlock * block;
        if constexpr (kCorrect) {
            // Both channels' sums in one loop would be no faster: each
            // register's taps are a chain of adds, and the two chains
            // already overlap with each other and with the recursions.
            const __mmask16 mask = block == 2 ? 0x0FFF : 0xFFFF;
            const __m512 sumS = kernelSums16(a.kernel, length, a.history + first, mask);
            const __m512 sumT = kernelSums16(b.kernel, length, b.history + first, mask);
            _mm512_store_ps(nowS + first, sumS);
            _mm512_store_ps(nowT + first, sumT);
        }
        const int end = block == 2 ? kSteadyPairFrames : first + kBlock;
        for (int i = first; i < end; i += 4) {
            __m128 outS, outT;
            stepSectionPair(r, a.in + i, b.in + i, outS, outT);
            if (i == 0) {
                a.firstSection = _mm_cvtss_f32(outS);
                b.firstSection = _mm_cvtss_f32(outT);
            }
            if constexpr (kCorrect) {
                outS = _mm_add_ps(outS, _mm_load_ps(nowS + i));
                outT = _mm_add_ps(outT, _mm_load_ps(nowT + i));
            }
            if (i == 0) {
                a.firstCorrected = _mm_cvtss_f32(outS);
                b.firstCorrected = _mm_cvtss_f32(outT);
            }
            // A gain of 1 multiplies every value to itself.
            _mm_storeu_ps(a.out + i, _mm_mul_ps(outS, gainS));
            _mm_storeu_ps(b.out + i, _mm_mul_ps(outT, gainT));
        }
    }
    storeSectionPair(r, *a.section, *b.section);
}

SOLVA_STEADY_TARGET void steadyPairAvx512(SteadyChannel& a, SteadyChannel& b, int length) {
    if (length > 0) {
        steadyPass<true>(a, b, length);
    } else {
        steadyPass<false>(a, b, 0);
    }
}

// Decided once when the library loads, never on the audio path.
const bool available = detectAvx512();

}  // namespace

bool steadyPairAvailable() { return available; }

void runSteadyPair(SteadyChannel& a, SteadyChannel& b, int kernelLength) { steadyPairAvx512(a, b, kernelLength); }

#else

bool steadyPairAvailable() { return false; }

void runSteadyPair(SteadyChannel&, SteadyChannel&, int) {}

#endif

}  // namespace solva
