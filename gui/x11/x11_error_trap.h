// Requests that may fail because the host destroyed its parent window (or
// a window is not viewable yet) must not reach the process-wide Xlib error
// handler, which by default exits the host. A trap swaps in a handler that
// records and drops errors, and restores the previous one when it ends.
#pragma once

#include <X11/Xlib.h>

namespace VSTGUI {

class X11ErrorTrap {
public:
    explicit X11ErrorTrap(Display* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Waits for the server's answers; true when a request failed.
    bool failed();

private:
    Display* display_;
    XErrorHandler old_;
};

}  // namespace VSTGUI
