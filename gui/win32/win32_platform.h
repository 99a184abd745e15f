// The Win32 back end. A frame's window is a child of the host's parent
// window (an HWND passed as the parent pointer); pop-up menus are
// borderless tool windows owned by the host's top-level window that hold
// the mouse capture while open. Input arrives through the host's message
// loop; the frame's idle dispatches what is still queued.
#pragma once

#include "gui/platform_window.h"

namespace VSTGUI {

class Win32Platform : public IPlatformFactory {
public:
    std::unique_ptr<IPlatformWindow> createChildWindow(void* parent, const CRect& size,
                                                       IPlatformEventSink* sink) override;
    std::unique_ptr<IPlatformWindow> createPopupWindow(IPlatformWindow* owner,
                                                       const CRect& screenRect,
                                                       IPlatformEventSink* sink) override;

    // Windows this back end holds open now.
    static int liveWindowCount();
    // The process-wide instance (installed as the frames' factory when the
    // back end is linked in).
    static Win32Platform* instance();
};

}  // namespace VSTGUI
