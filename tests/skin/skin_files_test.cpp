// The committed bitmap files: valid 24-bit BMPs of the listed sizes, with
// the transparent key colour where controls are see-through and none in
// the opaque panels.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "bmp_reader.h"

namespace {

using skintest::Bitmap;
using skintest::loadSkinBitmap;
using solva::skin::BitmapInfo;
using solva::skin::findBitmap;

int countKey(const Bitmap& b, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) n += b.at(x, y).isKey() ? 1 : 0;
    }
    return n;
}

bool framesDiffer(const Bitmap& b, int frameHeight, int f0, int f1) {
    for (int y = 0; y < frameHeight; ++y) {
        for (int x = 0; x < b.width; ++x) {
            if (!(b.at(x, f0 * frameHeight + y) == b.at(x, f1 * frameHeight + y))) return true;
        }
    }
    return false;
}

TEST(SkinFiles, EveryTableBitmapIsAValid24BitBmpOfItsListedSize) {
    for (const BitmapInfo& info : solva::skin::kBitmaps) {
        const std::string path = skintest::bitmapPath(skintest::skinDir(), info.id);
        Bitmap bmp;
        std::string why;
        ASSERT_TRUE(skintest::parseBmp(skintest::readBytes(path), &bmp, &why)) << path << ": " << why;
        EXPECT_EQ(bmp.width, info.width) << path;
        EXPECT_EQ(bmp.height, info.height) << path;
    }
}

TEST(SkinFiles, KnobAndLedFrameCornersAreTransparent) {
    for (const BitmapInfo& info : solva::skin::kBitmaps) {
        if (!(info.id >= 1 && info.id <= 22)) continue;
        const Bitmap b = loadSkinBitmap(info.id);
        ASSERT_EQ(b.height, info.height);
        const int fh = info.height / info.frames;
        for (int f = 0; f < info.frames; ++f) {
            const int top = f * fh;
            EXPECT_TRUE(b.at(0, top).isKey() && b.at(info.width - 1, top).isKey() &&
                        b.at(0, top + fh - 1).isKey() && b.at(info.width - 1, top + fh - 1).isKey())
                << "bitmap " << info.id << " frame " << f;
            // The round body leaves each 3 x 3 corner fully transparent.
            EXPECT_EQ(countKey(b, 0, top, 3, top + 3), 9) << "bitmap " << info.id << " frame " << f;
        }
    }
}

TEST(SkinFiles, KnobFramesAreTransparentOutsideTheRoundKnob) {
    for (int id = 1; id <= 21; ++id) {
        const BitmapInfo* info = findBitmap(id);
        const Bitmap b = loadSkinBitmap(id);
        ASSERT_EQ(b.height, info->height);
        const int fh = info->height / info->frames;
        const double cx = info->width * 0.5, cy = fh * 0.5, radius = fh * 0.5;
        int opaqueOutside = 0;
        int keyInside = 0;
        for (int f = 0; f < info->frames; ++f) {
            for (int y = 0; y < fh; ++y) {
                for (int x = 0; x < info->width; ++x) {
                    const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
                    const bool key = b.at(x, f * fh + y).isKey();
                    if (d > radius + 0.5 && !key) ++opaqueOutside;
                    if (d < radius - 5.5 && key) ++keyInside;  // the body; the ring is open at the bottom
                }
            }
        }
        EXPECT_EQ(opaqueOutside, 0) << "knob " << id << " draws outside its round body";
        EXPECT_EQ(keyInside, 0) << "knob " << id << " has holes in its body";
    }
}

TEST(SkinFiles, OpaquePanelsContainNoTransparentPixel) {
    for (int id : {10000, 2000, 2001, 2002, 2003, 2004, 2005, 2006, 2008, 2009, 2012, 2013, 4000,
                   4001, 4002, 4003, 4004, 4005, 4006, 1005, 1008, 1020, 1025, 1026}) {
        const Bitmap b = loadSkinBitmap(id);
        ASSERT_GT(b.width, 0) << "bitmap " << id;
        EXPECT_EQ(countKey(b, 0, 0, b.width, b.height), 0) << "bitmap " << id;
    }
}

TEST(SkinFiles, ConfirmButtonFaceIsTransparentSoTheDialogCaptionShows) {
    const BitmapInfo* info = findBitmap(2011);
    const Bitmap b = loadSkinBitmap(2011);
    const int fh = info->height / info->frames;
    for (int f = 0; f < info->frames; ++f) {
        EXPECT_TRUE(b.at(info->width / 2, f * fh + fh / 2).isKey()) << "frame " << f;
        EXPECT_FALSE(b.at(info->width / 2, f * fh).isKey()) << "frame " << f << " has no border";
    }
}

TEST(SkinFiles, SwitchStripsShowDistinctOffPressedAndOnFrames) {
    for (const BitmapInfo& info : solva::skin::kBitmaps) {
        if (info.frames < 2 || info.frames > 3) continue;
        const Bitmap b = loadSkinBitmap(info.id);
        const int fh = info.height / info.frames;
        // Kicks show frame 0 released and frame 1 pressed; switches and
        // slides differ between every pair of images.
        EXPECT_TRUE(framesDiffer(b, fh, 0, 1)) << "bitmap " << info.id;
        if (info.frames == 3) {
            const bool kick = info.id == 1014 || info.id == 1015 || info.id == 1016 ||
                              info.id == 1017 || info.id == 2007 || info.id == 2010 ||
                              info.id == 2011 || info.id == 1030 || info.id == 1031 ||
                              info.id == 1045 || info.id == 1046;
            if (!kick) {
                EXPECT_TRUE(framesDiffer(b, fh, 0, 2)) << "bitmap " << info.id;
                EXPECT_TRUE(framesDiffer(b, fh, 1, 2)) << "bitmap " << info.id;
            }
        }
    }
}

TEST(SkinFiles, AlternativeImagesDifferFromTheirMainImage) {
    const std::vector<std::pair<int, int>> pairs = {
        {1028, 1043}, {1029, 1044}, {1032, 1042}, {1033, 1048}, {1039, 1038}, {1034, 1035},
        {1036, 1037}, {1014, 1015}, {1016, 1017}, {1030, 1031}, {1030, 1045}, {1045, 1046},
        {1010, 1009}, {1012, 1011}, {1018, 1019}, {4001, 4002}, {4004, 4005}};
    for (const auto& p : pairs) {
        const Bitmap a = loadSkinBitmap(p.first);
        const Bitmap b = loadSkinBitmap(p.second);
        EXPECT_FALSE(a.pixels == b.pixels) << p.first << " and " << p.second << " are identical";
    }
}

}  // namespace
