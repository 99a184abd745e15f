#include "gui/png/image_compare.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "gui/png/png_io.h"

namespace VSTGUI {

namespace {

int channelDiff(uint32_t a, uint32_t b, int shift) {
    return std::abs(static_cast<int>((a >> shift) & 0xff) - static_cast<int>((b >> shift) & 0xff));
}

}  // namespace

ImageDifference compareImages(const CPixelBuffer& a, const CPixelBuffer& b) {
    ImageDifference d;
    d.sameSize = a.getWidth() == b.getWidth() && a.getHeight() == b.getHeight();
    if (!d.sameSize) {
        d.maxChannelDiff = 255;
        d.meanChannelDiff = 255;
        return d;
    }
    double sum = 0;
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x) {
            const uint32_t pa = a.row(y)[x], pb = b.row(y)[x];
            int pixelMax = 0;
            for (int shift : {16, 8, 0}) {
                const int c = channelDiff(pa, pb, shift);
                sum += c;
                pixelMax = std::max(pixelMax, c);
            }
            d.maxChannelDiff = std::max(d.maxChannelDiff, pixelMax);
            if (pixelMax > 0) ++d.differingPixels;
        }
    const double channels = 3.0 * a.getWidth() * a.getHeight();
    d.meanChannelDiff = channels > 0 ? sum / channels : 0;
    return d;
}

CPixelBuffer makeDiffImage(const CPixelBuffer& expected, const CPixelBuffer& actual) {
    const int w = std::max(expected.getWidth(), actual.getWidth());
    const int h = std::max(expected.getHeight(), actual.getHeight());
    CPixelBuffer diff(w, h, kBlackCColor);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t pe = expected.getPixel(x, y), pa = actual.getPixel(x, y);
            int m = 0;
            for (int shift : {16, 8, 0}) m = std::max(m, channelDiff(pe, pa, shift));
            const int grey = (((pe >> 16) & 0xff) + ((pe >> 8) & 0xff) + (pe & 0xff)) / 12;
            if (m == 0)
                diff.setPixel(x, y, CColor(grey, grey, grey).toArgb());
            else
                diff.setPixel(x, y, CColor(std::min(255, 128 + m), 0, 0).toArgb());
        }
    return diff;
}

SnapshotResult checkSnapshot(const CPixelBuffer& actual, const std::string& referencePath,
                             double maxMeanDiff, int maxChannelDiff, const std::string& outputStem) {
    SnapshotResult result;
    CPixelBuffer reference;
    if (!readPng(referencePath, reference)) {
        result.referenceMissing = true;
        result.message = "reference missing: " + referencePath;
        if (!outputStem.empty() && writePng(actual, outputStem + ".actual.png"))
            result.message += " (actual image: " + outputStem + ".actual.png)";
        return result;
    }
    result.difference = compareImages(reference, actual);
    result.matched = result.difference.sameSize &&
                     result.difference.meanChannelDiff <= maxMeanDiff &&
                     result.difference.maxChannelDiff <= maxChannelDiff;
    if (!result.matched) {
        if (!outputStem.empty()) {
            writePng(actual, outputStem + ".actual.png");
            writePng(makeDiffImage(reference, actual), outputStem + ".diff.png");
        }
        std::ostringstream s;
        s << "snapshot mismatch " << referencePath << ": mean " << result.difference.meanChannelDiff
          << ", max " << result.difference.maxChannelDiff << ", pixels "
          << result.difference.differingPixels << (result.difference.sameSize ? "" : ", size differs");
        if (!outputStem.empty()) s << " (actual and diff images: " << outputStem << ".*.png)";
        result.message = s.str();
    }
    return result;
}

}  // namespace VSTGUI
