// Drawing onto a pixel buffer: lines, rectangles, text and bitmap blits,
// with a clip rectangle and a coordinate offset. Views draw in their
// parent's coordinates; containers move the offset to their origin before
// drawing children.
#pragma once

#include <cstdint>

#include "gui/ccolor.h"
#include "gui/cfont.h"
#include "gui/cgeometry.h"
#include "gui/cpixelbuffer.h"
#include "gui/creferencecounter.h"

namespace VSTGUI {

class CFrame;

enum CDrawStyle {
    kDrawStroked = 0,
    kDrawFilled,
    kDrawFilledAndStroked,
};

// How a bitmap blit treats source pixels.
enum class BlitMode {
    kOpaque,      // copy
    kColorKey,    // skip pixels equal to the key colour
    kAlpha,       // blend with constant alpha
    kAlphaKeyed,  // blend with constant alpha, skip the key colour
};

class CDrawContext : public CReferenceCounter {
public:
    // `frame` answers mouse queries (may be null); `target` is not owned.
    CDrawContext(CFrame* frame, CPixelBuffer* target);

    CFrame* getFrame() const { return frame_; }
    CPixelBuffer* getBuffer() const { return target_; }

    // Translation from drawing coordinates to buffer pixels.
    void setOffset(const CPoint& offset) { offset_ = offset; }
    CPoint getOffset() const { return offset_; }

    // Clip rectangle in drawing coordinates (kept inside the buffer).
    void setClipRect(const CRect& clip);
    CRect& getClipRect(CRect& clip) const;
    CRect getClipRect() const;
    void resetClipRect();
    // Clip in buffer pixels (what the primitives test against).
    const CRect& getAbsoluteClipRect() const { return clip_; }
    void setAbsoluteClipRect(const CRect& clip);

    void setFrameColor(const CColor& c) { frameColor_ = c; }
    CColor getFrameColor() const { return frameColor_; }
    void setFillColor(const CColor& c) { fillColor_ = c; }
    CColor getFillColor() const { return fillColor_; }
    void setFontColor(const CColor& c) { fontColor_ = c; }
    CColor getFontColor() const { return fontColor_; }
    void setLineWidth(CCoord width) { lineWidth_ = width < 1 ? 1 : width; }
    CCoord getLineWidth() const { return lineWidth_; }

    // size 0 = the font id's default size; style = CTxtFace bits.
    void setFont(CFont font, CCoord size = 0, long style = 0);
    CFont getFont() const { return font_; }
    CCoord getFontSize() const { return fontSize_; }
    long getFontStyle() const { return fontStyle_; }
    const CFontFace& getFontFace() const { return face_; }

    void moveTo(const CPoint& p) { pen_ = p; }
    void lineTo(const CPoint& p);  // frame colour, line width; includes both ends
    void drawLine(const CPoint& from, const CPoint& to) { moveTo(from); lineTo(to); }
    void drawPoint(const CPoint& p, const CColor& c);
    // Stroked: the frame colour along the inside edge; filled: fill colour.
    void drawRect(const CRect& rect, CDrawStyle style = kDrawStroked);
    void fillRect(const CRect& rect);

    // One line of text in the font colour, vertically centred in `rect`,
    // clipped to `rect` and the clip; `opaque` fills `rect` first.
    void drawString(const char* text, const CRect& rect, short opaque = false,
                    CHoriTxtAlign align = kCenterText);
    CCoord getStringWidth(const char* text) const;

    // Current mouse buttons/modifiers (CButton bits) and pointer position
    // in this context's drawing coordinates (from the frame's window).
    long getMouseButtons();
    void getMouseLocation(CPoint& where);

    // Copies `destRect` from `src` starting at `srcOffset` (CBitmap uses it).
    void blit(const CPixelBuffer& src, const CRect& destRect, const CPoint& srcOffset,
              BlitMode mode, CColor key = kColorKeyGreen, uint8_t alpha = 255);

private:
    void blendPixel(int x, int y, const CColor& c);
    void fillAbsolute(const CRect& absRect, const CColor& c);

    CFrame* frame_;
    CPixelBuffer* target_;
    CPoint offset_;
    CRect clip_;
    CPoint pen_;
    CColor frameColor_ = kBlackCColor;
    CColor fillColor_ = kWhiteCColor;
    CColor fontColor_ = kBlackCColor;
    CCoord lineWidth_ = 1;
    CFont font_ = kSystemFont;
    CCoord fontSize_ = 0;
    long fontStyle_ = 0;
    CFontFace face_;
};

}  // namespace VSTGUI
