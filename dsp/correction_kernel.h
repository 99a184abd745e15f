// CorrectionKernel building blocks: the windowed sinc that band-limits the
// reference design to the host band, the host and reference impulse
// responses, the kernel window and the kernel itself. Pure functions over
// caller-owned buffers; nothing allocates.
#pragma once

#include "dsp/coefficient_set.h"

namespace solva {

constexpr int kMaxSincLength = 401;
constexpr int kReferenceBufferLength = 401;
// Largest correction length: the reference buffer holds max(N, 8 L) samples.
constexpr int kMaxKernelLength = 50;

// sinc[0..N-1] for sinc length N and sinc centre parameter p.
void buildWindowedSinc(float* sinc, int sincLength, float sincCentre);

// Impulse response h[0..L-1] of a normalised section.
void hostImpulseResponse(const CoefficientSet& set, float* h, int length);

// Runs the reference section over the sinc and then zeros until
// max(N, 8 L) samples are in ref; returns that count.
int referenceResponse(const CoefficientSet& set, const float* sinc, int sincLength, int length,
                      float* ref);

// Falling-half Blackman window of length L with a flat first part.
void buildKernelWindow(float* window, int length, float flatFraction);

// kernel[i] = (ref[(N-1)/2 + 4 i] - h[i]) * window[i].
void buildKernel(float* kernel, const float* ref, int sincLength, const float* h, const float* window,
                 int length);

}  // namespace solva
