#include "gui/cviewcontainer.h"

#include <algorithm>

#include "gui/cbitmap.h"
#include "gui/cdrawcontext.h"
#include "gui/cframe.h"

namespace VSTGUI {

namespace {

// Keeps a view alive while a call into it may detach it.
class KeepAlive {
public:
    explicit KeepAlive(CView* view) : view_(view) { view_->remember(); }
    ~KeepAlive() { view_->forget(); }
    KeepAlive(const KeepAlive&) = delete;
    KeepAlive& operator=(const KeepAlive&) = delete;

private:
    CView* view_;
};

}  // namespace

CViewContainer::CViewContainer(const CRect& size, CFrame* frame, CBitmap* background)
    : CView(size) {
    frame_ = frame;
    setBackground(background);
}

CViewContainer::~CViewContainer() { removeAll(true); }

void CViewContainer::attachChild(CView* view) {
    view->attached(this);
    // A container attached below a frame hands the frame down.
    if (auto* container = dynamic_cast<CViewContainer*>(view))
        for (CView* child : container->children_) container->attachChild(child);
}

bool CViewContainer::addView(CView* view) {
    if (!view || isChild(view)) return false;
    children_.push_back(view);
    attachChild(view);
    return true;
}

bool CViewContainer::addView(CView* view, const CRect& mouseableArea, bool mouseEnabled) {
    if (!addView(view)) return false;
    view->setMouseableArea(mouseableArea);
    view->setMouseEnabled(mouseEnabled);
    return true;
}

bool CViewContainer::removeView(CView* view, bool withForget) {
    auto it = std::find(children_.begin(), children_.end(), view);
    if (it == children_.end()) return false;
    children_.erase(it);
    if (mouseDownView_ == view) mouseDownView_ = nullptr;
    view->removed(this);
    if (withForget) view->forget();
    return true;
}

bool CViewContainer::removeAll(bool withForget) {
    mouseDownView_ = nullptr;
    while (!children_.empty()) {
        CView* view = children_.back();
        children_.pop_back();
        view->removed(this);
        if (withForget) view->forget();
    }
    return true;
}

bool CViewContainer::isChild(const CView* view) const {
    return std::find(children_.begin(), children_.end(), view) != children_.end();
}

CView* CViewContainer::getView(long index) const {
    if (index < 0 || index >= getNbViews()) return nullptr;
    return children_[static_cast<size_t>(index)];
}

CView* CViewContainer::getViewAt(const CPoint& where, bool deep) const {
    CPoint local = where;
    const CPoint origin = getChildOrigin();
    local.offset(-origin.h, -origin.v);
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        CView* child = *it;
        if (!child->isVisible() || !child->getViewSize().pointInside(local)) continue;
        if (deep)
            if (auto* container = dynamic_cast<CViewContainer*>(child))
                if (CView* inner = container->getViewAt(local, true)) return inner;
        return child;
    }
    return nullptr;
}

void CViewContainer::draw(CDrawContext* context) { drawRect(context, size_); }

void CViewContainer::drawBackgroundRect(CDrawContext* context, const CRect& updateRect) {
    if (background_) {
        const CPoint offset(updateRect.left - size_.left + backgroundOffset_.h,
                            updateRect.top - size_.top + backgroundOffset_.v);
        background_->draw(context, updateRect, offset);
    } else if (!transparent_) {
        context->setFillColor(backgroundColor_);
        context->fillRect(updateRect);
    }
}

// Draws the part of the container inside `updateRect` (parent
// coordinates): background, then every visible child overlapping it, each
// clipped to its own rectangle.
void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect) {
    const CRect savedClip = context->getAbsoluteClipRect();
    const CPoint savedOffset = context->getOffset();
    CRect area = updateRect;
    area.bound(size_);
    CRect absArea = area;
    absArea.offset(savedOffset.h, savedOffset.v);
    absArea.bound(savedClip);
    context->setAbsoluteClipRect(absArea);
    drawBackgroundRect(context, area);

    const CPoint origin = getChildOrigin();
    const CPoint childOffset(savedOffset.h + origin.h, savedOffset.v + origin.v);
    CRect local = area;
    local.offset(-origin.h, -origin.v);
    for (size_t i = 0; i < children_.size(); ++i) {
        CView* child = children_[i];
        if (!child->isVisible() || !child->getViewSize().rectOverlap(local)) continue;
        CRect childArea = child->getViewSize();
        childArea.bound(local);
        CRect childClip = childArea;
        childClip.offset(childOffset.h, childOffset.v);
        childClip.bound(absArea);
        context->setOffset(childOffset);
        context->setAbsoluteClipRect(childClip);
        child->drawRect(context, childArea);
        child->setDirty(false);
    }
    context->setOffset(savedOffset);
    context->setAbsoluteClipRect(savedClip);
    dirty_ = false;
}

CMouseEventResult CViewContainer::onMouseDown(CPoint& where, const long& buttons) {
    mouseDownView_ = nullptr;
    CPoint local = where;
    const CPoint origin = getChildOrigin();
    local.offset(-origin.h, -origin.v);
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        CView* child = *it;
        if (!child->hitTest(local, buttons)) continue;
        KeepAlive keep(child);
        const CMouseEventResult result = child->onMouseDown(local, buttons);
        if (result == kMouseEventHandled && isChild(child)) mouseDownView_ = child;
        return result == kMouseEventNotImplemented ? kMouseEventNotHandled : result;
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseMoved(CPoint& where, const long& buttons) {
    if (!mouseDownView_) return kMouseEventNotHandled;
    CPoint local = where;
    const CPoint origin = getChildOrigin();
    local.offset(-origin.h, -origin.v);
    KeepAlive keep(mouseDownView_);
    return mouseDownView_->onMouseMoved(local, buttons);
}

CMouseEventResult CViewContainer::onMouseUp(CPoint& where, const long& buttons) {
    if (!mouseDownView_) return kMouseEventNotHandled;
    CView* view = mouseDownView_;
    mouseDownView_ = nullptr;
    CPoint local = where;
    const CPoint origin = getChildOrigin();
    local.offset(-origin.h, -origin.v);
    KeepAlive keep(view);
    return view->onMouseUp(local, buttons);
}

bool CViewContainer::onWheel(CDrawContext* context, const CPoint& where, float distance) {
    CPoint local = where;
    const CPoint origin = getChildOrigin();
    local.offset(-origin.h, -origin.v);
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        CView* child = *it;
        if (!child->hitTest(local)) continue;
        KeepAlive keep(child);
        return child->onWheel(context, local, distance);
    }
    return false;
}

bool CViewContainer::onDrop(CDragContainer* drag, const CPoint& where) {
    CPoint local = where;
    const CPoint origin = getChildOrigin();
    local.offset(-origin.h, -origin.v);
    for (auto it = children_.rbegin(); it != children_.rend(); ++it)
        if ((*it)->hitTest(local)) return (*it)->onDrop(drag, local);
    return false;
}

void CViewContainer::setDirty(bool dirty) {
    dirty_ = dirty;
    if (!dirty)
        for (CView* child : children_) child->setDirty(false);
}

bool CViewContainer::isDirty() const {
    if (dirty_) return true;
    for (const CView* child : children_)
        if (child->isVisible() && child->isDirty()) return true;
    return false;
}

bool CViewContainer::attached(CViewContainer* parent) {
    CView::attached(parent);
    dirty_ = true;
    return true;
}

bool CViewContainer::removed(CViewContainer* parent) {
    CView::removed(parent);
    clearFrame();
    return true;
}

void CViewContainer::clearFrame() {
    for (CView* child : children_) {
        child->frame_ = nullptr;
        if (auto* container = dynamic_cast<CViewContainer*>(child)) container->clearFrame();
    }
}

void CViewContainer::cancelMouseTracking(const CView* view) {
    if (mouseDownView_ == view) mouseDownView_ = nullptr;
    for (CView* child : children_)
        if (auto* container = dynamic_cast<CViewContainer*>(child))
            container->cancelMouseTracking(view);
}

void CViewContainer::collectDirty(std::vector<CRect>& rects) {
    for (CView* child : children_) {
        if (!child->isVisible()) continue;
        auto* container = dynamic_cast<CViewContainer*>(child);
        if (container && !container->dirty_) {
            container->collectDirty(rects);
        } else if (child->isDirty()) {
            rects.push_back(child->getFrameRect());
        }
    }
}

}  // namespace VSTGUI
