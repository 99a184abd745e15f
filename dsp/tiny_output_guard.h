// The tiny-output guards of a band. Each counts the chunks whose first
// output sample is below 1e-20 and not 0 (a signed comparison: any
// negative first sample counts; one of at least 1e-20 resets the count).
// Past kTinyOutputLimit such chunks in a row the count holds at the limit
// and every further such chunk has its outputs below 1e-37 in magnitude
// set to 0.
#pragma once

#include <cmath>

namespace solva {

constexpr int kTinyOutputLimit = 20;

// Whether a guard whose count stands at `count` flushes a chunk whose first
// output is `first`.
inline bool tinyOutputFlushes(int count, float first) {
    return count >= kTinyOutputLimit && first < 1e-20f && first != 0.0f;
}

// Counts a chunk by its first output; true when the chunk is flushed.
// Without branches: the sign of a chunk's first sample is as good as
// random, and a mispredicted branch for every band and chunk costs more
// than the rest of a steady band's work on the chunk's guards.
inline bool countTinyOutput(float first, int& count) {
    const int kept = static_cast<int>(!(first >= 1e-20f));  // 0: reset (not for NaN)
    const int counts = static_cast<int>(first != 0.0f);
    const int next = (count + counts) * kept;
    const int flushes = static_cast<int>(next > kTinyOutputLimit);
    count = next - flushes * (next - kTinyOutputLimit);
    return flushes != 0;
}

inline void flushTinyOutputs(float* out, int n) {
    for (int i = 0; i < n; ++i)
        if (std::fabs(out[i]) < 1e-37f) out[i] = 0.0f;
}

}  // namespace solva
