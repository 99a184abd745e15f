// Knob strips: frame i of n shows value i / (n - 1), and its pointer (the
// near-white pixels of the frame) points at the angle of that value on the
// 0.5233 .. 5.7567 rad range, measured clockwise from straight down.
#include <gtest/gtest.h>

#include <cmath>

#include "bmp_reader.h"

namespace {

using skintest::Bitmap;
using solva::skin::BitmapInfo;

constexpr double kPi = 3.14159265358979323846;
constexpr double kToleranceRad = 3.0 * kPi / 180.0;

// Brightness-weighted centroid of the near-white pixels of a frame,
// returned as an angle in the knob convention; false when there are none.
bool pointerAngle(const Bitmap& b, int width, int frameHeight, int frame, double* angle) {
    const double cx = width * 0.5;
    const double cy = frameHeight * 0.5;
    double sx = 0, sy = 0, sw = 0;
    for (int y = 0; y < frameHeight; ++y) {
        for (int x = 0; x < width; ++x) {
            const skintest::Rgb& p = b.at(x, frame * frameHeight + y);
            const int lo = std::min(p.r, std::min(p.g, p.b));
            if (p.isKey() || lo <= 200) continue;
            const double w = lo - 200;
            sx += (x + 0.5 - cx) * w;
            sy += (y + 0.5 - cy) * w;
            sw += w;
        }
    }
    if (sw <= 0) return false;
    double a = std::atan2(-sx / sw, sy / sw);
    if (a < 0) a += 2 * kPi;
    *angle = a;
    return true;
}

TEST(SkinKnobs, PointerOfEveryFrameIsAtTheAngleOfItsValue) {
    for (const BitmapInfo& info : solva::skin::kBitmaps) {
        if (info.id < 1 || info.id > 21) continue;
        const Bitmap b = skintest::loadSkinBitmap(info.id);
        ASSERT_EQ(b.height, info.height) << "knob " << info.id;
        const int fh = info.height / info.frames;
        double worst = 0;
        for (int f = 0; f < info.frames; ++f) {
            double angle = 0;
            ASSERT_TRUE(pointerAngle(b, info.width, fh, f, &angle)) << "knob " << info.id << " frame " << f;
            const double value = static_cast<double>(f) / (info.frames - 1);
            const double expected = 0.5233 + (5.7567 - 0.5233) * value;
            worst = std::max(worst, std::fabs(angle - expected));
        }
        EXPECT_LT(worst, kToleranceRad) << "knob " << info.id << ": worst pointer error "
                                        << worst * 180 / kPi << " degrees";
    }
}

TEST(SkinKnobs, FirstAndLastFramesDiffer) {
    for (const BitmapInfo& info : solva::skin::kBitmaps) {
        if (info.id < 1 || info.id > 21) continue;
        const Bitmap b = skintest::loadSkinBitmap(info.id);
        const int fh = info.height / info.frames;
        int differing = 0;
        for (int y = 0; y < fh; ++y) {
            for (int x = 0; x < info.width; ++x) {
                differing += b.at(x, y) == b.at(x, (info.frames - 1) * fh + y) ? 0 : 1;
            }
        }
        EXPECT_GT(differing, 20) << "knob " << info.id;
    }
}

TEST(SkinKnobs, MiddleFramePointsStraightUp) {
    // Value 0.5 is frame 32 of 65 and frame 25 of 51: pi rad, 12 o'clock.
    for (int id : {1, 8, 15, 21}) {
        const BitmapInfo* info = solva::skin::findBitmap(id);
        const Bitmap b = skintest::loadSkinBitmap(id);
        const int fh = info->height / info->frames;
        double angle = 0;
        ASSERT_TRUE(pointerAngle(b, info->width, fh, (info->frames - 1) / 2, &angle));
        EXPECT_NEAR(angle, kPi, kToleranceRad) << "knob " << id;
    }
}

}  // namespace
