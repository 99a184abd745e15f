// Correction-kernel sums over a chunk: sums[i] = sum_k kernel[k] x[L-1-k+i]
// for i < n, where x holds the chunk's n input samples preceded by the
// L - 1 samples before them (oldest first, contiguous floats). Float sums,
// several packed registers of outputs kept over all the taps; on x86
// processors with AVX2 the registers hold eight outputs instead of four,
// with AVX-512 (outside Windows) a whole chunk fits in three registers.
#pragma once

namespace solva {

void kernelSums(const float* kernel, int length, int n, const float* x, float* sums);

// kernelSums for two channels whose kernels have the same length, with the
// same results; faster where the processor can run both side by side.
void kernelSumsPair(const float* kernelA, const float* kernelB, int length, int n, const float* xA,
                    const float* xB, float* sumsA, float* sumsB);

}  // namespace solva
