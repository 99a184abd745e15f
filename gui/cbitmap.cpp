#include "gui/cbitmap.h"

#include <utility>

#include "gui/cdrawcontext.h"

namespace VSTGUI {

namespace {

BitmapResourceProvider& resourceProvider() {
    static BitmapResourceProvider provider;
    return provider;
}

}  // namespace

void setBitmapResourceProvider(BitmapResourceProvider provider) {
    resourceProvider() = std::move(provider);
}

CBitmap::CBitmap(long resourceID) : resourceID_(resourceID) {
    const BitmapResourceProvider& provider = resourceProvider();
    if (!provider) return;
    std::size_t size = 0;
    const unsigned char* bytes = provider(resourceID, &size);
    if (bytes && !decodeBmp(bytes, size, pixels_)) pixels_.resize(0, 0);
}

CBitmap::CBitmap(CCoord width, CCoord height) { pixels_.resize(width, height, kBlackCColor); }

CBitmap::CBitmap(const unsigned char* bmpBytes, std::size_t size) {
    if (!decodeBmp(bmpBytes, size, pixels_)) pixels_.resize(0, 0);
}

CBitmap::~CBitmap() = default;

void CBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint& offset) {
    if (transparencyEnabled_) {
        drawTransparent(context, rect, offset);
        return;
    }
    if (context && isLoaded()) context->blit(pixels_, rect, offset, BlitMode::kOpaque);
}

void CBitmap::drawTransparent(CDrawContext* context, const CRect& rect, const CPoint& offset) {
    if (context && isLoaded())
        context->blit(pixels_, rect, offset, BlitMode::kColorKey, transparentColor_);
}

void CBitmap::drawAlphaBlend(CDrawContext* context, const CRect& rect, const CPoint& offset,
                             unsigned char alpha) {
    if (!context || !isLoaded()) return;
    context->blit(pixels_, rect, offset,
                  transparencyEnabled_ ? BlitMode::kAlphaKeyed : BlitMode::kAlpha,
                  transparentColor_, alpha);
}

void CBitmap::setTransparentColor(const CColor& color) {
    transparentColor_ = color;
    transparencyEnabled_ = true;
}

}  // namespace VSTGUI
