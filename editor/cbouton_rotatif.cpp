#include "editor/cbouton_rotatif.h"

#include <algorithm>

#include "editor/borvan_interface.h"
#include "gui/cframe.h"

namespace solva {

using namespace VSTGUI;

namespace {
constexpr long kFineBits = kRButton | kShift;
bool isFine(long buttons) { return (buttons & kFineBits) != 0; }
}  // namespace

CBoutonRotatif::CBoutonRotatif(const CRect& size, CControlListener* listener, long tag, long frames,
                               CCoord frameHeight, CBitmap* strip)
    : CAnimKnob(size, listener, tag, frames, frameHeight, strip) {}

float CBoutonRotatif::coefficientFor(long buttons) const {
    const float rangePx = isFine(buttons) ? kDragRangePx * zoomFactor_ : kDragRangePx;
    return (max_ - min_) / rangePx;
}

void CBoutonRotatif::report(long buttons) {
    if (bridge()) bridge()->reportMouseState(static_cast<int>(buttons), static_cast<int>(tag_));
}

void CBoutonRotatif::setAndNotify(float value) {
    value_ = value;
    bounceValue();
    setDirty(true);
    notifyValueChanged();
}

CMouseEventResult CBoutonRotatif::onMouseDown(CPoint& where, const long& buttons) {
    if (!mouseEnabled_) return kMouseEventNotHandled;
    const bool fine = isFine(buttons);
    const bool control = (buttons & kControl) != 0;
    const bool coarse = (buttons & kLButton) && !fine;

    if (!coarse && !fine) {
        // Neither left nor Fine (middle button): jump to the pointed angle.
        if (!(buttons & kMButton)) return kMouseEventNotHandled;
        CPoint local(where.h - size_.left, where.v - size_.top);
        beginEdit();
        setAndNotify(valueFromPoint(local));
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    if (control && bridge()) {
        if (coarse)
            setAndNotify(bridge()->getInitValue(static_cast<int>(tag_)));
        else
            bridge()->setInitValue(static_cast<int>(tag_), value_);
    }
    report(buttons);
    entryValue_ = value_;
    coefficient_ = coefficientFor(buttons);
    pressPoint_ = where;
    lastButtons_ = buttons;
    controlAtPress_ = control;
    tracking_ = true;
    beginEdit();
    return kMouseEventHandled;
}

CMouseEventResult CBoutonRotatif::onMouseMoved(CPoint& where, const long& buttons) {
    if (!tracking_) return kMouseEventNotHandled;
    if (buttons) report(buttons);
    const float diffPx = float((where.h - pressPoint_.h) + (pressPoint_.v - where.v));
    const bool buttonsChanged = buttons != lastButtons_;
    if (isFine(buttons) != isFine(lastButtons_)) {
        // Keep the value where it is: move the entry value by what the old
        // and new scales disagree on over the distance already dragged.
        const float newCoefficient = coefficientFor(buttons);
        entryValue_ += diffPx * (coefficient_ - newCoefficient);
        coefficient_ = newCoefficient;
    }
    lastButtons_ = buttons;
    const float value = std::min(max_, std::max(min_, entryValue_ + diffPx * coefficient_));
    if (value != value_ || buttonsChanged) setAndNotify(value);
    if (controlAtPress_ && isFine(buttons) && bridge())
        bridge()->setInitValue(static_cast<int>(tag_), value_);
    return kMouseEventHandled;
}

CMouseEventResult CBoutonRotatif::onMouseUp(CPoint&, const long&) {
    if (!tracking_) return kMouseEventNotHandled;
    tracking_ = false;
    report(0);
    endEdit();
    return kMouseEventHandled;
}

bool CBoutonRotatif::onWheel(CDrawContext*, const CPoint&, float distance) {
    if (!mouseEnabled_) return false;
    const long buttons = frame_ ? frame_->getCurrentMouseButtons() : 0;
    report(buttons);
    const float increment = bridge() ? bridge()->getWheelIncrement() : wheelInc_;
    lastWheelIncrement_ = increment;
    float delta = increment * distance;
    if (buttons & kShift) delta /= zoomFactor_;
    const float before = value_;
    value_ = std::min(max_, std::max(min_, value_ + delta));
    if (value_ != before) {
        beginEdit();
        setDirty(true);
        notifyValueChanged();
        endEdit();
    }
    if (buttons) report(0);
    return true;
}

void CBoutonRotatif::updateValue(long, float value) {
    value_ = std::min(1.0f, std::max(0.0f, value));
    setDirty(true);
}

}  // namespace solva
