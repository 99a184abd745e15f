// A drawing context with its own pixel buffer: draw into it, then copy the
// result to another context (double buffering) or read its pixels.
#pragma once

#include "gui/cdrawcontext.h"

namespace VSTGUI {

class CBitmap;

namespace detail {
// Holds the pixels so that they exist before the CDrawContext base.
struct OffscreenPixels {
    CPixelBuffer pixels_;
};
}  // namespace detail

class COffscreenContext : private detail::OffscreenPixels, public CDrawContext {
public:
    COffscreenContext(CFrame* frame, CCoord width, CCoord height,
                      const CColor& background = kBlackCColor);
    // Starts with a copy of `bitmap`'s pixels.
    COffscreenContext(CFrame* frame, const CBitmap& bitmap);

    CCoord getWidth() const { return pixels_.getWidth(); }
    CCoord getHeight() const { return pixels_.getHeight(); }
    CPixelBuffer& getPixels() { return pixels_; }

    // Copies the area starting at `srcOffset` into `destRect` of `dest`.
    void copyFrom(CDrawContext* dest, const CRect& destRect, const CPoint& srcOffset = CPoint());
};

}  // namespace VSTGUI
