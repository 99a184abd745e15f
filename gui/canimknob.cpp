#include "gui/canimknob.h"

#include <cmath>

#include "gui/cbitmap.h"
#include "gui/cdrawcontext.h"

namespace VSTGUI {

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, long tag, long subPixmaps,
                     CCoord heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CKnob(size, listener, tag, background, nullptr, offset),
      subPixmaps_(subPixmaps),
      heightOfOneImage_(heightOfOneImage) {
    inset_ = 0;
}

CAnimKnob::~CAnimKnob() = default;

long CAnimKnob::getFrameIndex() const {
    if (subPixmaps_ <= 1) return 0;
    float norm = max_ > min_ ? (value_ - min_) / (max_ - min_) : 0.0f;
    norm = std::fmin(1.0f, std::fmax(0.0f, norm));
    // A small tolerance keeps exact frame positions (k / (n - 1)) on their
    // frame despite float rounding.
    long index = static_cast<long>(std::floor(norm * (subPixmaps_ - 1) + 1e-4f));
    if (index > subPixmaps_ - 1) index = subPixmaps_ - 1;
    return inverseBitmap_ ? subPixmaps_ - 1 - index : index;
}

void CAnimKnob::drawFrame(CDrawContext* context, long index) {
    drawStripFrame(context, index, heightOfOneImage_);
}

void CAnimKnob::draw(CDrawContext* context) {
    drawFrame(context, getFrameIndex());
    setDirty(false);
}

}  // namespace VSTGUI
