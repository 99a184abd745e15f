#include "gui/cparamdisplay.h"

#include <cstdio>

#include "gui/cbitmap.h"
#include "gui/cdrawcontext.h"

namespace VSTGUI {

CParamDisplay::CParamDisplay(const CRect& size, CBitmap* background, long style)
    : CControl(size, nullptr, 0, background), style_(style) {
    if (background) setTransparency(false);
}

void CParamDisplay::setFont(CFont font, CCoord sizePx, long textFace) {
    font_ = font;
    fontSize_ = sizePx;
    textFace_ = textFace;
    setDirty(true);
}

void CParamDisplay::setStringConvert(void (*convert)(float, char*)) {
    stringConvert_ = convert;
    setDirty(true);
}

void CParamDisplay::setValueToStringProc(CParamDisplayValueToStringProc proc, void* userData) {
    valueToString_ = proc;
    valueToStringUserData_ = userData;
    setDirty(true);
}

std::string CParamDisplay::getDisplayText() const {
    char text[256] = {0};
    if (valueToString_)
        valueToString_(value_, text, valueToStringUserData_);
    else if (stringConvert_)
        stringConvert_(value_, text);
    else
        std::snprintf(text, sizeof text, "%2.2f", value_);
    text[255] = 0;
    return text;
}

void CParamDisplay::applyFont(CDrawContext* context) const {
    context->setFont(font_, fontSize_, textFace_);
}

void CParamDisplay::draw(CDrawContext* context) {
    if (style_ & kNoDrawStyle) {
        setDirty(false);
        return;
    }
    drawBackground(context);
    if (!(style_ & kNoTextStyle)) drawText(context, getDisplayText().c_str());
    setDirty(false);
}

void CParamDisplay::drawBackground(CDrawContext* context) {
    if (background_) {
        if (transparent_)
            background_->drawTransparent(context, size_, backOffset_);
        else
            background_->draw(context, size_, backOffset_);
    } else if (!transparent_ && !textTransparent_) {
        context->setFillColor(backColor_);
        context->fillRect(size_);
    }
    if (!(style_ & (k3DIn | k3DOut | kNoFrame)) && !background_ && !transparent_ &&
        !textTransparent_) {
        context->setFrameColor(frameColor_);
        context->drawRect(size_);
    }
}

void CParamDisplay::drawText(CDrawContext* context, const char* text) {
    if (!text || !*text) return;
    applyFont(context);
    CRect textRect = size_;
    textRect.inset(textInset_, 0);
    if (style_ & kShadowText) {
        CRect shadow = textRect;
        shadow.offset(1, 1);
        context->setFontColor(shadowColor_);
        context->drawString(text, shadow, false, horiAlign_);
    }
    context->setFontColor(fontColor_);
    context->drawString(text, textRect, false, horiAlign_);
}

}  // namespace VSTGUI
