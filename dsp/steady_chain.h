// Consecutive band slots in their steady state, on both channels, run
// together over a whole chunk.
//
// A slot is steady when it plays a single main section with fixed
// coefficients (or the identity, for a band carried by its correction
// alone), a settled correction kernel and a settled band output gain. Its
// work per frame is then the two recursions side by side, the kernel sums,
// the correction and the gain. Slot after slot, each recursion waits on its
// own previous result, so one slot alone leaves most of the processor idle.
// With AVX-512 the chain therefore staggers the slots, three at a time, by
// one block of sixteen frames: while slot k works on block b, slot k + 1
// works on block b - 1, which slot k finished one step before, and their
// frames are interleaved four at a time so that the recursions run side by
// side. Each slot writes its output into the next slot's input history as
// it goes, so that the next slot's kernel sums find it there one step
// later, or, where the slots' bands leave their histories for later, into
// the next slot's input ring, where its kernel sums read it. With AVX2 alone (sixteen vector
// registers) it staggers two slots at a time by blocks of eight frames.
// Elsewhere, and for chunks that are not whole groups of four frames, the
// members run one after the other.
// Either way the engine can run the same chain chunk after chunk without
// looking at each slot again.
//
// Every value is computed as the separate steps compute it (paired
// sections, kernel sums, correction, band gain), so the results are the
// same bit for bit.
#pragma once

#include "dsp/biquad_section.h"
#include "dsp/correction_kernel.h"

namespace solva {

constexpr int kSteadyChainMaxFrames = 44;
constexpr int kSteadyChainMaxMembers = 8;

struct SteadyChannel {
    BiquadSection* section;  // fixed coefficients
    BiquadSection* second;   // not played; its memories flushed with the section's
    const float* kernel;     // null when the member has no correction
    // The member's mirrored input history: the chunk's first frame goes to
    // history[position] and history[position + historyLength].
    float* history;
    int position;
    float gain;  // band output gain, applied when not 1
    // The counts of the band's tiny-output guards (tiny_output_guard.h),
    // which the chain keeps: it flushes the section output, and the output
    // after the correction, of a guard that flushes a chunk, then counts
    // the chunk and flushes the memories of a section whose guard flushed.
    int tinyCount;
    int correctionTinyCount;
    // Written by the chain: the first frame's section output and the same
    // after the correction (before the gain).
    float firstSection;
    float firstCorrected;
};

struct SteadyMember {
    SteadyChannel channel[2];
    int kernelLength = 0;  // the same on both channels; 0 for none
    // Both sections are the identity (a band carried by its correction
    // alone): the input passes unchanged and the memories end as
    // BiquadSection::passThrough leaves them.
    bool identity = false;
    // Whether the chain writes the member's input into its history. A
    // member may leave it to its bands (BandProcessor): its input then
    // goes, both channels interleaved, into inputRing (frame i of the chunk
    // at inputRing[2 * (ringFrame + i) + channel]), whose kernelLength - 1
    // frames before ringFrame hold the member's earlier input, and its
    // kernel sums read the ring, over kernelPairs. inputRing is null for
    // members that write.
    bool writesHistory = true;
    float* inputRing = nullptr;
    // The two channels' kernels interleaved, (A0, B0, A1, B1, ...), for the
    // sums over the ring (interleaveKernels).
    alignas(64) float kernelPairs[2 * kMaxKernelLength] = {};
    // Frames the member has run since its bands were last told
    // (BandProcessor::settleSteadyChain).
    int framesRun = 0;
};

// Fills member.kernelPairs from the two channels' kernels.
void interleaveKernels(SteadyMember& member);

// Frames an input ring holds: whole chunks one after the other, the chunk
// at ringFrame running on to ringFrame + n, with ringFrame >=
// kInputRingKeep. When the next would not fit, the last kInputRingKeep
// frames (as far back as any kernel reaches, in whole groups of four) move
// to the start and the chunks go on from there.
constexpr int kInputRingFrames = 512;
constexpr int kInputRingKeep = 52;

// True for chunks the chain can take: 1 to kSteadyChainMaxFrames frames.
bool steadyChainRuns(int n);

// Runs n frames through count members in order, in place on work0 and
// work1. Writes the chunk into every member's history (the first member's
// from the input, the others' from their predecessor's output) or, where a
// member does not write it, into its input ring from ringFrame on
// (kInputRingKeep <= ringFrame, ringFrame + n <= kInputRingFrames);
// historyLength is the length of one mirrored half. Staggered as above on
// x86-64 processors with AVX-512 or AVX2 for whole groups of four frames,
// else member after member (runSteadyChainInOrder).
void runSteadyChain(SteadyMember* members, int count, int historyLength, int ringFrame, float* work0, float* work1,
                    int n);

// The same, member after member with the separate steps' own section,
// kernel-sum and history code, on any processor.
void runSteadyChainInOrder(SteadyMember* members, int count, int historyLength, int ringFrame, float* work0,
                           float* work1, int n);

// The staggered pass in AVX2 registers alone (blocks of eight frames), as
// processors without AVX-512 run it. Returns false, having done nothing,
// where this build or processor has no such pass or n is not a whole number
// of groups of four frames.
bool runSteadyChainAvx2(SteadyMember* members, int count, int historyLength, int ringFrame, float* work0,
                        float* work1, int n);

}  // namespace solva
