#include "gui/cview.h"

#include "gui/cbitmap.h"
#include "gui/cdrawcontext.h"
#include "gui/cframe.h"
#include "gui/cviewcontainer.h"

namespace VSTGUI {

CView::CView(const CRect& size) : size_(size), mouseableArea_(size) {}

CView::~CView() {
    if (background_) background_->forget();
}

void CView::draw(CDrawContext* context) {
    if (background_) background_->draw(context, size_, CPoint());
    setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect&) { draw(context); }

void CView::mouse(CDrawContext*, CPoint&, long) {}

CMouseEventResult CView::onMouseDown(CPoint& where, const long& buttons) {
    CDrawContext* context = frame_ ? frame_->getDrawContext() : nullptr;
    mouse(context, where, buttons);
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

CMouseEventResult CView::onMouseUp(CPoint&, const long&) { return kMouseEventNotHandled; }

CMouseEventResult CView::onMouseMoved(CPoint&, const long&) { return kMouseEventNotHandled; }

bool CView::onWheel(CDrawContext*, const CPoint&, float) { return false; }

long CView::onKeyDown(CKeyCode&) { return -1; }

long CView::onKeyUp(CKeyCode&) { return -1; }

bool CView::onDrop(CDragContainer*, const CPoint&) { return false; }

void CView::setDirty(bool dirty) { dirty_ = dirty; }

void CView::redraw() {
    if (frame_) frame_->invalidRect(getFrameRect());
}

void CView::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    if (frame_) frame_->invalidRect(getFrameRect());
    setDirty(true);
}

void CView::setViewSize(const CRect& size, bool invalidate) {
    if (invalidate && frame_) frame_->invalidRect(getFrameRect());
    size_ = size;
    mouseableArea_ = size;
    setDirty(true);
}

bool CView::hitTest(const CPoint& where, long) const {
    return visible_ && mouseEnabled_ && mouseableArea_.pointInside(where);
}

void CView::setBackground(CBitmap* background) {
    if (background == background_) return;
    if (background) background->remember();
    if (background_) background_->forget();
    background_ = background;
    setDirty(true);
}

bool CView::attached(CViewContainer* parent) {
    parent_ = parent;
    frame_ = parent ? parent->getFrame() : nullptr;
    setDirty(true);
    return true;
}

bool CView::removed(CViewContainer*) {
    if (frame_) {
        frame_->invalidRect(getFrameRect());
        frame_->onViewRemoved(this);
    }
    parent_ = nullptr;
    frame_ = nullptr;
    return true;
}

CPoint& CView::frameToLocal(CPoint& point) const {
    for (const CViewContainer* c = parent_; c; c = c->getParentView()) {
        const CPoint origin = c->getChildOrigin();
        point.offset(-origin.h, -origin.v);
    }
    return point;
}

CPoint& CView::localToFrame(CPoint& point) const {
    for (const CViewContainer* c = parent_; c; c = c->getParentView()) {
        const CPoint origin = c->getChildOrigin();
        point.offset(origin.h, origin.v);
    }
    return point;
}

CRect CView::getFrameRect() const {
    CPoint topLeft = size_.getTopLeft();
    localToFrame(topLeft);
    return CRect(topLeft.h, topLeft.v, topLeft.h + size_.width(), topLeft.v + size_.height());
}

void CView::getMouseLocation(CDrawContext*, CPoint& where) const {
    where = CPoint();
    if (!frame_) return;
    frame_->getCurrentMouseLocation(where);
    frameToLocal(where);
}

}  // namespace VSTGUI
