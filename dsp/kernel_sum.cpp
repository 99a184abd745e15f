#include "dsp/kernel_sum.h"

#include <cstring>

namespace solva {
namespace {

typedef float Quad __attribute__((vector_size(16)));

inline Quad loadQuad(const float* p) {
    Quad v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void storeQuad(float* p, Quad v) { std::memcpy(p, &v, sizeof v); }

// Outputs [0, 4 Q) of the block starting at x (x already offset by i0):
// Q accumulators stay in registers over all the taps.
template <int Q>
inline void blockSums(const float* kernel, int length, const float* x, float* acc) {
    Quad sum[Q];
    for (int q = 0; q < Q; ++q) sum[q] = loadQuad(acc + 4 * q);
    const float* xs = x + (length - 1);
    for (int k = 0; k < length; ++k, --xs) {
        const float c = kernel[k];
        const Quad cq = {c, c, c, c};
        for (int q = 0; q < Q; ++q) sum[q] += cq * loadQuad(xs + 4 * q);
    }
    for (int q = 0; q < Q; ++q) storeQuad(acc + 4 * q, sum[q]);
}

}  // namespace

void addKernelSums(const float* kernel, int length, int n, const float* x, float* acc) {
    int i = 0;
    for (; i + 16 <= n; i += 16) blockSums<4>(kernel, length, x + i, acc + i);
    if (i + 12 <= n) {
        blockSums<3>(kernel, length, x + i, acc + i);
        i += 12;
    } else if (i + 8 <= n) {
        blockSums<2>(kernel, length, x + i, acc + i);
        i += 8;
    }
    if (i + 4 <= n) {
        blockSums<1>(kernel, length, x + i, acc + i);
        i += 4;
    }
    for (; i < n; ++i) {
        const float* xs = x + (length - 1) + i;
        float s = acc[i];
        for (int k = 0; k < length; ++k) s += kernel[k] * xs[-k];
        acc[i] = s;
    }
}

}  // namespace solva
