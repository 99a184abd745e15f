#include "gui/x11/x11_platform.h"

#include <cstdint>

#include "gui/x11/x11_window.h"

namespace VSTGUI {

std::unique_ptr<IPlatformWindow> X11Platform::createChildWindow(void* parent, const CRect& size,
                                                                IPlatformEventSink* sink) {
    const Window parentWindow = static_cast<Window>(reinterpret_cast<uintptr_t>(parent));
    return X11Window::createChild(parentWindow, size, sink);
}

std::unique_ptr<IPlatformWindow> X11Platform::createPopupWindow(IPlatformWindow* owner,
                                                                const CRect& screenRect,
                                                                IPlatformEventSink* sink) {
    return X11Window::createPopup(dynamic_cast<X11Window*>(owner), screenRect, sink);
}

X11Platform* X11Platform::instance() {
    static X11Platform platform;
    return &platform;
}

namespace {

// Linking the back end makes it the frames' window system.
struct Registration {
    Registration() { setPlatformFactory(X11Platform::instance()); }
} gRegistration;

}  // namespace

}  // namespace VSTGUI
