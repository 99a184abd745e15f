#include "editor/ckick.h"

#include <algorithm>
#include <cmath>

#include "gui/cbitmap.h"

namespace solva {

using namespace VSTGUI;

CKick::CKick(const CRect& size, CControlListener* listener, long tag, CCoord imageHeight, CBitmap* strip)
    : CKickButton(size, listener, tag, imageHeight, strip) {
    setImage(0, strip);
    value_ = kReleased;
}

long CKick::getImageIndex() const {
    const float value = std::min(kPressed, std::max(kReleased, value_));
    const long index = static_cast<long>(std::floor(2.0f * value));
    return inverse_ ? 1 - index : index;
}

void CKick::draw(CDrawContext* context) {
    drawImage(context, getImageIndex());
    setDirty(false);
}

CMouseEventResult CKick::onMouseDown(CPoint&, const long& buttons) {
    if (!mouseEnabled_ || !(buttons & (kLButton | kRButton | kShift))) return kMouseEventNotHandled;
    tracking_ = true;
    beginEdit();
    if (value_ != kPressed) {
        value_ = kPressed;
        setDirty(true);
        notifyValueChanged();
    }
    return kMouseEventHandled;
}

CMouseEventResult CKick::onMouseMoved(CPoint&, const long&) { return kMouseEventHandled; }

CMouseEventResult CKick::onMouseUp(CPoint&, const long&) {
    if (!tracking_) return kMouseEventNotHandled;
    tracking_ = false;
    value_ = kReleased;
    setDirty(true);
    // The gesture is closed first: the command may detach this button's
    // overlay (and with it the way to the editor). The reference keeps the
    // button alive through the listener call.
    endEdit();
    remember();
    notifyValueChanged();
    forget();
    return kMouseEventHandled;
}

void CKick::updateValue(long, float value) {
    value_ = value;
    setDirty(true);
}

void CKick::selectImage(long, int variant) {
    if (variant < 0 || variant > 3) return;
    if (CBitmap* bitmap = image(variant)) setBackground(bitmap);
}

}  // namespace solva
