// Event processing of the back end's windows: the owner window drains the
// connection's queue and hands each event to the window it belongs to.
#include <X11/Xutil.h>

#include "gui/cbuttons.h"
#include "gui/x11/x11_error_trap.h"
#include "gui/x11/x11_input.h"
#include "gui/x11/x11_window.h"

namespace VSTGUI {

CPoint X11Window::eventPoint(int x, int y, int xRoot, int yRoot) const {
    return popup_ ? CPoint(xRoot, yRoot) : CPoint(x, y);
}

// Dispatches everything queued on the connection (the child window and its
// pop-ups) without waiting for more.
void X11Window::pumpEvents() {
    if (owner_) return;  // pop-ups are served by their owner
    X11ErrorTrap trap(display_);
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        auto it = windows_.find(event.xany.window);
        if (it != windows_.end()) it->second->dispatch(event);
    }
    pollModifiers();
}

// Modifier keys pressed while a gesture runs reach us only through the
// pointer state (the keyboard focus is usually the host's).
void X11Window::pollModifiers() {
    if (!(lastButtons_ & kAnyMouseButton)) return;
    const long buttons = getButtonState();
    if ((buttons & kModifierBits) != (lastButtons_ & kModifierBits)) {
        lastButtons_ = (lastButtons_ & kAnyMouseButton) | (buttons & kModifierBits);
        sink_->platformModifiersChanged(lastButtons_);
    }
}

void X11Window::dispatch(XEvent& event) {
    switch (event.type) {
        case Expose: {
            const XExposeEvent& e = event.xexpose;
            sink_->platformExposed(CRect(e.x, e.y, e.x + e.width, e.y + e.height));
            break;
        }
        case ButtonPress:
        case ButtonRelease:
        case MotionNotify: handlePointer(event); break;
        case KeyPress:
        case KeyRelease: handleKey(event); break;
        case FocusOut: {
            const XFocusChangeEvent& e = event.xfocus;
            const bool real = (e.mode == NotifyNormal || e.mode == NotifyWhileGrabbed) &&
                              e.detail != NotifyInferior && e.detail != NotifyPointer;
            if (real && focusRequested_) {
                focusRequested_ = false;
                sink_->platformFocusLost();
            }
            break;
        }
        default: break;
    }
}

void X11Window::handlePointer(XEvent& event) {
    X11Window* root = owner_ ? owner_ : this;
    if (event.type == MotionNotify) {
        // Only the latest of consecutive motions matters; motions after a
        // button or key event stay behind it.
        XEvent next;
        while (XPending(display_) > 0 && XPeekEvent(display_, &next) &&
               next.type == MotionNotify && next.xmotion.window == window_)
            XNextEvent(display_, &event);
        const XMotionEvent& e = event.xmotion;
        root->lastButtons_ = buttonsFromState(e.state);
        sink_->platformMouseMoved(eventPoint(e.x, e.y, e.x_root, e.y_root), root->lastButtons_);
        return;
    }
    const XButtonEvent& e = event.xbutton;
    const CPoint where = eventPoint(e.x, e.y, e.x_root, e.y_root);
    const long state = buttonsFromState(e.state);
    if (e.button == Button4 || e.button == Button5) {
        if (event.type == ButtonPress)
            sink_->platformWheel(where, e.button == Button4 ? 1.0f : -1.0f, state);
        return;
    }
    const long bit = buttonBit(e.button);
    if (bit == 0) return;
    if (event.type == ButtonPress) {
        root->lastButtons_ = state | bit;
        sink_->platformMouseDown(where, root->lastButtons_);
    } else {
        root->lastButtons_ = state & ~bit;
        sink_->platformMouseUp(where, root->lastButtons_);
    }
}

void X11Window::handleKey(XEvent& event) {
    X11Window* root = owner_ ? owner_ : this;
    const KeySym keysym = XLookupKeysym(&event.xkey, 0);
    const long modifier = modifierBitOfKey(keysym);
    if (modifier) {
        long buttons = buttonsFromState(event.xkey.state);
        buttons = event.type == KeyPress ? (buttons | modifier) : (buttons & ~modifier);
        root->lastButtons_ = buttons;
        sink_->platformModifiersChanged(buttons);
        return;
    }
    if (event.type != KeyPress) return;
    CKeyCode key;
    if (keyCodeFromEvent(event.xkey, key)) sink_->platformKeyDown(key);
}

}  // namespace VSTGUI
