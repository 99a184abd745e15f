// The Xlib back end. Each frame opens its own Display connection, creates
// a child window inside the host's parent window (an X11 Window id passed
// as the parent pointer) and processes its events without blocking when
// the frame pumps them (from the editor's idle). Pop-up menus are
// override-redirect windows on the same connection that grab pointer and
// keyboard while open. Nothing is shared between frames, so instances and
// open/close cycles leak neither windows nor connections.
#pragma once

#include "gui/platform_window.h"

namespace VSTGUI {

class X11Platform : public IPlatformFactory {
public:
    std::unique_ptr<IPlatformWindow> createChildWindow(void* parent, const CRect& size,
                                                       IPlatformEventSink* sink) override;
    std::unique_ptr<IPlatformWindow> createPopupWindow(IPlatformWindow* owner,
                                                       const CRect& screenRect,
                                                       IPlatformEventSink* sink) override;

    // Display connections and windows this back end holds open now.
    static int liveConnectionCount();
    static int liveWindowCount();
    // The process-wide instance (installed as the frames' factory when the
    // back end is linked in).
    static X11Platform* instance();
};

}  // namespace VSTGUI
