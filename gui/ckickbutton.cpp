#include "gui/ckickbutton.h"

#include "gui/cbitmap.h"
#include "gui/cdrawcontext.h"

namespace VSTGUI {

CKickButton::CKickButton(const CRect& size, CControlListener* listener, long tag,
                         CCoord heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background), heightOfOneImage_(heightOfOneImage) {
    backOffset_ = offset;
}

CKickButton::~CKickButton() = default;

long CKickButton::getImageIndex() const { return value_ > (min_ + max_) / 2 ? 1 : 0; }

void CKickButton::drawImage(CDrawContext* context, long index) {
    drawStripFrame(context, index, heightOfOneImage_);
}

void CKickButton::draw(CDrawContext* context) {
    drawImage(context, getImageIndex());
    setDirty(false);
}

CMouseEventResult CKickButton::onMouseDown(CPoint& where, const long& buttons) {
    if (!mouseEnabled_ || !(buttons & kLButton)) return kMouseEventNotHandled;
    beginEdit();
    entryValue_ = value_;
    return onMouseMoved(where, buttons);
}

// Pressed while the pointer is inside; the change is reported each time.
CMouseEventResult CKickButton::onMouseMoved(CPoint& where, const long& buttons) {
    if (!isEditing()) return kMouseEventNotHandled;
    const float wanted = (buttons & kLButton) && size_.pointInside(where) ? max_ : min_;
    if (wanted != value_) {
        value_ = wanted;
        setDirty(true);
        notifyValueChanged();
    }
    return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseUp(CPoint&, const long&) {
    if (!isEditing()) return kMouseEventNotHandled;
    if (value_ != min_) {
        value_ = min_;
        setDirty(true);
        notifyValueChanged();
    }
    endEdit();
    return kMouseEventHandled;
}

}  // namespace VSTGUI
