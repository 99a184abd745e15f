// BiquadSection::runPair: the paired loop for the baseline instruction set,
// and four-frame steps for AVX2, chosen once at load time.
#include "dsp/biquad_section.h"
#include "dsp/cpu_features.h"
#include "dsp/section_pair_step.h"

namespace solva {
namespace {

typedef double Pair __attribute__((vector_size(16)));

// The vector helpers below are internal to this file: the note that
// passing vectors between functions built for different instruction sets
// changes the calling convention (i686 baseline without SSE) does not apply.
#pragma GCC diagnostic ignored "-Wpsabi"

// rest - a y, rounded once.
#if SOLVA_HAS_AVX2_PATHS
SOLVA_AVX2_TARGET inline Pair fusedSubtract(Pair a, Pair y, Pair rest) {
    return reinterpret_cast<Pair>(_mm_fnmadd_pd(reinterpret_cast<__m128d>(a), reinterpret_cast<__m128d>(y),
                                                reinterpret_cast<__m128d>(rest)));
}
#else
inline Pair fusedSubtract(Pair a, Pair y, Pair rest) { return rest - a * y; }
#endif

// With kFusedFeedback the two feedback terms, the recursion's critical
// path, are fused multiply-subtracts: one rounding and one latency less
// per term.
template <bool kFusedFeedback>
__attribute__((always_inline)) inline void pairLoop(BiquadSection& s, BiquadSection& t, const float* inS,
                                                    float* outS, const float* inT, float* outT, int from,
                                                    int n) {
    const Pair a1 = {s.running[0], t.running[0]}, a2 = {s.running[1], t.running[1]};
    const Pair b0 = {s.running[2], t.running[2]}, b1 = {s.running[3], t.running[3]};
    const Pair b2 = {s.running[4], t.running[4]};
    typedef float FloatPair __attribute__((vector_size(8)));
    Pair x1 = {s.x1, t.x1}, x2 = {s.x2, t.x2}, y1 = {s.y1, t.y1}, y2 = {s.y2, t.y2};
    // Both conversions as packed instructions.
#pragma GCC unroll 4
    for (int i = from; i < n; ++i) {
        const FloatPair in = {inS[i], inT[i]};
        const Pair x = __builtin_convertvector(in, Pair);
        Pair y;
        if constexpr (kFusedFeedback) {
            y = fusedSubtract(a1, y1, fusedSubtract(a2, y2, b0 * x + b1 * x1 + b2 * x2));
        } else {
            y = (b0 * x + b1 * x1 + b2 * x2 - a2 * y2) - a1 * y1;
        }
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        const FloatPair out = __builtin_convertvector(y, FloatPair);
        outS[i] = out[0];
        outT[i] = out[1];
    }
    s.x1 = x1[0]; s.x2 = x2[0]; s.y1 = y1[0]; s.y2 = y2[0];
    t.x1 = x1[1]; t.x2 = x2[1]; t.y1 = y1[1]; t.y2 = y2[1];
}

void pairBaseline(BiquadSection& s, BiquadSection& t, const float* inS, float* outS, const float* inT,
                  float* outT, int n) {
    pairLoop<false>(s, t, inS, outS, inT, outT, 0, n);
}

#if SOLVA_HAS_AVX2_PATHS
// Whole four-frame steps, then the frames left one at a time.
SOLVA_AVX2_TARGET void pairAvx2(BiquadSection& s, BiquadSection& t, const float* inS, float* outS,
                                const float* inT, float* outT, int n) {
    SectionPairRegisters r = loadSectionPair(s, t);
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        __m128 yS, yT;
        stepSectionPair(r, inS + i, inT + i, yS, yT);
        _mm_storeu_ps(outS + i, yS);
        _mm_storeu_ps(outT + i, yT);
    }
    storeSectionPair(r, s, t);
    pairLoop<true>(s, t, inS, outS, inT, outT, i, n);
}

const bool useAvx2 = detectAvx2();
#endif

}  // namespace

void BiquadSection::runPair(BiquadSection& s, BiquadSection& t, const float* inS, float* outS,
                            const float* inT, float* outT, int n) {
#if SOLVA_HAS_AVX2_PATHS
    if (useAvx2) {
        pairAvx2(s, t, inS, outS, inT, outT, n);
        return;
    }
#endif
    pairBaseline(s, t, inS, outS, inT, outT, n);
}

}  // namespace solva
