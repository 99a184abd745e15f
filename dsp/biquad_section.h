// BiquadSection: one recursive second-order section as played — a target
// coefficient set, a running set that glides to it, and double memories.
#pragma once

#include <cmath>

#include "dsp/coefficient_set.h"

namespace solva {

struct BiquadSection {
    // a1, a2, b0, b1, b2
    double target[5] = {0.0, 0.0, 1.0, 0.0, 0.0};
    double running[5] = {0.0, 0.0, 1.0, 0.0, 0.0};
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;

    void setTarget(const CoefficientSet& c) {
        for (int i = 0; i < 5; ++i) target[i] = c.v[i + 1];
    }
    void setTargetIdentity() { setTarget(CoefficientSet::identity()); }
    void snapToTarget() {
        for (int i = 0; i < 5; ++i) running[i] = target[i];
    }
    double distance() const {
        double d = 0.0;
        for (int i = 0; i < 5; ++i) d += std::fabs(running[i] - target[i]);
        return d;
    }
    void clearMemories() { x1 = x2 = y1 = y2 = 0.0; }
    void flushTinyMemories() {
        if (std::fabs(y1) < 1e-38) y1 = 0.0;
        if (std::fabs(y2) < 1e-38) y2 = 0.0;
    }

    // Fixed coefficients; in and out may alias.
    void run(const float* in, float* out, int n) {
        const double a1 = running[0], a2 = running[1], b0 = running[2], b1 = running[3], b2 = running[4];
        double sx1 = x1, sx2 = x2, sy1 = y1, sy2 = y2;
        for (int i = 0; i < n; ++i) {
            const double x = in[i];
            // The feed-forward part first: only a1 y1 stays on the recursion's path.
            const double y = (b0 * x + b1 * sx1 + b2 * sx2 - a2 * sy2) - a1 * sy1;
            sx2 = sx1;
            sx1 = x;
            sy2 = sy1;
            sy1 = y;
            out[i] = static_cast<float>(y);
        }
        x1 = sx1; x2 = sx2; y1 = sy1; y2 = sy2;
    }

    // True when the running coefficients pass the input through unchanged
    // (a band carried by its correction alone).
    bool isIdentity() const {
        return running[0] == 0.0 && running[1] == 0.0 && running[2] == 1.0 && running[3] == 0.0 &&
               running[4] == 0.0;
    }
    // run() of an identity section without the arithmetic: the output is
    // the input, and the memories end as run() leaves them.
    void passThrough(const float* in, float* out, int n) {
        if (n < 1) return;
        if (in != out)
            for (int i = 0; i < n; ++i) out[i] = in[i];
        x2 = n > 1 ? in[n - 2] : x1;
        y2 = n > 1 ? in[n - 2] : y1;
        x1 = y1 = in[n - 1];
    }

    // Two sections with fixed coefficients over two buffers in one loop, as
    // one pair of packed doubles (AVX2 encoding where the processor has it;
    // the arithmetic is the same).
    static void runPair(BiquadSection& s, BiquadSection& t, const float* inS, float* outS, const float* inT,
                        float* outT, int n);

    // Coefficients glide toward the target by g2 before every sample.
    void runGliding(const float* in, float* out, int n, double g2) {
        for (int i = 0; i < n; ++i) {
            for (int k = 0; k < 5; ++k) running[k] -= (running[k] - target[k]) * g2;
            const double x = in[i];
            const double y = (running[2] * x + running[3] * x1 + running[4] * x2 - running[1] * y2) -
                             running[0] * y1;
            x2 = x1;
            x1 = x;
            y2 = y1;
            y1 = y;
            out[i] = static_cast<float>(y);
        }
    }
};

}  // namespace solva
