// Two sections with fixed coefficients (one per channel) advanced four
// frames at a time in AVX2 registers. The feed-forward sums of two frames
// at a time are formed four doubles wide off the recursion's path and the
// samples go in and out as whole vectors, leaving per frame little more
// than the two feedback terms. Per frame, with every multiply-add fused
// (one rounding each):
//   y = fnmadd(a1, y1, fnmadd(a2, y2, fmadd(b2, x2, fmadd(b1, x1, b0 x)))).
// Every AVX2 path that advances sections four frames at a time uses this
// step, so they agree bit for bit.
//
// Only for code compiled with AVX2 and FMA enabled (target attributes).
#pragma once

#include "dsp/biquad_section.h"
#include "dsp/cpu_features.h"

#if SOLVA_HAS_AVX2_PATHS
#include <immintrin.h>

namespace solva {

struct SectionPairRegisters {
    __m256d b0, b1, b2;  // (S, T, S, T)
    __m128d a1, a2;      // (S, T)
    __m256d before;      // inputs of frames -2 and -1: (S, T, S, T)
    __m128d y1, y2;      // (S, T)
};

SOLVA_AVX2_TARGET __attribute__((always_inline)) inline SectionPairRegisters loadSectionPair(
    const BiquadSection& s, const BiquadSection& t) {
    SectionPairRegisters r;
    r.b0 = _mm256_setr_pd(s.running[2], t.running[2], s.running[2], t.running[2]);
    r.b1 = _mm256_setr_pd(s.running[3], t.running[3], s.running[3], t.running[3]);
    r.b2 = _mm256_setr_pd(s.running[4], t.running[4], s.running[4], t.running[4]);
    r.a1 = _mm_setr_pd(s.running[0], t.running[0]);
    r.a2 = _mm_setr_pd(s.running[1], t.running[1]);
    r.before = _mm256_setr_pd(s.x2, t.x2, s.x1, t.x1);
    r.y1 = _mm_setr_pd(s.y1, t.y1);
    r.y2 = _mm_setr_pd(s.y2, t.y2);
    return r;
}

SOLVA_AVX2_TARGET __attribute__((always_inline)) inline void storeSectionPair(const SectionPairRegisters& r,
                                                                              BiquadSection& s, BiquadSection& t) {
    double lane[4];
    _mm256_storeu_pd(lane, r.before);
    s.x2 = lane[0]; t.x2 = lane[1]; s.x1 = lane[2]; t.x1 = lane[3];
    _mm_storeu_pd(lane, r.y1);
    s.y1 = lane[0]; t.y1 = lane[1];
    _mm_storeu_pd(lane, r.y2);
    s.y2 = lane[0]; t.y2 = lane[1];
}

// Four frames of two channels (S0..S3, T0..T3) interleaved as
// (S0, T0, S1, T1) and (S2, T2, S3, T3), and back.
SOLVA_AVX2_TARGET __attribute__((always_inline)) inline void interleaveChannels(__m128 s, __m128 t, __m128& frames01,
                                                                                __m128& frames23) {
    frames01 = _mm_unpacklo_ps(s, t);
    frames23 = _mm_unpackhi_ps(s, t);
}

SOLVA_AVX2_TARGET __attribute__((always_inline)) inline void separateChannels(__m128 frames01, __m128 frames23,
                                                                              __m128& s, __m128& t) {
    s = _mm_shuffle_ps(frames01, frames23, _MM_SHUFFLE(2, 0, 2, 0));
    t = _mm_shuffle_ps(frames01, frames23, _MM_SHUFFLE(3, 1, 3, 1));
}

// Frames 0 .. 3 of both channels, as doubles (S, T, S, T) in x01 and x23:
// the outputs, rounded to float, as (S0, T0, S1, T1) and (S2, T2, S3, T3).
SOLVA_AVX2_TARGET __attribute__((always_inline)) inline void stepSectionPairFrames(SectionPairRegisters& r,
                                                                                   __m256d x01, __m256d x23,
                                                                                   __m128& out01, __m128& out23) {
    const __m256d x01Delayed = _mm256_permute2f128_pd(r.before, x01, 0x21);
    const __m256d x23Delayed = _mm256_permute2f128_pd(x01, x23, 0x21);
    const __m256d ff01 = _mm256_fmadd_pd(r.b2, r.before, _mm256_fmadd_pd(r.b1, x01Delayed, _mm256_mul_pd(r.b0, x01)));
    const __m256d ff23 = _mm256_fmadd_pd(r.b2, x01, _mm256_fmadd_pd(r.b1, x23Delayed, _mm256_mul_pd(r.b0, x23)));
    r.before = x23;
    const __m128d y0 = _mm_fnmadd_pd(r.a1, r.y1, _mm_fnmadd_pd(r.a2, r.y2, _mm256_castpd256_pd128(ff01)));
    const __m128d y1 = _mm_fnmadd_pd(r.a1, y0, _mm_fnmadd_pd(r.a2, r.y1, _mm256_extractf128_pd(ff01, 1)));
    const __m128d y2 = _mm_fnmadd_pd(r.a1, y1, _mm_fnmadd_pd(r.a2, y0, _mm256_castpd256_pd128(ff23)));
    const __m128d y3 = _mm_fnmadd_pd(r.a1, y2, _mm_fnmadd_pd(r.a2, y1, _mm256_extractf128_pd(ff23, 1)));
    r.y2 = y2;
    r.y1 = y3;
    out01 = _mm256_cvtpd_ps(_mm256_set_m128d(y1, y0));
    out23 = _mm256_cvtpd_ps(_mm256_set_m128d(y3, y2));
}

// Frames i .. i + 3 of both channels; the outputs as four floats each.
SOLVA_AVX2_TARGET __attribute__((always_inline)) inline void stepSectionPair(SectionPairRegisters& r,
                                                                             const float* inS, const float* inT,
                                                                             __m128& outS, __m128& outT) {
    __m128 in01, in23, out01, out23;
    interleaveChannels(_mm_loadu_ps(inS), _mm_loadu_ps(inT), in01, in23);
    stepSectionPairFrames(r, _mm256_cvtps_pd(in01), _mm256_cvtps_pd(in23), out01, out23);
    separateChannels(out01, out23, outS, outT);
}

// The same with both channels interleaved, in and out: frames i .. i + 3
// as (S0, T0, S1, T1, S2, T2, S3, T3).
SOLVA_AVX2_TARGET __attribute__((always_inline)) inline void stepSectionPairInterleaved(SectionPairRegisters& r,
                                                                                        const float* in,
                                                                                        __m128& out01,
                                                                                        __m128& out23) {
    stepSectionPairFrames(r, _mm256_cvtps_pd(_mm_loadu_ps(in)), _mm256_cvtps_pd(_mm_loadu_ps(in + 4)), out01, out23);
}

}  // namespace solva

#endif
