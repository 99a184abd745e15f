// A bitmap in memory, loaded from a 24-bit (or 32-bit) BMP image by
// resource id through the process-wide resource provider, or created
// blank. Reference counted: the creator holds one reference; views that
// use a bitmap remember it.
#pragma once

#include <cstddef>
#include <functional>

#include "gui/ccolor.h"
#include "gui/cgeometry.h"
#include "gui/cpixelbuffer.h"
#include "gui/creferencecounter.h"

namespace VSTGUI {

class CDrawContext;

// Returns the bytes of the BMP image for a resource id (with or without the
// 14-byte file header) and its size, or null when the id is unknown.
using BitmapResourceProvider = std::function<const unsigned char*(long id, std::size_t* size)>;
void setBitmapResourceProvider(BitmapResourceProvider provider);

// Parses a BMP image (24- or 32-bit, bottom-up or top-down, with or without
// file header) into `out`; false on malformed data.
bool decodeBmp(const unsigned char* bytes, std::size_t size, CPixelBuffer& out);

class CBitmap : public CReferenceCounter {
public:
    // Loads resource `resourceID`; isLoaded() says whether it worked.
    explicit CBitmap(long resourceID);
    // A blank (black) bitmap.
    CBitmap(CCoord width, CCoord height);
    // Decodes BMP bytes held by the caller.
    CBitmap(const unsigned char* bmpBytes, std::size_t size);
    ~CBitmap() override;

    CCoord getWidth() const { return pixels_.getWidth(); }
    CCoord getHeight() const { return pixels_.getHeight(); }
    bool isLoaded() const { return !pixels_.empty(); }
    long getResourceID() const { return resourceID_; }

    // Draws the part of the bitmap starting at `offset` into `rect` (in the
    // context's coordinates). The plain draw honours the transparency flag.
    virtual void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint());
    // Skips pixels of the transparent colour.
    virtual void drawTransparent(CDrawContext* context, const CRect& rect,
                                 const CPoint& offset = CPoint());
    // Blends with constant opacity `alpha` (255 = opaque); honours the
    // colour key when transparency is enabled.
    virtual void drawAlphaBlend(CDrawContext* context, const CRect& rect,
                                const CPoint& offset = CPoint(), unsigned char alpha = 128);

    // Sets the colour key and enables transparency.
    void setTransparentColor(const CColor& color);
    CColor getTransparentColor() const { return transparentColor_; }
    void setTransparencyEnabled(bool enabled) { transparencyEnabled_ = enabled; }
    bool getTransparencyEnabled() const { return transparencyEnabled_; }
    // Opaque copy only (the "no alpha" mode of the original API).
    void setNoAlpha(bool noAlpha) { transparencyEnabled_ = !noAlpha; }
    bool getNoAlpha() const { return !transparencyEnabled_; }

    CPixelBuffer& getPixels() { return pixels_; }
    const CPixelBuffer& getPixels() const { return pixels_; }

private:
    long resourceID_ = -1;
    CPixelBuffer pixels_;
    CColor transparentColor_ = kColorKeyGreen;
    bool transparencyEnabled_ = false;
};

}  // namespace VSTGUI
