// The seam between the toolkit and a windowing system. The toolkit renders
// everything into CPixelBuffers; a back end only creates windows, copies
// pixels to them and delivers input. Back ends: gui/x11 (Xlib),
// gui/offscreen (headless, always available), gui/win32 (when present).
//
// All calls happen on the user-interface thread.
#pragma once

#include <memory>

#include "gui/cgeometry.h"
#include "gui/ckeycode.h"
#include "gui/cpixelbuffer.h"

namespace VSTGUI {

// Receives the input of one platform window. Child (frame) windows report
// points in window coordinates; pop-up windows report screen coordinates.
// `buttons` are the CButton bits held after the event (for a press they
// include the pressed button, for a release they no longer do).
class IPlatformEventSink {
public:
    virtual ~IPlatformEventSink() = default;
    virtual void platformMouseDown(CPoint where, long buttons) = 0;
    virtual void platformMouseMoved(CPoint where, long buttons) = 0;
    virtual void platformMouseUp(CPoint where, long buttons) = 0;
    // distance: +1 per notch away from the user, -1 towards.
    virtual void platformWheel(CPoint where, float distance, long buttons) = 0;
    // Modifier keys changed without pointer motion.
    virtual void platformModifiersChanged(long buttons) = 0;
    // Returns true when the key was used.
    virtual bool platformKeyDown(const CKeyCode& key) = 0;
    // The window lost the keyboard focus it had asked for.
    virtual void platformFocusLost() = 0;
    // Part of the window must be copied to the screen again.
    virtual void platformExposed(const CRect& rect) = 0;
};

class IPlatformWindow {
public:
    virtual ~IPlatformWindow() = default;
    // Copies `rect` of `pixels` (same size as the window) to the screen.
    virtual void present(const CPixelBuffer& pixels, const CRect& rect) = 0;
    // Screen position of the window's top-left corner.
    virtual CPoint getScreenOrigin() = 0;
    // Screen size in pixels, for keeping pop-ups on screen.
    virtual CPoint getScreenSize() = 0;
    // Pointer position in window coordinates; false when unknown.
    virtual bool getPointerPosition(CPoint& where) = 0;
    // Buttons and modifiers held now (CButton bits).
    virtual long getButtonState() = 0;
    virtual void takeKeyboardFocus() = 0;
    virtual void releaseKeyboardFocus() = 0;
    // Pop-ups: grab pointer and keyboard so that outside clicks and Escape
    // reach the pop-up; released when the window is destroyed.
    virtual void grabInput() {}
    // Processes pending window-system events without blocking.
    virtual void pumpEvents() = 0;
    // Native handle (X11 Window id, HWND) or null.
    virtual void* getNativeHandle() = 0;
    virtual int getDoubleClickTimeMs() { return 400; }
};

class IPlatformFactory {
public:
    virtual ~IPlatformFactory() = default;
    // A child window of `parent` (native handle) with the given size; null
    // when the window system is unavailable.
    virtual std::unique_ptr<IPlatformWindow> createChildWindow(void* parent, const CRect& size,
                                                               IPlatformEventSink* sink) = 0;
    // A borderless top-level window at `screenRect` that belongs to `owner`
    // (it shares its event processing); null when not possible.
    virtual std::unique_ptr<IPlatformWindow> createPopupWindow(IPlatformWindow* owner,
                                                               const CRect& screenRect,
                                                               IPlatformEventSink* sink) = 0;
};

// The factory frames use. Back-end libraries install theirs when they are
// linked in; without one (or when it fails) frames run headless on the
// offscreen back end. Passing null restores the offscreen default.
void setPlatformFactory(IPlatformFactory* factory);
IPlatformFactory* getPlatformFactory();
IPlatformFactory* getOffscreenPlatformFactory();

}  // namespace VSTGUI
