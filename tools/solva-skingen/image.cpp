#include "image.h"

#include <algorithm>
#include <cmath>

namespace skingen {

Rgba hex(std::uint32_t rgb, float alpha) {
    return Rgba{static_cast<float>((rgb >> 16) & 0xFF) / 255.0f,
                static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
                static_cast<float>(rgb & 0xFF) / 255.0f, alpha};
}

Rgba mix(const Rgba& a, const Rgba& b, float t) {
    return Rgba{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
                a.a + (b.a - a.a) * t};
}

Rgba withAlpha(const Rgba& c, float alpha) { return Rgba{c.r, c.g, c.b, alpha}; }

Rgba scaled(const Rgba& c, float factor) {
    return Rgba{std::min(1.0f, c.r * factor), std::min(1.0f, c.g * factor),
                std::min(1.0f, c.b * factor), c.a};
}

Image::Image(int width, int height, Rgba fill)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

void Image::fill(const Rgba& c) { std::fill(pixels_.begin(), pixels_.end(), c); }

void Image::blend(int x, int y, const Rgba& c, float coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    const float sa = std::clamp(c.a * coverage, 0.0f, 1.0f);
    if (sa <= 0.0f) return;
    Rgba& d = pixels_[index(x, y)];
    const float outA = sa + d.a * (1.0f - sa);
    if (outA <= 0.0f) return;
    const float keep = d.a * (1.0f - sa);
    d.r = (c.r * sa + d.r * keep) / outA;
    d.g = (c.g * sa + d.g * keep) / outA;
    d.b = (c.b * sa + d.b * keep) / outA;
    d.a = outA;
}

void Image::fillShape(float x0, float y0, float x1, float y1, const DistanceFn& dist,
                      const ShaderFn& shader) {
    const int ix0 = std::max(0, static_cast<int>(std::floor(x0)) - 1);
    const int iy0 = std::max(0, static_cast<int>(std::floor(y0)) - 1);
    const int ix1 = std::min(width_, static_cast<int>(std::ceil(x1)) + 1);
    const int iy1 = std::min(height_, static_cast<int>(std::ceil(y1)) + 1);
    for (int y = iy0; y < iy1; ++y) {
        for (int x = ix0; x < ix1; ++x) {
            const float px = static_cast<float>(x) + 0.5f;
            const float py = static_cast<float>(y) + 0.5f;
            const float coverage = std::clamp(0.5f - dist(px, py), 0.0f, 1.0f);
            if (coverage > 0.0f) blend(x, y, shader(px, py), coverage);
        }
    }
}

void Image::fillShape(float x0, float y0, float x1, float y1, const DistanceFn& dist,
                      const Rgba& colour) {
    fillShape(x0, y0, x1, y1, dist, [&colour](float, float) { return colour; });
}

void Image::draw(const Image& src, int dx, int dy) {
    drawPart(src, 0, 0, src.width(), src.height(), dx, dy);
}

void Image::drawPart(const Image& src, int sx, int sy, int w, int h, int dx, int dy) {
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Rgba& c = src.at(sx + x, sy + y);
            blend(dx + x, dy + y, c, 1.0f);
        }
    }
}

Image Image::downsampled(int factor) const {
    Image out(width_ / factor, height_ / factor);
    const float n = static_cast<float>(factor * factor);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            // Average premultiplied colour so transparent samples do not darken edges.
            float r = 0, g = 0, b = 0, a = 0;
            for (int j = 0; j < factor; ++j) {
                for (int i = 0; i < factor; ++i) {
                    const Rgba& s = at(x * factor + i, y * factor + j);
                    r += s.r * s.a;
                    g += s.g * s.a;
                    b += s.b * s.a;
                    a += s.a;
                }
            }
            Rgba& d = out.at(x, y);
            d.a = a / n;
            if (a > 0.0f) {
                d.r = r / a;
                d.g = g / a;
                d.b = b / a;
            }
        }
    }
    return out;
}

}  // namespace skingen
