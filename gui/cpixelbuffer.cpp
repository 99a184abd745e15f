#include "gui/cpixelbuffer.h"

#include <algorithm>

namespace VSTGUI {

void CPixelBuffer::resize(int width, int height, CColor fill) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    pixels_.assign(static_cast<size_t>(width_) * height_, fill.toArgb());
}

uint32_t CPixelBuffer::getPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return row(y)[x];
}

void CPixelBuffer::setPixel(int x, int y, uint32_t argb) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    row(y)[x] = argb;
}

void CPixelBuffer::fillRect(const CRect& r, CColor c) {
    CRect clipped = r;
    clipped.bound(bounds());
    const uint32_t p = c.toArgb();
    for (int y = clipped.top; y < clipped.bottom; ++y)
        std::fill(row(y) + clipped.left, row(y) + clipped.right, p);
}

void CPixelBuffer::copyFrom(const CPixelBuffer& src, const CRect& srcRect, CPoint dest) {
    CRect s = srcRect;
    s.bound(src.bounds());
    dest.offset(s.left - srcRect.left, s.top - srcRect.top);
    CRect d(dest.h, dest.v, dest.h + s.width(), dest.v + s.height());
    d.bound(bounds());
    s.offset(d.left - dest.h, d.top - dest.v);
    for (int y = 0; y < d.height(); ++y)
        std::copy(src.row(s.top + y) + s.left, src.row(s.top + y) + s.left + d.width(),
                  row(d.top + y) + d.left);
}

}  // namespace VSTGUI
