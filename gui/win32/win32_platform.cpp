#include "gui/win32/win32_platform.h"

#include "gui/win32/win32_window.h"

namespace VSTGUI {

std::unique_ptr<IPlatformWindow> Win32Platform::createChildWindow(void* parent, const CRect& size,
                                                                  IPlatformEventSink* sink) {
    return Win32Window::createChild(static_cast<HWND>(parent), size, sink);
}

std::unique_ptr<IPlatformWindow> Win32Platform::createPopupWindow(IPlatformWindow* owner,
                                                                  const CRect& screenRect,
                                                                  IPlatformEventSink* sink) {
    return Win32Window::createPopup(dynamic_cast<Win32Window*>(owner), screenRect, sink);
}

int Win32Platform::liveWindowCount() { return Win32Window::liveWindowCount(); }

Win32Platform* Win32Platform::instance() {
    static Win32Platform platform;
    return &platform;
}

namespace {

// Linking the back end makes it the frames' window system.
struct Registration {
    Registration() { setPlatformFactory(Win32Platform::instance()); }
} gRegistration;

}  // namespace

}  // namespace VSTGUI
