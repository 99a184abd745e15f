// A rotary control: a background and a handle bitmap (or a drawn line)
// turning from the start angle through the range angle. The default
// gesture is a linear drag (right and up increase; 200 pixels for the
// whole range, zoom factor times more with Shift); subclasses replace the
// mouse handlers for their own rules.
#pragma once

#include "gui/ccolor.h"
#include "gui/ccontrol.h"

namespace VSTGUI {

class CKnob : public CControl {
public:
    CKnob(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
          CBitmap* handle, const CPoint& offset = CPoint());
    ~CKnob() override;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const long& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const long& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const long& buttons) override;

    // Angles in radians; 0 points right, counter-clockwise positive.
    void setStartAngle(float radians) { startAngle_ = radians; }
    float getStartAngle() const { return startAngle_; }
    void setRangeAngle(float radians) { rangeAngle_ = radians; }
    float getRangeAngle() const { return rangeAngle_; }
    void setInsetValue(CCoord inset) { inset_ = inset; }
    CCoord getInsetValue() const { return inset_; }
    void setZoomFactor(float factor) { zoomFactor_ = factor; }
    float getZoomFactor() const { return zoomFactor_; }
    void setHandleBitmap(CBitmap* handle);
    CBitmap* getHandleBitmap() const { return handle_; }
    void setColorHandle(const CColor& c) { colorHandle_ = c; }

    // Value <-> handle position on the circle (view coordinates).
    void valueToPoint(CPoint& point) const;
    float valueFromPoint(const CPoint& point) const;

protected:
    virtual void drawHandle(CDrawContext* context);
    // Drag range in pixels for the given buttons.
    float dragRangePx(long buttons) const;

    CBitmap* handle_ = nullptr;
    float startAngle_ = 3.9269908f;   // 225 degrees
    float rangeAngle_ = -4.712389f;   // 270 degrees clockwise
    CCoord inset_ = 3;
    float zoomFactor_ = 20.0f;
    CColor colorHandle_ = kWhiteCColor;
    // Gesture state.
    CPoint pressPoint_;
    float entryValue_ = 0.0f;
    long gestureButtons_ = 0;
};

}  // namespace VSTGUI
