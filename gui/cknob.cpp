#include "gui/cknob.h"

#include <cmath>

#include "gui/cbitmap.h"
#include "gui/cdrawcontext.h"

namespace VSTGUI {

namespace {
constexpr float kDragRangePx = 200.0f;  // pixels for the whole range
constexpr float kTwoPi = 6.28318531f;
}  // namespace

CKnob::CKnob(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
             CBitmap* handle, const CPoint& offset)
    : CControl(size, listener, tag, background) {
    backOffset_ = offset;
    setHandleBitmap(handle);
}

CKnob::~CKnob() {
    if (handle_) handle_->forget();
}

void CKnob::setHandleBitmap(CBitmap* handle) {
    if (handle) handle->remember();
    if (handle_) handle_->forget();
    handle_ = handle;
    if (handle_) {
        // Keep the whole handle inside the view at any angle.
        const float w = float(handle_->getWidth()), h = float(handle_->getHeight());
        inset_ = static_cast<CCoord>(std::sqrt(w * w + h * h) / 2 + 2);
    }
    setDirty(true);
}

void CKnob::draw(CDrawContext* context) {
    if (background_) {
        if (transparent_)
            background_->drawTransparent(context, size_, backOffset_);
        else
            background_->draw(context, size_, backOffset_);
    }
    drawHandle(context);
    setDirty(false);
}

void CKnob::valueToPoint(CPoint& point) const {
    const float alpha = startAngle_ + value_ * rangeAngle_;
    const float rx = size_.width() / 2.0f - inset_;
    const float ry = size_.height() / 2.0f - inset_;
    point.h = static_cast<CCoord>(std::lround(size_.width() / 2.0f + rx * std::cos(alpha)));
    point.v = static_cast<CCoord>(std::lround(size_.height() / 2.0f - ry * std::sin(alpha)));
}

float CKnob::valueFromPoint(const CPoint& point) const {
    const float dx = point.h - size_.width() / 2.0f;
    const float dy = size_.height() / 2.0f - point.v;
    // Position along the turn in range units; one full circle is `period`.
    const float period = kTwoPi / std::fabs(rangeAngle_);
    float rel = std::fmod((std::atan2(dy, dx) - startAngle_) / rangeAngle_, period);
    if (rel < 0.0f) rel += period;
    // Outside the turn: the nearer end.
    if (rel > 1.0f) rel = rel - 1.0f < (period - 1.0f) / 2.0f ? 1.0f : 0.0f;
    return min_ + rel * (max_ - min_);
}

void CKnob::drawHandle(CDrawContext* context) {
    CPoint where;
    valueToPoint(where);
    if (handle_) {
        const CCoord w = handle_->getWidth(), h = handle_->getHeight();
        CRect r(size_.left + where.h - w / 2, size_.top + where.v - h / 2, 0, 0);
        r.right = r.left + w;
        r.bottom = r.top + h;
        handle_->drawTransparent(context, r);
        return;
    }
    const CPoint centre(size_.left + size_.width() / 2, size_.top + size_.height() / 2);
    context->setFrameColor(colorHandle_);
    context->setLineWidth(1);
    context->drawLine(centre, CPoint(size_.left + where.h, size_.top + where.v));
}

float CKnob::dragRangePx(long buttons) const {
    return (buttons & kShift) ? kDragRangePx * zoomFactor_ : kDragRangePx;
}

CMouseEventResult CKnob::onMouseDown(CPoint& where, const long& buttons) {
    if (!mouseEnabled_ || !(buttons & kLButton)) return kMouseEventNotHandled;
    if (checkDefaultValue(buttons)) return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    beginEdit();
    pressPoint_ = where;
    entryValue_ = value_;
    gestureButtons_ = buttons;
    return kMouseEventHandled;
}

// Linear drag: right and up increase. When Shift changes during the drag
// the entry value is re-based so that the value does not jump.
CMouseEventResult CKnob::onMouseMoved(CPoint& where, const long& buttons) {
    if (!isEditing()) return kMouseEventNotHandled;
    const float diff = float(where.h - pressPoint_.h) + float(pressPoint_.v - where.v);
    const float oldCoef = (max_ - min_) / dragRangePx(gestureButtons_);
    const float newCoef = (max_ - min_) / dragRangePx(buttons);
    if (oldCoef != newCoef) entryValue_ += diff * (oldCoef - newCoef);
    gestureButtons_ = buttons;
    const float before = value_;
    value_ = entryValue_ + diff * newCoef;
    bounceValue();
    if (value_ != before) {
        setDirty(true);
        notifyValueChanged();
    }
    return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseUp(CPoint&, const long&) {
    if (isEditing()) endEdit();
    return kMouseEventHandled;
}

}  // namespace VSTGUI
