#include "gui/cdrawcontext.h"

#include <algorithm>
#include <cstdlib>

#include "gui/cframe.h"

namespace VSTGUI {

namespace {

inline uint32_t mix(uint32_t dst, uint32_t src, unsigned alpha) {
    const unsigned inv = 255 - alpha;
    const unsigned r = (((src >> 16) & 0xff) * alpha + ((dst >> 16) & 0xff) * inv + 127) / 255;
    const unsigned g = (((src >> 8) & 0xff) * alpha + ((dst >> 8) & 0xff) * inv + 127) / 255;
    const unsigned b = ((src & 0xff) * alpha + (dst & 0xff) * inv + 127) / 255;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

}  // namespace

CDrawContext::CDrawContext(CFrame* frame, CPixelBuffer* target) : frame_(frame), target_(target) {
    resetClipRect();
    setFont(kSystemFont);
}

void CDrawContext::setAbsoluteClipRect(const CRect& clip) {
    clip_ = clip;
    if (target_) clip_.bound(target_->bounds());
}

void CDrawContext::setClipRect(const CRect& clip) {
    CRect abs = clip;
    abs.offset(offset_.h, offset_.v);
    setAbsoluteClipRect(abs);
}

CRect& CDrawContext::getClipRect(CRect& clip) const {
    clip = clip_;
    clip.offset(-offset_.h, -offset_.v);
    return clip;
}

CRect CDrawContext::getClipRect() const {
    CRect clip;
    return getClipRect(clip);
}

void CDrawContext::resetClipRect() { clip_ = target_ ? target_->bounds() : CRect(); }

void CDrawContext::setFont(CFont font, CCoord size, long style) {
    font_ = font;
    fontSize_ = size > 0 ? size : getDefaultFontSize(font);
    fontStyle_ = style;
    face_ = selectFont(font, fontSize_, style);
}

void CDrawContext::blendPixel(int x, int y, const CColor& c) {
    if (!target_ || !clip_.pointInside(CPoint(x, y))) return;
    uint32_t& p = target_->row(y)[x];
    p = c.alpha == 255 ? c.toArgb() : mix(p, c.toArgb(), c.alpha);
}

void CDrawContext::fillAbsolute(const CRect& absRect, const CColor& c) {
    if (!target_ || c.alpha == 0) return;
    CRect r = absRect;
    r.bound(clip_);
    for (int y = r.top; y < r.bottom; ++y) {
        uint32_t* row = target_->row(y);
        for (int x = r.left; x < r.right; ++x)
            row[x] = c.alpha == 255 ? c.toArgb() : mix(row[x], c.toArgb(), c.alpha);
    }
}

void CDrawContext::drawPoint(const CPoint& p, const CColor& c) {
    blendPixel(p.h + offset_.h, p.v + offset_.v, c);
}

// Bresenham from the pen to `p`, stamping a square of the line width.
void CDrawContext::lineTo(const CPoint& p) {
    int x0 = pen_.h + offset_.h, y0 = pen_.v + offset_.v;
    const int x1 = p.h + offset_.h, y1 = p.v + offset_.v;
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    const int half = (lineWidth_ - 1) / 2;
    int err = dx + dy;
    for (;;) {
        if (lineWidth_ == 1)
            blendPixel(x0, y0, frameColor_);
        else
            fillAbsolute(CRect(x0 - half, y0 - half, x0 - half + lineWidth_, y0 - half + lineWidth_),
                         frameColor_);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x0 += sx; }
        if (e2 <= dx) { err += dx; y0 += sy; }
    }
    pen_ = p;
}

void CDrawContext::fillRect(const CRect& rect) {
    CRect abs = rect;
    abs.offset(offset_.h, offset_.v);
    fillAbsolute(abs, fillColor_);
}

void CDrawContext::drawRect(const CRect& rect, CDrawStyle style) {
    if (style != kDrawStroked) fillRect(rect);
    if (style == kDrawFilled) return;
    CRect abs = rect;
    abs.offset(offset_.h, offset_.v);
    const int w = std::min<int>(lineWidth_, std::max(1, std::min(abs.width(), abs.height())));
    fillAbsolute(CRect(abs.left, abs.top, abs.right, abs.top + w), frameColor_);
    fillAbsolute(CRect(abs.left, abs.bottom - w, abs.right, abs.bottom), frameColor_);
    fillAbsolute(CRect(abs.left, abs.top + w, abs.left + w, abs.bottom - w), frameColor_);
    fillAbsolute(CRect(abs.right - w, abs.top + w, abs.right, abs.bottom - w), frameColor_);
}

CCoord CDrawContext::getStringWidth(const char* text) const { return measureText(face_, text); }

void CDrawContext::drawString(const char* text, const CRect& rect, short opaque,
                              CHoriTxtAlign align) {
    if (!target_ || !text) return;
    if (opaque) fillRect(rect);
    CRect abs = rect;
    abs.offset(offset_.h, offset_.v);
    const int width = measureText(face_, text);
    int x = abs.left;
    if (align == kCenterText) x = abs.left + (abs.width() - width) / 2;
    if (align == kRightText) x = abs.right - width;
    const int textHeight = face_.ascent() + face_.descent();
    const int baseline = abs.top + (abs.height() - textHeight + 1) / 2 + face_.ascent();
    CRect clip = abs;
    clip.bound(clip_);
    renderText(*target_, clip, face_, text, CPoint(x, baseline), fontColor_);
}

long CDrawContext::getMouseButtons() { return frame_ ? frame_->getCurrentMouseButtons() : 0; }

void CDrawContext::getMouseLocation(CPoint& where) {
    where = CPoint();
    if (frame_) frame_->getCurrentMouseLocation(where);
    where.offset(-offset_.h, -offset_.v);
}

void CDrawContext::blit(const CPixelBuffer& src, const CRect& destRect, const CPoint& srcOffset,
                        BlitMode mode, CColor key, uint8_t alpha) {
    if (!target_) return;
    CRect dst = destRect;
    dst.offset(offset_.h, offset_.v);
    // Source area the destination maps onto, clipped to the source.
    const int sx0 = srcOffset.h - dst.left, sy0 = srcOffset.v - dst.top;
    CRect srcArea(dst.left + sx0, dst.top + sy0, dst.right + sx0, dst.bottom + sy0);
    srcArea.bound(src.bounds());
    CRect area(srcArea.left - sx0, srcArea.top - sy0, srcArea.right - sx0, srcArea.bottom - sy0);
    area.bound(clip_);
    const uint32_t keyRgb = key.toArgb() & 0x00FFFFFFu;
    const bool keyed = mode == BlitMode::kColorKey || mode == BlitMode::kAlphaKeyed;
    const bool blended = mode == BlitMode::kAlpha || mode == BlitMode::kAlphaKeyed;
    for (int y = area.top; y < area.bottom; ++y) {
        const uint32_t* s = src.row(y + sy0) + sx0;
        uint32_t* d = target_->row(y);
        for (int x = area.left; x < area.right; ++x) {
            const uint32_t p = s[x];
            if (keyed && (p & 0x00FFFFFFu) == keyRgb) continue;
            d[x] = blended ? mix(d[x], p, alpha) : (p | 0xFF000000u);
        }
    }
}

}  // namespace VSTGUI
