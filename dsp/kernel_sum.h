// Correction-kernel sums over a chunk: acc[i] += sum_k kernel[k] x[L-1-k+i]
// for i < n, where x holds the chunk's n input samples preceded by the
// L - 1 samples before them (oldest first, contiguous floats). Float sums,
// four outputs per packed register, several registers per pass.
#pragma once

namespace solva {

void addKernelSums(const float* kernel, int length, int n, const float* x, float* acc);

}  // namespace solva
