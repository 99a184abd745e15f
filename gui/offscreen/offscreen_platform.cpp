#include "gui/offscreen/offscreen_platform.h"

#include <algorithm>

namespace VSTGUI {

namespace {

std::vector<OffscreenWindow*>& registry() {
    static std::vector<OffscreenWindow*> windows;
    return windows;
}

IPlatformFactory*& installedFactory() {
    static IPlatformFactory* factory = nullptr;
    return factory;
}

}  // namespace

OffscreenWindow::OffscreenWindow(const CRect& screenRect, IPlatformEventSink* sink, bool popup)
    : screenRect_(screenRect), sink_(sink), popup_(popup) {
    screen_.resize(screenRect.width(), screenRect.height());
    registry().push_back(this);
}

OffscreenWindow::~OffscreenWindow() {
    auto& windows = registry();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
}

void OffscreenWindow::present(const CPixelBuffer& pixels, const CRect& rect) {
    screen_.copyFrom(pixels, rect, rect.getTopLeft());
    ++presentCount_;
}

bool OffscreenWindow::getPointerPosition(CPoint& where) {
    if (!pointerKnown_) return false;
    where = pointer_;
    return true;
}

const std::vector<OffscreenWindow*>& OffscreenWindow::liveWindows() { return registry(); }

std::unique_ptr<IPlatformWindow> OffscreenPlatform::createChildWindow(void*, const CRect& size,
                                                                      IPlatformEventSink* sink) {
    return std::make_unique<OffscreenWindow>(CRect(0, 0, size.width(), size.height()), sink, false);
}

std::unique_ptr<IPlatformWindow> OffscreenPlatform::createPopupWindow(IPlatformWindow*,
                                                                      const CRect& screenRect,
                                                                      IPlatformEventSink* sink) {
    return std::make_unique<OffscreenWindow>(screenRect, sink, true);
}

IPlatformFactory* getOffscreenPlatformFactory() {
    static OffscreenPlatform platform;
    return &platform;
}

void setPlatformFactory(IPlatformFactory* factory) { installedFactory() = factory; }

IPlatformFactory* getPlatformFactory() {
    return installedFactory() ? installedFactory() : getOffscreenPlatformFactory();
}

}  // namespace VSTGUI
