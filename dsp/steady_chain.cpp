#include "dsp/steady_chain.h"

#include "dsp/cpu_features.h"
#include "dsp/kernel_sum.h"
#include "dsp/kernel_sum_block16.h"
#include "dsp/mirrored_history.h"
#include "dsp/section_pair_step.h"

namespace solva {
namespace {

// The kernel length - 1 samples before the chunk and the chunk itself, one
// contiguous stretch thanks to the mirror.
inline const float* kernelSpan(const SteadyChannel& c, int length, int historyLength) {
    int start = c.position - (length - 1);
    if (start < 0) start += historyLength;
    return c.history + start;
}

}  // namespace

#if SOLVA_HAS_AVX512_PATHS
namespace {

#define SOLVA_CHAIN_TARGET __attribute__((target("avx512f,avx512vl,avx2,fma")))

constexpr int kBlock = 16;  // kernel sums per register, frames per stagger step
constexpr int kBlocks = 3;
static_assert(kSteadyChainMaxFrames <= kBlocks * kBlock, "three blocks cover a chunk");

// Four frames into a mirrored history at ring position pos (below twice the
// length), both copies.
SOLVA_CHAIN_TARGET __attribute__((always_inline)) inline void appendFour(float* history, int length, int pos,
                                                                          __m128 frames) {
    if (pos >= length) pos -= length;
    if (pos + 4 <= length) {
        _mm_storeu_ps(history + pos, frames);
        _mm_storeu_ps(history + pos + length, frames);
        return;
    }
    alignas(16) float lane[4];
    _mm_store_ps(lane, frames);
    for (int j = 0; j < 4; ++j) {
        int p = pos + j;
        if (p >= length) p -= length;
        history[p] = history[p + length] = lane[j];
    }
}

// A member at work on one block during a step.
struct Lane {
    SectionPairRegisters r;
    SteadyMember* member;
    SteadyMember* next;  // null for the last member
    const float* span[2];
    __m128 gain[2];
    __m128 lastInput[2];  // identity sections: the latest four input frames
};

SOLVA_CHAIN_TARGET __attribute__((always_inline)) inline void startLane(Lane& lane, SteadyMember* members,
                                                                         int index, int count, int historyLength) {
    SteadyMember& m = members[index];
    lane.member = &m;
    lane.next = index + 1 < count ? &members[index + 1] : nullptr;
    if (!m.identity) lane.r = loadSectionPair(*m.channel[0].section, *m.channel[1].section);
    for (int c = 0; c < 2; ++c) {
        lane.span[c] = m.kernelLength > 0 ? kernelSpan(m.channel[c], m.kernelLength, historyLength) : nullptr;
        lane.gain[c] = _mm_set1_ps(m.channel[c].gain);
    }
}

SOLVA_CHAIN_TARGET __attribute__((always_inline)) inline void endLane(Lane& lane) {
    SteadyMember& m = *lane.member;
    if (!m.identity) {
        storeSectionPair(lane.r, *m.channel[0].section, *m.channel[1].section);
        return;
    }
    // As BiquadSection::passThrough leaves them: the last two inputs.
    for (int c = 0; c < 2; ++c) {
        alignas(16) float last[4];
        _mm_store_ps(last, lane.lastInput[c]);
        BiquadSection& section = *m.channel[c].section;
        section.x2 = section.y2 = last[2];
        section.x1 = section.y1 = last[3];
    }
}

// The lane's kernel sums of its block, into now (two channels).
SOLVA_CHAIN_TARGET __attribute__((always_inline)) inline void laneSums(const Lane& lane, int block, int n,
                                                                        float (*now)[kBlock]) {
    const SteadyMember& m = *lane.member;
    const int first = kBlock * block;
    if (m.kernelLength < 1 || first >= n) return;
    const __mmask16 mask = leadingLanes16(n - first);
    __m512 sumS, sumT;
    kernelSums16Pair(m.channel[0].kernel, m.channel[1].kernel, m.kernelLength, lane.span[0] + first,
                     lane.span[1] + first, mask, sumS, sumT);
    _mm512_store_ps(now[0], sumS);
    _mm512_store_ps(now[1], sumT);
}

// Frames i .. i + 3 of the lane's member: sections, correction, gain, and
// the next member's history.
SOLVA_CHAIN_TARGET __attribute__((always_inline)) inline void laneStep(Lane& lane, int i, int first,
                                                                        float (*now)[kBlock], int historyLength,
                                                                        float* work0, float* work1) {
    SteadyMember& m = *lane.member;
    __m128 out[2];
    if (m.identity) {
        out[0] = lane.lastInput[0] = _mm_loadu_ps(work0 + i);
        out[1] = lane.lastInput[1] = _mm_loadu_ps(work1 + i);
    } else {
        stepSectionPair(lane.r, work0 + i, work1 + i, out[0], out[1]);
    }
    if (i == 0)
        for (int c = 0; c < 2; ++c) m.channel[c].firstSection = _mm_cvtss_f32(out[c]);
    if (m.kernelLength > 0)
        for (int c = 0; c < 2; ++c) out[c] = _mm_add_ps(out[c], _mm_load_ps(now[c] + (i - first)));
    if (i == 0)
        for (int c = 0; c < 2; ++c) m.channel[c].firstCorrected = _mm_cvtss_f32(out[c]);
    // A gain of 1 multiplies every value to itself.
    for (int c = 0; c < 2; ++c) out[c] = _mm_mul_ps(out[c], lane.gain[c]);
    _mm_storeu_ps(work0 + i, out[0]);
    _mm_storeu_ps(work1 + i, out[1]);
    if (lane.next != nullptr)
        for (int c = 0; c < 2; ++c)
            appendFour(lane.next->channel[c].history, historyLength, lane.next->channel[c].position + i, out[c]);
}

// One step: lane a on block kA, lane b on kB, lane c on kC (-1: idle). The
// kernel sums first, then the lanes' frames interleaved four at a time, so
// that their recursions overlap.
template <int kA, int kB, int kC>
SOLVA_CHAIN_TARGET __attribute__((always_inline)) inline void runStep(Lane& a, Lane& b, Lane& c,
                                                                       float (*now)[2][kBlock], int historyLength,
                                                                       float* work0, float* work1, int n) {
    if constexpr (kA >= 0) laneSums(a, kA, n, now[0]);
    if constexpr (kB >= 0) laneSums(b, kB, n, now[1]);
    if constexpr (kC >= 0) laneSums(c, kC, n, now[2]);
    for (int q = 0; q < kBlock; q += 4) {
        if constexpr (kA >= 0)
            if (kBlock * kA + q < n)
                laneStep(a, kBlock * kA + q, kBlock * kA, now[0], historyLength, work0, work1);
        if constexpr (kB >= 0)
            if (kBlock * kB + q < n)
                laneStep(b, kBlock * kB + q, kBlock * kB, now[1], historyLength, work0, work1);
        if constexpr (kC >= 0)
            if (kBlock * kC + q < n)
                laneStep(c, kBlock * kC + q, kBlock * kC, now[2], historyLength, work0, work1);
    }
}

// kMembers (1 to 3) consecutive members from index, staggered by one
// block: member j works on block s - j at step s.
template <int kMembers>
SOLVA_CHAIN_TARGET __attribute__((always_inline)) inline void runGroup(SteadyMember* members, int index,
                                                                        int count, int historyLength,
                                                                        float* work0, float* work1, int n) {
    Lane l0 = {}, l1 = {}, l2 = {};
    alignas(64) float now[3][2][kBlock];
    startLane(l0, members, index, count, historyLength);
    if constexpr (kMembers > 1) startLane(l1, members, index + 1, count, historyLength);
    if constexpr (kMembers > 2) startLane(l2, members, index + 2, count, historyLength);
    if constexpr (kMembers == 1) {
        runStep<0, -1, -1>(l0, l1, l2, now, historyLength, work0, work1, n);
        runStep<1, -1, -1>(l0, l1, l2, now, historyLength, work0, work1, n);
        runStep<2, -1, -1>(l0, l1, l2, now, historyLength, work0, work1, n);
    } else if constexpr (kMembers == 2) {
        runStep<0, -1, -1>(l0, l1, l2, now, historyLength, work0, work1, n);
        runStep<1, 0, -1>(l0, l1, l2, now, historyLength, work0, work1, n);
        runStep<2, 1, -1>(l0, l1, l2, now, historyLength, work0, work1, n);
        runStep<-1, 2, -1>(l0, l1, l2, now, historyLength, work0, work1, n);
    } else {
        runStep<0, -1, -1>(l0, l1, l2, now, historyLength, work0, work1, n);
        runStep<1, 0, -1>(l0, l1, l2, now, historyLength, work0, work1, n);
        runStep<2, 1, 0>(l0, l1, l2, now, historyLength, work0, work1, n);
        runStep<-1, 2, 1>(l0, l1, l2, now, historyLength, work0, work1, n);
        runStep<-1, -1, 2>(l0, l1, l2, now, historyLength, work0, work1, n);
    }
    endLane(l0);
    if constexpr (kMembers > 1) endLane(l1);
    if constexpr (kMembers > 2) endLane(l2);
}

SOLVA_CHAIN_TARGET void chainAvx512(SteadyMember* members, int count, int historyLength, float* work0,
                                    float* work1, int n) {
    for (int i = 0; i < n; i += 4) {
        appendFour(members[0].channel[0].history, historyLength, members[0].channel[0].position + i,
                   _mm_loadu_ps(work0 + i));
        appendFour(members[0].channel[1].history, historyLength, members[0].channel[1].position + i,
                   _mm_loadu_ps(work1 + i));
    }
    // Groups of three; the last group has what is left.
    int index = 0;
    for (; index + 3 <= count; index += 3) runGroup<3>(members, index, count, historyLength, work0, work1, n);
    if (count - index == 2) runGroup<2>(members, index, count, historyLength, work0, work1, n);
    if (count - index == 1) runGroup<1>(members, index, count, historyLength, work0, work1, n);
}

// Decided once when the library loads, never on the audio path.
const bool available = detectAvx512();

}  // namespace
#endif

bool steadyChainRuns(int n) { return n >= 1 && n <= kSteadyChainMaxFrames; }

void runSteadyChainInOrder(SteadyMember* members, int count, int historyLength, float* work0, float* work1,
                           int n) {
    if (count < 1 || n < 1) return;
    float* work[2] = {work0, work1};
    for (int c = 0; c < 2; ++c)
        appendMirrored(members[0].channel[c].history, historyLength, members[0].channel[c].position, work[c], n);
    for (int j = 0; j < count; ++j) {
        SteadyMember& m = members[j];
        if (m.identity) {
            for (int c = 0; c < 2; ++c) m.channel[c].section->passThrough(work[c], work[c], n);
        } else {
            BiquadSection::runPair(*m.channel[0].section, *m.channel[1].section, work0, work0, work1, work1, n);
        }
        for (int c = 0; c < 2; ++c) {
            SteadyChannel& channel = m.channel[c];
            float* out = work[c];
            channel.firstSection = out[0];
            if (m.kernelLength > 0) {
                float sums[kSteadyChainMaxFrames];
                kernelSums(channel.kernel, m.kernelLength, n, kernelSpan(channel, m.kernelLength, historyLength),
                           sums);
                for (int i = 0; i < n; ++i) out[i] = static_cast<float>(out[i] + sums[i]);
            }
            channel.firstCorrected = out[0];
            if (channel.gain != 1.0f)
                for (int i = 0; i < n; ++i) out[i] *= channel.gain;
            if (j + 1 < count) {
                const SteadyChannel& next = members[j + 1].channel[c];
                appendMirrored(next.history, historyLength, next.position, out, n);
            }
        }
    }
}

void runSteadyChain(SteadyMember* members, int count, int historyLength, float* work0, float* work1, int n) {
#if SOLVA_HAS_AVX512_PATHS
    if (available && n % 4 == 0) {
        if (count > 0) chainAvx512(members, count, historyLength, work0, work1, n);
        return;
    }
#endif
    runSteadyChainInOrder(members, count, historyLength, work0, work1, n);
}

}  // namespace solva
