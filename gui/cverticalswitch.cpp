#include "gui/cverticalswitch.h"

#include <algorithm>
#include <cmath>

#include "gui/cbitmap.h"
#include "gui/cdrawcontext.h"

namespace VSTGUI {

CVerticalSwitch::CVerticalSwitch(const CRect& size, CControlListener* listener, long tag,
                                 long subPixmaps, CCoord heightOfOneImage, long maxPositions,
                                 CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background),
      subPixmaps_(subPixmaps),
      heightOfOneImage_(heightOfOneImage),
      maxPositions_(maxPositions) {
    backOffset_ = offset;
}

CVerticalSwitch::~CVerticalSwitch() = default;

long CVerticalSwitch::getImageIndex() const {
    if (maxPositions_ <= 1) return 0;
    float norm = max_ > min_ ? (value_ - min_) / (max_ - min_) : 0.0f;
    norm = std::fmin(1.0f, std::fmax(0.0f, norm));
    long index = std::lround(norm * (maxPositions_ - 1));
    if (index >= subPixmaps_) index = subPixmaps_ - 1;
    return inverseBitmap_ ? subPixmaps_ - 1 - index : index;
}

void CVerticalSwitch::drawImage(CDrawContext* context, long index) {
    drawStripFrame(context, index, heightOfOneImage_);
}

void CVerticalSwitch::draw(CDrawContext* context) {
    drawImage(context, getImageIndex());
    setDirty(false);
}

void CVerticalSwitch::selectByPoint(const CPoint& where) {
    if (maxPositions_ <= 1) return;
    const float step = float(size_.height()) / maxPositions_;
    long position = static_cast<long>((where.v - size_.top) / step);
    position = std::max(0L, std::min(maxPositions_ - 1, position));
    const float before = value_;
    value_ = min_ + (max_ - min_) * position / float(maxPositions_ - 1);
    if (value_ != before) {
        setDirty(true);
        notifyValueChanged();
    }
}

CMouseEventResult CVerticalSwitch::onMouseDown(CPoint& where, const long& buttons) {
    if (!mouseEnabled_ || !(buttons & kLButton)) return kMouseEventNotHandled;
    beginEdit();
    selectByPoint(where);
    return kMouseEventHandled;
}

CMouseEventResult CVerticalSwitch::onMouseMoved(CPoint& where, const long& buttons) {
    if (isEditing() && (buttons & kLButton)) selectByPoint(where);
    return kMouseEventHandled;
}

CMouseEventResult CVerticalSwitch::onMouseUp(CPoint&, const long&) {
    if (isEditing()) endEdit();
    return kMouseEventHandled;
}

}  // namespace VSTGUI
