#include <cstdint>
#include <cstring>

#include "gui/cbitmap.h"

namespace VSTGUI {

namespace {

uint32_t readU32(const unsigned char* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
uint16_t readU16(const unsigned char* p) { return uint16_t(p[0] | (p[1] << 8)); }

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderMinSize = 40;
constexpr int32_t kMaxDimension = 16384;  // refuses absurd headers

}  // namespace

// Windows resources hold the image without the file header ("BM..."), BMP
// files with it; both are accepted. Only uncompressed 24- and 32-bit
// images (BI_RGB, or BI_BITFIELDS with the standard masks) are used.
bool decodeBmp(const unsigned char* bytes, std::size_t size, CPixelBuffer& out) {
    if (!bytes || size < kInfoHeaderMinSize) return false;
    size_t infoOffset = 0;
    size_t pixelOffset = 0;
    if (bytes[0] == 'B' && bytes[1] == 'M') {
        if (size < kFileHeaderSize + kInfoHeaderMinSize) return false;
        infoOffset = kFileHeaderSize;
        pixelOffset = readU32(bytes + 10);
    }
    const unsigned char* info = bytes + infoOffset;
    const uint32_t headerSize = readU32(info);
    if (headerSize < kInfoHeaderMinSize || infoOffset + headerSize > size) return false;
    const int32_t width = static_cast<int32_t>(readU32(info + 4));
    const int32_t rawHeight = static_cast<int32_t>(readU32(info + 8));
    const uint16_t bitCount = readU16(info + 14);
    const uint32_t compression = readU32(info + 16);
    if (bitCount != 24 && bitCount != 32) return false;
    if (compression != 0 && !(compression == 3 && bitCount == 32)) return false;
    const bool topDown = rawHeight < 0;
    const int32_t height = topDown ? -rawHeight : rawHeight;
    if (width <= 0 || height <= 0 || width > kMaxDimension || height > kMaxDimension) return false;
    if (pixelOffset == 0) pixelOffset = infoOffset + headerSize + (compression == 3 ? 12 : 0);

    const size_t bytesPerPixel = bitCount / 8;
    const size_t stride = (static_cast<size_t>(width) * bytesPerPixel + 3) & ~size_t(3);
    if (pixelOffset > size || stride * height > size - pixelOffset) return false;

    out.resize(width, height);
    for (int32_t y = 0; y < height; ++y) {
        const int32_t srcRow = topDown ? y : height - 1 - y;
        const unsigned char* s = bytes + pixelOffset + stride * srcRow;
        uint32_t* d = out.row(y);
        for (int32_t x = 0; x < width; ++x, s += bytesPerPixel)
            d[x] = 0xFF000000u | (uint32_t(s[2]) << 16) | (uint32_t(s[1]) << 8) | s[0];
    }
    return true;
}

}  // namespace VSTGUI
