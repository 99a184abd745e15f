// 8-bit RGBA colour. Alpha 255 is opaque; drawing primitives blend with it.
#pragma once

#include <cstdint>

namespace VSTGUI {

struct CColor {
    unsigned char red = 0, green = 0, blue = 0, alpha = 255;

    constexpr CColor() = default;
    constexpr CColor(unsigned char r, unsigned char g, unsigned char b, unsigned char a = 255)
        : red(r), green(g), blue(b), alpha(a) {}

    constexpr bool operator==(const CColor& o) const {
        return red == o.red && green == o.green && blue == o.blue && alpha == o.alpha;
    }
    constexpr bool operator!=(const CColor& o) const { return !(*this == o); }
    // Same red, green and blue (alpha ignored): what a colour key compares.
    constexpr bool sameRgb(const CColor& o) const {
        return red == o.red && green == o.green && blue == o.blue;
    }
    // Packed 0xAARRGGBB, the pixel format of CPixelBuffer.
    constexpr uint32_t toArgb() const {
        return (uint32_t(alpha) << 24) | (uint32_t(red) << 16) | (uint32_t(green) << 8) | blue;
    }
    static constexpr CColor fromArgb(uint32_t p) {
        return CColor((p >> 16) & 0xff, (p >> 8) & 0xff, p & 0xff, (p >> 24) & 0xff);
    }
};

constexpr CColor kTransparentCColor(255, 255, 255, 0);
constexpr CColor kBlackCColor(0, 0, 0);
constexpr CColor kWhiteCColor(255, 255, 255);
constexpr CColor kGreyCColor(127, 127, 127);
constexpr CColor kRedCColor(255, 0, 0);
constexpr CColor kGreenCColor(0, 255, 0);
constexpr CColor kBlueCColor(0, 0, 255);
constexpr CColor kYellowCColor(255, 255, 0);
// The skin's colour key: pixels of this colour are skipped by transparent blits.
constexpr CColor kColorKeyGreen(0, 255, 0);

}  // namespace VSTGUI
