// RGBA float canvas with anti-aliased shape filling for the skin generator.
//
// Colours are display values in 0..1 (no gamma handling: the skin is drawn
// and judged in display space). Alpha marks coverage: pixels whose alpha
// stays near zero become the transparent key colour when the image is
// exported as a bitmap (see bitmap_export.h).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace skingen {

struct Rgba {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;
};

// 0xRRGGBB to an opaque colour.
Rgba hex(std::uint32_t rgb, float alpha = 1.0f);
Rgba mix(const Rgba& a, const Rgba& b, float t);
Rgba withAlpha(const Rgba& c, float alpha);
Rgba scaled(const Rgba& c, float factor);  // multiplies r, g, b

// Signed distance in pixels: negative inside the shape.
using DistanceFn = std::function<float(float x, float y)>;
// Colour of the shape at a pixel centre.
using ShaderFn = std::function<Rgba(float x, float y)>;

class Image {
public:
    Image() = default;
    Image(int width, int height, Rgba fill = Rgba{0, 0, 0, 0});

    int width() const { return width_; }
    int height() const { return height_; }
    const Rgba& at(int x, int y) const { return pixels_[index(x, y)]; }
    Rgba& at(int x, int y) { return pixels_[index(x, y)]; }

    void fill(const Rgba& c);
    // Source-over blend of colour c with extra coverage 0..1.
    void blend(int x, int y, const Rgba& c, float coverage);
    // Fills the pixels of the box [x0, x1) x [y0, y1) covered by the shape;
    // coverage is taken from the distance field (one-pixel ramp).
    void fillShape(float x0, float y0, float x1, float y1, const DistanceFn& dist,
                   const ShaderFn& shader);
    void fillShape(float x0, float y0, float x1, float y1, const DistanceFn& dist,
                   const Rgba& colour);
    // Copies src onto this image at (dx, dy) with source-over blending.
    void draw(const Image& src, int dx, int dy);
    // Copies a rectangle of src (sx, sy, w, h) to (dx, dy), blending.
    void drawPart(const Image& src, int sx, int sy, int w, int h, int dx, int dy);
    // Area-averaged reduction by an integer factor (for supersampled drawing).
    Image downsampled(int factor) const;

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgba> pixels_;
};

}  // namespace skingen
