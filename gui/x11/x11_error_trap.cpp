#include "gui/x11/x11_error_trap.h"

namespace VSTGUI {

namespace {

bool gErrorSeen = false;

int recordXError(Display*, XErrorEvent*) {
    gErrorSeen = true;
    return 0;
}

}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display)
    : display_(display), old_(XSetErrorHandler(recordXError)) {
    gErrorSeen = false;
}

X11ErrorTrap::~X11ErrorTrap() {
    XSync(display_, False);
    XSetErrorHandler(old_);
}

bool X11ErrorTrap::failed() {
    XSync(display_, False);
    return gErrorSeen;
}

}  // namespace VSTGUI
