// Correction-kernel sums over a chunk: sums[i] = sum_k kernel[k] x[L-1-k+i]
// for i < n, where x holds the chunk's n input samples preceded by the
// L - 1 samples before them (oldest first, contiguous floats). Float sums,
// several packed registers of outputs kept over all the taps; on x86
// processors with AVX2 the registers hold eight outputs instead of four,
// with AVX-512 (on x86-64) sixteen, a whole chunk in three registers.
#pragma once

namespace solva {

void kernelSums(const float* kernel, int length, int n, const float* x, float* sums);

}  // namespace solva
