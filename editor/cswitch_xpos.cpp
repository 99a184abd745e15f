#include "editor/cswitch_xpos.h"

#include "editor/borvan_interface.h"
#include "gui/cbitmap.h"

namespace solva {

using namespace VSTGUI;

namespace {
constexpr long kPressBits = kLButton | kRButton | kShift;
constexpr long kFineBits = kRButton | kShift;
}  // namespace

CSwitchXPos::CSwitchXPos(const CRect& size, CControlListener* listener, long tag, long positions,
                         CCoord imageHeight, CBitmap* strip, bool horizontal)
    : CSwitch(size, listener, tag, positions, imageHeight, strip), horizontal_(horizontal) {}

// +1 moves one position up (towards 1), -1 one position down; held at the
// ends.
void CSwitchXPos::step(int direction) {
    const float stepSize = 1.0f / float(subPixmaps_);
    setAndNotify(clampToImages(value_ + direction * stepSize), false);
}

CMouseEventResult CSwitchXPos::onMouseDown(CPoint& where, const long& buttons) {
    if (!mouseEnabled_ || !(buttons & kPressBits)) return kMouseEventNotHandled;
    report(buttons);
    reference_ = where;
    startValue_ = value_;
    finePress_ = (buttons & kFineBits) != 0;
    moved_ = false;
    tracking_ = true;
    beginEdit();
    if (finePress_ && subPixmaps_ == 2) setAndNotify(startValue_ >= 0.5f ? offValue() : onValue(), false);
    return kMouseEventHandled;
}

CMouseEventResult CSwitchXPos::onMouseMoved(CPoint& where, const long& buttons) {
    if (!tracking_) return kMouseEventNotHandled;
    if (buttons) report(buttons);
    const CCoord delta = horizontal_ ? where.h - reference_.h : where.v - reference_.v;
    if (delta < -kStepThresholdPx || delta > kStepThresholdPx) {
        if (!moved_ && finePress_ && subPixmaps_ == 2) value_ = startValue_;
        moved_ = true;
        step(delta < 0 ? +1 : -1);
        reference_ = where;
    }
    return kMouseEventHandled;
}

CMouseEventResult CSwitchXPos::onMouseUp(CPoint&, const long&) {
    if (!tracking_) return kMouseEventNotHandled;
    tracking_ = false;
    if (!moved_) {
        if (finePress_ && subPixmaps_ == 2) {
            setAndNotify(startValue_, true);
        } else {
            // A plain click steps to the next position, wrapping at the top.
            const float next = startValue_ + 1.0f / float(subPixmaps_);
            setAndNotify(next > onValue() + 1e-4f ? offValue() : clampToImages(next), true);
        }
    }
    report(0);
    endEdit();
    return kMouseEventHandled;
}

void CSwitchXPos::selectImage(long, int variant) {
    if (variant != 0 && variant != 1) return;
    if (CBitmap* bitmap = image(variant)) setBackground(bitmap);
    setDirty(false);
}

}  // namespace solva
