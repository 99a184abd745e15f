// PNG writing/reading and the snapshot comparison used by screen tests.
#ifdef SOLVA_HAVE_PNG

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "gui/png/image_compare.h"
#include "gui/png/png_io.h"
#include "gui_test_support.h"

namespace {

using namespace VSTGUI;
namespace fs = std::filesystem;

fs::path scratchDir() {
    const fs::path dir = fs::path(SOLVA_BINARY_DIR) / "test-output" / "gui";
    fs::create_directories(dir);
    return dir;
}

CPixelBuffer gradient(int w, int h) {
    CPixelBuffer b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.setPixel(x, y, CColor(x * 8, y * 8, (x + y) * 4).toArgb());
    return b;
}

TEST(Png, WritesAndReadsBackEveryPixel) {
    const CPixelBuffer image = gradient(31, 17);
    const std::string path = (scratchDir() / "roundtrip.png").string();
    ASSERT_TRUE(writePng(image, path));
    CPixelBuffer back;
    ASSERT_TRUE(readPng(path, back));
    const ImageDifference d = compareImages(image, back);
    EXPECT_TRUE(d.sameSize);
    EXPECT_EQ(d.maxChannelDiff, 0);
    EXPECT_EQ(d.differingPixels, 0);
}

TEST(Png, ReadingAMissingOrBrokenFileFails) {
    CPixelBuffer out;
    EXPECT_FALSE(readPng((scratchDir() / "does-not-exist.png").string(), out));
    const std::string broken = (scratchDir() / "broken.png").string();
    FILE* f = std::fopen(broken.c_str(), "wb");
    std::fputs("not a png", f);
    std::fclose(f);
    EXPECT_FALSE(readPng(broken, out));
}

TEST(ImageCompare, ReportsMaximumMeanAndCountOfDifferences) {
    CPixelBuffer a(10, 10, kBlackCColor), b(10, 10, kBlackCColor);
    b.setPixel(3, 4, CColor(30, 0, 0).toArgb());
    const ImageDifference d = compareImages(a, b);
    EXPECT_EQ(d.maxChannelDiff, 30);
    EXPECT_EQ(d.differingPixels, 1);
    EXPECT_NEAR(d.meanChannelDiff, 30.0 / 300.0, 1e-9);
    EXPECT_FALSE(compareImages(a, CPixelBuffer(9, 10)).sameSize);
    const CPixelBuffer diff = makeDiffImage(a, b);
    EXPECT_GT(diff.getColor(3, 4).red, 128);
    EXPECT_EQ(diff.getColor(0, 0), kBlackCColor);
}

TEST(Snapshot, MismatchWritesActualAndDiffImagesToTheOutputStem) {
    const fs::path reference = scratchDir() / "snapshot.png";
    const std::string stem = (scratchDir() / "out-snapshot").string();
    fs::remove(stem + ".actual.png");
    fs::remove(stem + ".diff.png");
    const CPixelBuffer image = gradient(8, 8);
    ASSERT_TRUE(writePng(image, reference.string()));
    EXPECT_TRUE(checkSnapshot(image, reference.string(), 0.5, 64, stem).matched);
    EXPECT_FALSE(fs::exists(stem + ".actual.png"));

    CPixelBuffer changed = image;
    changed.fillRect(CRect(0, 0, 4, 4), kWhiteCColor);
    EXPECT_FALSE(checkSnapshot(changed, reference.string()).matched);  // writes nothing
    EXPECT_FALSE(fs::exists(stem + ".actual.png"));
    const SnapshotResult r = checkSnapshot(changed, reference.string(), 0.5, 64, stem);
    EXPECT_FALSE(r.matched);
    EXPECT_NE(r.message.find("mean"), std::string::npos);
    EXPECT_TRUE(fs::exists(stem + ".actual.png"));
    EXPECT_TRUE(fs::exists(stem + ".diff.png"));
    // Small differences within the tolerances still match.
    CPixelBuffer nudged = image;
    nudged.setPixel(0, 0, CColor::fromArgb(image.getPixel(0, 0) ^ 0x3).toArgb());
    EXPECT_TRUE(checkSnapshot(nudged, reference.string(), 0.5, 64).matched);

    const SnapshotResult missing =
        checkSnapshot(image, (scratchDir() / "none.png").string(), 0.5, 64, stem + "-none");
    EXPECT_TRUE(missing.referenceMissing);
    EXPECT_TRUE(fs::exists(stem + "-none.actual.png"));
}

}  // namespace

#endif  // SOLVA_HAVE_PNG
