// Correction-kernel sums: every chunk length and kernel length, against the
// plain per-output loop in the same tap order (so the same bits), whatever
// register blocking the processor's path uses.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "dsp/correction_kernel.h"
#include "dsp/kernel_sum.h"

using namespace solva;

TEST(KernelSums, EveryChunkAndKernelLengthMatchesThePlainSumBitForBit) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> d(-1.0f, 1.0f);
    std::vector<float> kernel(kMaxKernelLength), x(kMaxKernelLength + 64);
    for (float& v : kernel) v = d(rng);
    for (float& v : x) v = d(rng);
    for (int length = 1; length <= kMaxKernelLength; ++length) {
        for (int n = 1; n <= 44; ++n) {
            float sums[64];
            kernelSums(kernel.data(), length, n, x.data(), sums);
            for (int i = 0; i < n; ++i) {
                const float* xs = x.data() + (length - 1) + i;
                float s = 0.0f;
                for (int k = 0; k < length; ++k) s += kernel[k] * xs[-k];
                ASSERT_EQ(sums[i], s) << "length " << length << ", n " << n << ", output " << i;
            }
        }
    }
}
