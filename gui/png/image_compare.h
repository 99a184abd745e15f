// Image comparison for snapshot tests: per-channel differences between two
// pixel buffers, a diff image, and a one-call snapshot check that can write
// "<stem>.actual.png" and "<stem>.diff.png" (in the build tree, not beside
// a committed reference) on a mismatch or a missing reference.
#pragma once

#include <string>

#include "gui/cpixelbuffer.h"

namespace VSTGUI {

struct ImageDifference {
    bool sameSize = false;
    int maxChannelDiff = 0;      // 0..255 over all channels
    double meanChannelDiff = 0;  // mean over all channels of all pixels
    long differingPixels = 0;    // pixels with any channel different
};

ImageDifference compareImages(const CPixelBuffer& a, const CPixelBuffer& b);
// Grey copy of `expected` with differing pixels in red (intensity by size
// of the difference); the size of the larger image.
CPixelBuffer makeDiffImage(const CPixelBuffer& expected, const CPixelBuffer& actual);

struct SnapshotResult {
    bool matched = false;
    bool referenceMissing = false;
    ImageDifference difference;
    std::string message;
};

// Compares `actual` with the PNG at `referencePath`; matches when sizes
// agree, the mean channel difference is at most `maxMeanDiff` and the
// largest at most `maxChannelDiff`. With a non-empty `outputStem`, a
// mismatch writes the actual and diff images there (a missing reference
// only the actual image).
SnapshotResult checkSnapshot(const CPixelBuffer& actual, const std::string& referencePath,
                             double maxMeanDiff = 0.5, int maxChannelDiff = 64,
                             const std::string& outputStem = std::string());

}  // namespace VSTGUI
