#include "gui/ccontrol.h"

#include <algorithm>
#include <chrono>

#include "gui/cbitmap.h"
#include "gui/cframe.h"

namespace VSTGUI {

unsigned long VSTGUIEditorInterface::getTicks() {
    using namespace std::chrono;
    static const steady_clock::time_point start = steady_clock::now();
    return static_cast<unsigned long>(
        duration_cast<milliseconds>(steady_clock::now() - start).count());
}

CControl::CControl(const CRect& size, CControlListener* listener, long tag, CBitmap* background)
    : CView(size), listener_(listener), tag_(tag) {
    setBackground(background);
}

CControl::~CControl() = default;

void CControl::setValue(float value) { value_ = value; }

void CControl::drawStripFrame(CDrawContext* context, long index, CCoord frameHeight) {
    if (!background_) return;
    const CPoint where(backOffset_.h, backOffset_.v + CCoord(index) * frameHeight);
    if (transparent_ || background_->getTransparencyEnabled())
        background_->drawTransparent(context, size_, where);
    else
        background_->draw(context, size_, where);
}

void CControl::bounceValue() { value_ = std::min(max_, std::max(min_, value_)); }

bool CControl::checkDefaultValue(long buttons) {
    if ((buttons & kControl) && (buttons & kLButton)) {
        beginEdit();
        value_ = defaultValue_;
        setDirty(true);
        notifyValueChanged();
        endEdit();
        return true;
    }
    return false;
}

void CControl::beginEdit() {
    if (editDepth_++ == 0 && frame_ && frame_->getEditor()) frame_->getEditor()->beginEdit(tag_);
}

void CControl::endEdit() {
    if (editDepth_ == 0) return;
    if (--editDepth_ == 0 && frame_ && frame_->getEditor()) frame_->getEditor()->endEdit(tag_);
}

void CControl::notifyValueChanged() {
    if (listener_) listener_->valueChanged(frame_ ? frame_->getDrawContext() : nullptr, this);
}

void CControl::doIdleStuff() {
    if (frame_) frame_->doIdleStuff();
}

long CControl::getDoubleClickIntervalMs() const {
    const long platformMs = frame_ ? frame_->getDoubleClickTimeMs() : 0;
    return std::max(250L, platformMs);
}

// The drawn value is remembered as the old value; a control whose value
// moved since it was drawn is dirty.
void CControl::setDirty(bool dirty) {
    CView::setDirty(dirty);
    if (dirty)
        oldValue_ = value_ != -1.0f ? -1.0f : 0.0f;
    else
        oldValue_ = value_;
}

bool CControl::isDirty() const { return oldValue_ != value_ || CView::isDirty(); }

bool CControl::onWheel(CDrawContext*, const CPoint&, float distance) {
    if (!mouseEnabled_) return false;
    const float before = value_;
    value_ += distance * wheelInc_;
    bounceValue();
    if (value_ != before) {
        beginEdit();
        setDirty(true);
        notifyValueChanged();
        endEdit();
    }
    return true;
}

}  // namespace VSTGUI
