#include "file_formats.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

namespace skingen {
namespace {

std::uint8_t toByte(float v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

void putLe16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void putLe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    putLe16(out, v & 0xFFFF);
    putLe16(out, v >> 16);
}

}  // namespace

std::vector<Rgb8> flattenForBitmap(const Image& img, const Rgba& matte) {
    std::vector<Rgb8> out;
    out.reserve(static_cast<std::size_t>(img.width()) * static_cast<std::size_t>(img.height()));
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const Rgba& p = img.at(x, y);
            if (p.a <= kTransparentAlpha) {
                out.push_back(Rgb8{0, 255, 0});
                continue;
            }
            const Rgba c = mix(matte, p, std::min(1.0f, p.a));
            Rgb8 px{toByte(c.r), toByte(c.g), toByte(c.b)};
            if (px.r == 0 && px.g == 255 && px.b == 0) px.g = 254;
            out.push_back(px);
        }
    }
    return out;
}

std::vector<std::uint8_t> encodeBmp(int width, int height, const std::vector<Rgb8>& pixels) {
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3u + 3u) & ~3u;
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height);
    const std::uint32_t offset = 14u + 40u;
    std::vector<std::uint8_t> out;
    out.reserve(offset + imageBytes);
    out.push_back('B');
    out.push_back('M');
    putLe32(out, offset + imageBytes);
    putLe32(out, 0);  // reserved
    putLe32(out, offset);
    putLe32(out, 40);  // BITMAPINFOHEADER size
    putLe32(out, static_cast<std::uint32_t>(width));
    putLe32(out, static_cast<std::uint32_t>(height));  // positive: bottom-up
    putLe16(out, 1);    // planes
    putLe16(out, 24);   // bits per pixel
    putLe32(out, 0);    // BI_RGB
    putLe32(out, imageBytes);
    putLe32(out, 2835);
    putLe32(out, 2835);
    putLe32(out, 0);
    putLe32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (int x = 0; x < width; ++x) {
            const Rgb8& p = pixels[row + static_cast<std::size_t>(x)];
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(width) * 3u; pad < rowBytes; ++pad) {
            out.push_back(0);
        }
    }
    return out;
}

bool writePng(const std::string& path, int width, int height, const std::vector<Rgb8>& pixels) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(static_cast<std::size_t>(width) * 3u);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb8& p = pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                   static_cast<std::size_t>(x)];
            row[static_cast<std::size_t>(x) * 3u] = p.r;
            row[static_cast<std::size_t>(x) * 3u + 1u] = p.g;
            row[static_cast<std::size_t>(x) * 3u + 2u] = p.b;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace skingen
