// A view with a normalised value, a tag and a listener. Subclasses
// implement the press/move/release handlers of CView; they report edit
// gestures with beginEdit/endEdit (forwarded to the frame's editor) and
// tell the listener with notifyValueChanged.
#pragma once

#include "gui/ccontrollistener.h"
#include "gui/cview.h"

namespace VSTGUI {

class CControl : public CView {
public:
    CControl(const CRect& size, CControlListener* listener = nullptr, long tag = 0,
             CBitmap* background = nullptr);
    ~CControl() override;

    virtual void setValue(float value);
    virtual float getValue() const { return value_; }
    void setMin(float minimum) { min_ = minimum; }
    float getMin() const { return min_; }
    void setMax(float maximum) { max_ = maximum; }
    float getMax() const { return max_; }
    void setDefaultValue(float value) { defaultValue_ = value; }
    float getDefaultValue() const { return defaultValue_; }
    void setWheelInc(float increment) { wheelInc_ = increment; }
    float getWheelInc() const { return wheelInc_; }
    // The value last drawn; the control is dirty while value != old value.
    void setOldValue(float value) { oldValue_ = value; }
    float getOldValue() const { return oldValue_; }

    virtual void setTag(long tag) { tag_ = tag; }
    long getTag() const { return tag_; }
    void setListener(CControlListener* listener) { listener_ = listener; }
    CControlListener* getListener() const { return listener_; }

    // Offset of the control's image inside its background bitmap.
    void setBackOffset(const CPoint& offset) { backOffset_ = offset; }
    const CPoint& getBackOffset() const { return backOffset_; }

    // Clamps the value into minimum..maximum.
    virtual void bounceValue();
    // With Control held and the left button: value := default; true if so.
    virtual bool checkDefaultValue(long buttons);

    // Gesture reporting through the frame's editor (by tag). Nested calls
    // are counted; only the outermost pair reaches the editor.
    virtual void beginEdit();
    virtual void endEdit();
    bool isEditing() const { return editDepth_ > 0; }

    // Calls the listener's valueChanged with the frame's context.
    void notifyValueChanged();
    // Lets the frame process pending redraws (kept for tracking code).
    virtual void doIdleStuff();

    // Double clicks: the platform's interval, at least 250 ms.
    long getDoubleClickIntervalMs() const;

    void setDirty(bool dirty = true) override;
    bool isDirty() const override;

    // Wheel default: value += distance * wheel increment, clamped, with a
    // begin/end edit pair and a listener call when it changed.
    bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;

protected:
    // Draws frame `index` of a vertical strip background (frames of
    // `frameHeight` pixels below the back offset) into the control's
    // rectangle, colour-keyed when the view or the bitmap asks for it.
    void drawStripFrame(CDrawContext* context, long index, CCoord frameHeight);

    CControlListener* listener_;
    long tag_;
    float value_ = 0.0f;
    float oldValue_ = 1.0f;
    float min_ = 0.0f;
    float max_ = 1.0f;
    float defaultValue_ = 0.5f;
    float wheelInc_ = 0.1f;
    CPoint backOffset_;
    int editDepth_ = 0;
};

}  // namespace VSTGUI
