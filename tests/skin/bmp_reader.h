// Minimal reader for the skin's 24-bit BMP files, used by the skin tests.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "resources/skin/skin_ids.h"

namespace skintest {

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool isKey() const { return r == 0 && g == 255 && b == 0; }
};

struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // top-down rows
    const Rgb& at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

inline std::string skinDir() { return std::string(SOLVA_SOURCE_DIR) + "/resources/skin"; }

inline std::string bitmapPath(const std::string& dir, int id) {
    return dir + "/" + std::to_string(id) + ".bmp";
}

inline std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

inline std::uint16_t le16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

// Parses an uncompressed bottom-up 24-bit BMP with a 40-byte info header;
// returns false with a reason for anything else.
inline bool parseBmp(const std::vector<std::uint8_t>& b, Bitmap* out, std::string* why) {
    auto fail = [&](const char* reason) { *why = reason; return false; };
    if (b.size() < 54) return fail("shorter than the two headers");
    if (b[0] != 'B' || b[1] != 'M') return fail("no BM signature");
    if (le32(b, 2) != b.size()) return fail("file size field differs from the file size");
    if (le32(b, 10) != 54) return fail("pixel offset is not 54");
    if (le32(b, 14) != 40) return fail("info header is not BITMAPINFOHEADER");
    const std::int32_t w = static_cast<std::int32_t>(le32(b, 18));
    const std::int32_t h = static_cast<std::int32_t>(le32(b, 22));
    if (w <= 0 || h <= 0) return fail("not a bottom-up bitmap of positive size");
    if (le16(b, 26) != 1 || le16(b, 28) != 24) return fail("not one plane of 24 bits");
    if (le32(b, 30) != 0) return fail("compressed");
    const std::size_t row = (static_cast<std::size_t>(w) * 3 + 3) & ~static_cast<std::size_t>(3);
    if (b.size() != 54 + row * static_cast<std::size_t>(h)) return fail("pixel data size mismatch");
    out->width = w;
    out->height = h;
    out->pixels.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y) {
        const std::size_t src = 54 + row * static_cast<std::size_t>(h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const std::size_t p = src + static_cast<std::size_t>(x) * 3;
            out->pixels[static_cast<std::size_t>(y * w + x)] = Rgb{b[p + 2], b[p + 1], b[p]};
        }
    }
    return true;
}

inline Bitmap loadSkinBitmap(int id) {
    Bitmap bmp;
    std::string why;
    parseBmp(readBytes(bitmapPath(skinDir(), id)), &bmp, &why);
    return bmp;
}

}  // namespace skintest
