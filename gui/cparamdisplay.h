// A control that shows its value as text over its background: font, font
// colour, back colour, frame colour, alignment and style flags. A
// value-to-text function replaces the default "%2.2f" formatting.
#pragma once

#include <string>

#include "gui/ccolor.h"
#include "gui/ccontrol.h"
#include "gui/cfont.h"

namespace VSTGUI {

// Style flags shared by the text controls and menus.
enum CParamDisplayStyle : long {
    kShadowText = 1 << 2,
    k3DIn = 1 << 3,
    k3DOut = 1 << 4,
    kPopupStyle = 1 << 5,
    kCheckStyle = 1 << 6,
    kMultipleCheckStyle = 1 << 7,
    kNoFrame = 1 << 8,
    kNumberedStyle = 1 << 9,  // menus: entries shown with their number
    kNoTextStyle = 1 << 11,
    kNoDrawStyle = 1 << 12,
};

using CParamDisplayValueToStringProc = void (*)(float value, char* string, void* userData);

class CParamDisplay : public CControl {
public:
    CParamDisplay(const CRect& size, CBitmap* background = nullptr, long style = 0);

    void setFont(CFont font, CCoord sizePx = 0, long textFace = 0);
    CFont getFont() const { return font_; }
    CCoord getFontSize() const { return fontSize_; }
    long getTextFace() const { return textFace_; }
    void setFontColor(const CColor& c) { fontColor_ = c; setDirty(true); }
    CColor getFontColor() const { return fontColor_; }
    void setBackColor(const CColor& c) { backColor_ = c; setDirty(true); }
    CColor getBackColor() const { return backColor_; }
    void setFrameColor(const CColor& c) { frameColor_ = c; setDirty(true); }
    CColor getFrameColor() const { return frameColor_; }
    void setShadowColor(const CColor& c) { shadowColor_ = c; }
    void setHoriAlign(CHoriTxtAlign align) { horiAlign_ = align; setDirty(true); }
    CHoriTxtAlign getHoriAlign() const { return horiAlign_; }
    void setStyle(long style) { style_ = style; setDirty(true); }
    long getStyle() const { return style_; }
    // Text drawn without filling the back colour.
    void setTextTransparency(bool transparent) { textTransparent_ = transparent; }
    bool getTextTransparency() const { return textTransparent_; }
    // Horizontal inset of the text from the rectangle's sides, pixels.
    void setTextInset(CCoord inset) { textInset_ = inset; }

    // string receives at most 255 characters plus the terminator.
    void setStringConvert(void (*convert)(float value, char* string));
    void setValueToStringProc(CParamDisplayValueToStringProc proc, void* userData = nullptr);
    // The text the display shows for its current value.
    virtual std::string getDisplayText() const;

    void draw(CDrawContext* context) override;

protected:
    // Background: bitmap, else the back colour unless transparent; frame.
    virtual void drawBackground(CDrawContext* context);
    virtual void drawText(CDrawContext* context, const char* text);
    void applyFont(CDrawContext* context) const;

    CFont font_ = kNormalFont;
    CCoord fontSize_ = 0;
    long textFace_ = 0;
    CColor fontColor_ = kWhiteCColor;
    CColor backColor_ = kBlackCColor;
    CColor frameColor_ = kBlackCColor;
    CColor shadowColor_ = kGreyCColor;
    CHoriTxtAlign horiAlign_ = kCenterText;
    long style_;
    bool textTransparent_ = false;
    CCoord textInset_ = 2;
    void (*stringConvert_)(float, char*) = nullptr;
    CParamDisplayValueToStringProc valueToString_ = nullptr;
    void* valueToStringUserData_ = nullptr;
};

}  // namespace VSTGUI
