#include "plot_png.h"

#include <png.h>

#include <cmath>
#include <cstdio>

namespace solva {
namespace {

constexpr int kWidth = 900;
constexpr int kHeight = 480;
constexpr int kLeft = 50, kRight = 20, kTop = 20, kBottom = 30;

struct Canvas {
    std::vector<unsigned char> px = std::vector<unsigned char>(kWidth * kHeight * 3, 255);
    void set(int x, int y, unsigned rgb) {
        if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return;
        unsigned char* p = &px[(y * kWidth + x) * 3];
        p[0] = (rgb >> 16) & 255;
        p[1] = (rgb >> 8) & 255;
        p[2] = rgb & 255;
    }
    void line(double x0, double y0, double x1, double y1, unsigned rgb) {
        const int steps = static_cast<int>(std::fmax(std::fabs(x1 - x0), std::fabs(y1 - y0))) + 1;
        for (int i = 0; i <= steps; ++i) {
            const double t = static_cast<double>(i) / steps;
            const int x = static_cast<int>(std::lround(x0 + (x1 - x0) * t));
            const int y = static_cast<int>(std::lround(y0 + (y1 - y0) * t));
            set(x, y, rgb);
            set(x, y + 1, rgb);
        }
    }
};

}  // namespace

bool writeResponsePlot(const std::string& path, const std::string& title, const std::vector<PlotCurve>& curves,
                       double minDb, double maxDb, double minHz, double maxHz) {
    (void)title;
    Canvas c;
    const double plotW = kWidth - kLeft - kRight, plotH = kHeight - kTop - kBottom;
    auto xOf = [&](double f) { return kLeft + plotW * std::log(f / minHz) / std::log(maxHz / minHz); };
    auto yOf = [&](double db) { return kTop + plotH * (maxDb - db) / (maxDb - minDb); };
    // Grid: decades and 1-2-5 steps in frequency, every 3 or 6 dB in level.
    for (double dec = 10.0; dec <= maxHz; dec *= 10.0)
        for (double m : {1.0, 2.0, 5.0}) {
            const double f = dec * m;
            if (f < minHz || f > maxHz) continue;
            const unsigned rgb = m == 1.0 ? 0x999999u : 0xDDDDDDu;
            c.line(xOf(f), kTop, xOf(f), kTop + plotH, rgb);
        }
    const double stepDb = (maxDb - minDb) > 40.0 ? 12.0 : 3.0;
    for (double db = std::ceil(minDb / stepDb) * stepDb; db <= maxDb; db += stepDb)
        c.line(kLeft, yOf(db), kLeft + plotW, yOf(db), db == 0.0 ? 0x777777u : 0xDDDDDDu);
    c.line(kLeft, kTop, kLeft, kTop + plotH, 0x000000u);
    c.line(kLeft, kTop + plotH, kLeft + plotW, kTop + plotH, 0x000000u);
    for (const PlotCurve& curve : curves)
        for (size_t i = 1; i < curve.freqHz.size(); ++i) {
            auto clampY = [&](double db) { return yOf(std::fmin(maxDb, std::fmax(minDb, db))); };
            c.line(xOf(curve.freqHz[i - 1]), clampY(curve.valueDb[i - 1]), xOf(curve.freqHz[i]),
                   clampY(curve.valueDb[i]), curve.rgb);
        }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < kHeight; ++y) png_write_row(png, &c.px[static_cast<size_t>(y) * kWidth * 3]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return true;
}

}  // namespace solva
