// A 32-bit pixel surface in memory, rows top to bottom, pixels packed as
// 0xAARRGGBB (alpha 0xFF for everything the renderer writes). This is what
// every view draws into and what platform back ends copy to the screen.
#pragma once

#include <cstdint>
#include <vector>

#include "gui/ccolor.h"
#include "gui/cgeometry.h"

namespace VSTGUI {

class CPixelBuffer {
public:
    CPixelBuffer() = default;
    CPixelBuffer(int width, int height, CColor fill = kBlackCColor) { resize(width, height, fill); }

    void resize(int width, int height, CColor fill = kBlackCColor);
    int getWidth() const { return width_; }
    int getHeight() const { return height_; }
    CRect bounds() const { return CRect(0, 0, width_, height_); }
    bool empty() const { return width_ <= 0 || height_ <= 0; }

    uint32_t* row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
    const uint32_t* row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
    uint32_t* data() { return pixels_.data(); }
    const uint32_t* data() const { return pixels_.data(); }

    // Bounds-checked access; reading outside gives transparent black.
    uint32_t getPixel(int x, int y) const;
    CColor getColor(int x, int y) const { return CColor::fromArgb(getPixel(x, y)); }
    void setPixel(int x, int y, uint32_t argb);
    void fill(CColor c) { fillRect(bounds(), c); }
    void fillRect(const CRect& r, CColor c);  // opaque store, no blending

    // Copies `src` (clipped to both buffers) with its top-left at `dest`.
    void copyFrom(const CPixelBuffer& src, const CRect& srcRect, CPoint dest);

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
};

}  // namespace VSTGUI
