#include "gui/png/png_io.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace VSTGUI {

namespace {

struct File {
    explicit File(FILE* f) : f(f) {}
    ~File() {
        if (f) std::fclose(f);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    FILE* f;
};

// Failures end in the setjmp of the caller, without printing.
void quietError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void quietWarning(png_structp, png_const_charp) {}

}  // namespace

bool writePng(const CPixelBuffer& pixels, const std::string& path) {
    if (pixels.empty()) return false;
    File file(std::fopen(path.c_str(), "wb"));
    if (!file.f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, quietError, quietWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    std::vector<unsigned char> row(static_cast<size_t>(pixels.getWidth()) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.f);
    png_set_IHDR(png, info, pixels.getWidth(), pixels.getHeight(), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < pixels.getHeight(); ++y) {
        const uint32_t* src = pixels.row(y);
        for (int x = 0; x < pixels.getWidth(); ++x) {
            row[x * 3 + 0] = (src[x] >> 16) & 0xff;
            row[x * 3 + 1] = (src[x] >> 8) & 0xff;
            row[x * 3 + 2] = src[x] & 0xff;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool readPng(const std::string& path, CPixelBuffer& out) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file.f) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, quietError, quietWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    std::vector<unsigned char> row;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, file.f);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_strip_alpha(png);
    png_read_update_info(png, info);
    const int width = static_cast<int>(png_get_image_width(png, info));
    const int height = static_cast<int>(png_get_image_height(png, info));
    row.resize(png_get_rowbytes(png, info));
    out.resize(width, height);
    for (int y = 0; y < height; ++y) {
        png_read_row(png, row.data(), nullptr);
        uint32_t* dst = out.row(y);
        for (int x = 0; x < width; ++x)
            dst[x] = 0xFF000000u | (uint32_t(row[x * 3]) << 16) | (uint32_t(row[x * 3 + 1]) << 8) |
                     row[x * 3 + 2];
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace VSTGUI
