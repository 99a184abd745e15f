#include "gui/cframe.h"

#include "gui/cdragcontainer.h"
#include "gui/cmenusession.h"
#include "gui/coptionmenu.h"

namespace VSTGUI {

namespace {

constexpr size_t kMaxPendingRects = 16;  // beyond this, redraw their union

bool isDescendantOrSelf(const CView* view, const CView* ancestor) {
    for (const CView* v = view; v; v = v->getParentView())
        if (v == ancestor) return true;
    return false;
}

}  // namespace

CFrame::CFrame(const CRect& size, void* systemWindow, VSTGUIEditorInterface* editor)
    : CViewContainer(CRect(0, 0, size.width(), size.height()), nullptr),
      editor_(editor),
      systemWindow_(systemWindow) {
    frame_ = this;
    backBuffer_.resize(size_.width(), size_.height(), kBlackCColor);
    context_ = new CDrawContext(this, &backBuffer_);
    dropTarget_ = new CDropTarget(this);
    if (systemWindow) {
        factory_ = VSTGUI::getPlatformFactory();
        window_ = factory_->createChildWindow(systemWindow, size_, this);
        headless_ = window_ == nullptr || factory_ == getOffscreenPlatformFactory();
    }
    if (!window_) {
        factory_ = getOffscreenPlatformFactory();
        window_ = factory_->createChildWindow(systemWindow, size_, this);
    }
    invalidRect(size_);
}

CFrame::~CFrame() {
    closeMenu();
    menuSession_.reset();
    retiredSessions_.clear();
    // A text edit open at close is dropped without calling its listener:
    // the editor is already tearing down.
    focusView_ = nullptr;
    removeAll(true);
    window_.reset();
    delete dropTarget_;
    context_->forget();
}

void CFrame::pumpEvents() {
    retireClosedSessions();
    if (window_) window_->pumpEvents();
    if (menuSession_) menuSession_->idle();
    retireClosedSessions();
}

void CFrame::retireClosedSessions() {
    if (menuSession_ && !menuSession_->isOpen()) retiredSessions_.push_back(std::move(menuSession_));
    for (auto it = retiredSessions_.begin(); it != retiredSessions_.end();)
        it = (*it)->isBusy() ? std::next(it) : retiredSessions_.erase(it);
}

void CFrame::idle() {
    if (inIdle_) return;
    inIdle_ = true;
    pumpEvents();
    updateDirtyViews();
    inIdle_ = false;
}

void CFrame::doIdleStuff() {
    if (editor_) editor_->doIdleStuff();
    idle();
}

void CFrame::invalidRect(const CRect& rect) {
    CRect r = rect;
    r.bound(size_);
    if (r.isEmpty()) return;
    for (CRect& pending : pendingRects_)
        if (pending.rectOverlap(r)) {
            pending.unite(r);
            return;
        }
    pendingRects_.push_back(r);
    if (pendingRects_.size() > kMaxPendingRects) {
        CRect all;
        for (const CRect& p : pendingRects_) all.unite(p);
        pendingRects_.assign(1, all);
    }
}

void CFrame::updateDirtyViews() {
    std::vector<CRect> rects;
    if (dirty_) {
        rects.push_back(size_);
    } else {
        collectDirty(rects);
    }
    for (const CRect& r : rects) invalidRect(r);
    std::vector<CRect> areas;
    areas.swap(pendingRects_);
    for (const CRect& area : areas) drawArea(area);
    for (const CRect& area : areas) presentArea(area);
}

void CFrame::drawArea(const CRect& area) {
    context_->setOffset(CPoint());
    context_->resetClipRect();
    drawRect(context_, area);
    context_->setOffset(CPoint());
    context_->resetClipRect();
}

void CFrame::presentArea(const CRect& area) {
    if (window_) window_->present(backBuffer_, area);
}

void CFrame::renderAll() {
    pendingRects_.clear();
    drawArea(size_);
    CViewContainer::setDirty(false);
}

void CFrame::setDirty(bool dirty) {
    dirty_ = dirty;
    if (dirty) invalidRect(size_);
}

void CFrame::redraw() {
    invalidRect(size_);
    updateDirtyViews();
}

long CFrame::getCurrentMouseButtons() {
    const long state = window_ ? window_->getButtonState() : -1;
    return state >= 0 ? state : lastButtons_;
}

bool CFrame::getCurrentMouseLocation(CPoint& where) {
    if (window_ && window_->getPointerPosition(where)) return true;
    where = lastMousePoint_;
    return true;
}

long CFrame::getDoubleClickTimeMs() { return window_ ? window_->getDoubleClickTimeMs() : 400; }

void CFrame::setFocusView(CView* view) {
    if (view == focusView_) return;
    CView* old = focusView_;
    focusView_ = view;
    if (old) old->looseFocus();
    if (focusView_ != view) return;  // looseFocus moved the focus again
    if (view) {
        if (window_) window_->takeKeyboardFocus();
        view->takeFocus();
    } else if (window_) {
        window_->releaseKeyboardFocus();
    }
}

long CFrame::onKeyDown(CKeyCode& key) {
    if (menuSession_ && menuSession_->isOpen()) return menuSession_->platformKeyDown(key) ? 1 : -1;
    if (focusView_) return focusView_->onKeyDown(key);
    return -1;
}

bool CFrame::onWheel(CDrawContext* context, const CPoint& where, float distance) {
    if (menuSession_ && menuSession_->isOpen()) return false;
    return CViewContainer::onWheel(context ? context : context_, where, distance);
}

bool CFrame::onWheel(const CPoint& where, float distance) {
    return onWheel(context_, where, distance);
}

void CFrame::mouse(CDrawContext*, CPoint& where, long buttons) {
    if (buttons < 0) buttons = getCurrentMouseButtons();
    if ((buttons & kAnyMouseButton) == 0) buttons |= kLButton;
    platformMouseDown(where, buttons);
    platformMouseUp(where, buttons & ~kAnyMouseButton);
}

bool CFrame::openMenu(COptionMenu* menu, const CPoint& where) {
    closeMenu();
    retireClosedSessions();
    if (!menu || menu->getNbEntries() == 0) return false;
    menuSession_ = std::make_unique<CMenuSession>(this, menu, frameToScreen(where));
    return true;
}

void CFrame::closeMenu() {
    if (menuSession_ && menuSession_->isOpen()) menuSession_->cancel();
}

CPoint CFrame::frameToScreen(const CPoint& where) {
    CPoint origin = window_ ? window_->getScreenOrigin() : CPoint();
    return origin.offset(where.h, where.v);
}

void CFrame::onViewRemoved(CView* view) {
    if (focusView_ && isDescendantOrSelf(focusView_, view)) setFocusView(nullptr);
    cancelMouseTracking(view);
}

void CFrame::endGesture() {
    gestureActive_ = false;
    mouseDownView_ = nullptr;
}

void CFrame::platformMouseDown(CPoint where, long buttons) {
    lastMousePoint_ = where;
    lastButtons_ = buttons;
    if (menuSession_ && menuSession_->isOpen()) {
        // A press in the window while a menu is open closes the menu.
        menuSession_->platformMouseDown(frameToScreen(where), buttons);
        return;
    }
    if (gestureActive_) {
        // Another button joined the gesture.
        CViewContainer::onMouseMoved(where, buttons);
        return;
    }
    if (focusView_) {
        const CView* hit = getViewAt(where, true);
        if (hit != focusView_) setFocusView(nullptr);
    }
    gestureActive_ = CViewContainer::onMouseDown(where, buttons) == kMouseEventHandled;
}

void CFrame::platformMouseMoved(CPoint where, long buttons) {
    lastMousePoint_ = where;
    lastButtons_ = buttons;
    if (gestureActive_) CViewContainer::onMouseMoved(where, buttons);
}

void CFrame::platformMouseUp(CPoint where, long buttons) {
    lastMousePoint_ = where;
    lastButtons_ = buttons;
    if (!gestureActive_) return;
    if (buttons & kAnyMouseButton) {
        // One of several buttons released: the gesture goes on.
        CViewContainer::onMouseMoved(where, buttons);
        return;
    }
    gestureActive_ = false;
    CViewContainer::onMouseUp(where, buttons);
    endGesture();
}

void CFrame::platformWheel(CPoint where, float distance, long buttons) {
    lastMousePoint_ = where;
    lastButtons_ = buttons;
    onWheel(context_, where, distance);
}

void CFrame::platformModifiersChanged(long buttons) {
    lastButtons_ = buttons;
    if (gestureActive_) CViewContainer::onMouseMoved(lastMousePoint_, buttons);
}

bool CFrame::platformKeyDown(const CKeyCode& key) {
    CKeyCode copy = key;
    return onKeyDown(copy) >= 0;
}

void CFrame::platformFocusLost() {
    if (focusView_) setFocusView(nullptr);
}

void CFrame::platformExposed(const CRect& rect) {
    updateDirtyViews();
    presentArea(rect);
}

}  // namespace VSTGUI
