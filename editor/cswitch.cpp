#include "editor/cswitch.h"

#include <algorithm>
#include <cmath>

#include "editor/borvan_interface.h"
#include "gui/cbitmap.h"

namespace solva {

using namespace VSTGUI;

namespace {
constexpr long kPressBits = kLButton | kRButton | kShift;
constexpr long kFineBits = kRButton | kShift;
}  // namespace

CSwitch::CSwitch(const CRect& size, CControlListener* listener, long tag, long images, CCoord imageHeight,
                 CBitmap* strip)
    : CVerticalSwitch(size, listener, tag, images, imageHeight, images, strip) {
    setImage(0, strip);
    value_ = offValue();
}

float CSwitch::clampToImages(float value) const { return std::min(onValue(), std::max(offValue(), value)); }

long CSwitch::getImageIndex() const {
    const long n = subPixmaps_;
    long index = static_cast<long>(std::floor(clampToImages(value_) * float(n)));
    index = std::max(0L, std::min(n - 1, index));
    return inverseBitmap_ ? n - 1 - index : index;
}

void CSwitch::draw(CDrawContext* context) {
    drawImage(context, getImageIndex());
    setDirty(false);
}

void CSwitch::report(long buttons) {
    if (bridge()) bridge()->reportMouseState(static_cast<int>(buttons), static_cast<int>(tag_));
}

void CSwitch::setAndNotify(float value, bool always) {
    const float before = value_;
    value_ = value;
    if (value_ != before || always) {
        setDirty(true);
        notifyValueChanged();
    }
}

CMouseEventResult CSwitch::onMouseDown(CPoint&, const long& buttons) {
    if (!mouseEnabled_ || !(buttons & kPressBits)) return kMouseEventNotHandled;
    const long n = subPixmaps_;
    if (n == 2) {
        float value = value_ + 1.0f / float(n);
        if (value > onValue() + 1e-6f) value = offValue();
        setAndNotify(value, true);
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    report(buttons);
    startValue_ = value_;
    finePress_ = (buttons & kFineBits) != 0;
    tracking_ = true;
    beginEdit();
    if (finePress_)
        setAndNotify(startValue_ >= 0.5f ? offValue() : onValue(), false);
    else
        setAndNotify(0.5f, false);  // the pressed (middle) image
    return kMouseEventHandled;
}

CMouseEventResult CSwitch::onMouseMoved(CPoint&, const long& buttons) {
    if (tracking_ && buttons) report(buttons);
    return kMouseEventHandled;
}

CMouseEventResult CSwitch::onMouseUp(CPoint&, const long&) {
    if (!tracking_) return kMouseEventNotHandled;
    tracking_ = false;
    if (finePress_)
        setAndNotify(startValue_, true);  // momentary: back to the start state
    else
        setAndNotify(startValue_ >= 0.5f ? offValue() : onValue(), true);
    report(0);
    endEdit();
    return kMouseEventHandled;
}

void CSwitch::updateValue(long, float value) {
    value_ = clampToImages(value);
    setDirty(true);
}

void CSwitch::selectImage(long, int variant) {
    if (variant < 0 || variant > 3) return;
    if (CBitmap* bitmap = image(variant)) setBackground(bitmap);
}

// --- CLed ----------------------------------------------------------------------

CLed::CLed(const CRect& size, CControlListener* listener, long tag, long images, CCoord imageHeight,
           CBitmap* strip)
    : CSwitch(size, listener, tag, images, imageHeight, strip) {}

void CLed::draw(CDrawContext* context) {
    if (bridge()) value_ = clampToImages(bridge()->getLiveValue(static_cast<int>(tag_)));
    drawImage(context, getImageIndex());
    setDirty(false);
}

CMouseEventResult CLed::onMouseDown(CPoint&, const long& buttons) {
    if (!mouseEnabled_ || !(buttons & kPressBits)) return kMouseEventNotHandled;
    if (bridge()) bridge()->setValueAutomated(static_cast<int>(tag_), 0.0f);
    value_ = offValue();
    setDirty(true);
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void CLed::selectImage(long, int variant) {
    if (variant != 0 && variant != 1) return;
    if (CBitmap* bitmap = image(variant)) setBackground(bitmap);
    setDirty(false);
}

}  // namespace solva
