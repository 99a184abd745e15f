// A mirrored input history: a ring of `length` samples stored twice in a
// row, so that the last samples before any ring position are one
// contiguous stretch, whatever the position.
#pragma once

namespace solva {

// n samples (at most length) into the ring from position pos (below
// length), both copies: up to the end of the ring, then from its start.
inline void appendMirrored(float* history, int length, int pos, const float* samples, int n) {
    const int first = length - pos < n ? length - pos : n;
    // The history does not alias the samples: the copies vectorise.
    float* __restrict low = history + pos;
    float* __restrict high = history + pos + length;
    for (int i = 0; i < first; ++i) low[i] = high[i] = samples[i];
    float* __restrict wrapLow = history;
    float* __restrict wrapHigh = history + length;
    for (int i = first; i < n; ++i) wrapLow[i - first] = wrapHigh[i - first] = samples[i];
}

}  // namespace solva
