// Image encoders of the skin generator: 24-bit BMP with the transparent key
// colour, and PNG for the previews.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

namespace skingen {

struct Rgb8 {
    std::uint8_t r, g, b;
};

// Pixels whose alpha is at or below this become the key colour.
constexpr float kTransparentAlpha = 0.02f;

// Flattens the image: transparent pixels become pure green (0, 255, 0);
// partly covered pixels are composited over matte; an opaque pixel that
// would come out as pure green is nudged to (0, 254, 0).
std::vector<Rgb8> flattenForBitmap(const Image& img, const Rgba& matte);

// 24-bit BMP: BITMAPFILEHEADER + BITMAPINFOHEADER (40 bytes), bottom-up
// rows padded to 4 bytes, 2835 pixels per metre (72 dpi).
std::vector<std::uint8_t> encodeBmp(int width, int height, const std::vector<Rgb8>& pixels);

// Opaque RGB PNG; returns false on failure.
bool writePng(const std::string& path, int width, int height, const std::vector<Rgb8>& pixels);
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace skingen
