#include "gui/coffscreencontext.h"

#include "gui/cbitmap.h"

namespace VSTGUI {

COffscreenContext::COffscreenContext(CFrame* frame, CCoord width, CCoord height,
                                     const CColor& background)
    : CDrawContext(frame, &pixels_) {
    pixels_.resize(width, height, background);
    resetClipRect();
}

COffscreenContext::COffscreenContext(CFrame* frame, const CBitmap& bitmap)
    : CDrawContext(frame, &pixels_) {
    pixels_ = bitmap.getPixels();
    resetClipRect();
}

void COffscreenContext::copyFrom(CDrawContext* dest, const CRect& destRect,
                                 const CPoint& srcOffset) {
    if (dest) dest->blit(pixels_, destRect, srcOffset, BlitMode::kOpaque);
}

}  // namespace VSTGUI
