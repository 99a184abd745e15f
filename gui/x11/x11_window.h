// One X11 window of the back end: a frame's child window (owning the
// Display connection) or a pop-up sharing its owner's connection.
#pragma once

#include <X11/Xlib.h>

#include <map>

#include "gui/platform_window.h"

namespace VSTGUI {

class X11Window : public IPlatformWindow {
public:
    // Null when the display cannot be opened or the parent is invalid.
    static std::unique_ptr<X11Window> createChild(Window parent, const CRect& size,
                                                  IPlatformEventSink* sink);
    static std::unique_ptr<X11Window> createPopup(X11Window* owner, const CRect& screenRect,
                                                  IPlatformEventSink* sink);
    ~X11Window() override;

    void present(const CPixelBuffer& pixels, const CRect& rect) override;
    CPoint getScreenOrigin() override;
    CPoint getScreenSize() override;
    bool getPointerPosition(CPoint& where) override;
    long getButtonState() override;
    void takeKeyboardFocus() override;
    void releaseKeyboardFocus() override;
    void grabInput() override;
    void pumpEvents() override;
    void* getNativeHandle() override;
    int getDoubleClickTimeMs() override { return 400; }

    Window getWindow() const { return window_; }
    Display* getDisplay() const { return display_; }

private:
    X11Window(Display* display, Window window, X11Window* owner, IPlatformEventSink* sink);
    void dispatch(XEvent& event);
    void handlePointer(XEvent& event);
    void handleKey(XEvent& event);
    void pollModifiers();
    bool queryPointer(CPoint& where, unsigned int& mask);
    CPoint eventPoint(int x, int y, int xRoot, int yRoot) const;

    Display* display_;
    Window window_;
    Window parent_ = 0;
    X11Window* owner_;  // null for the child window that owns the display
    IPlatformEventSink* sink_;
    GC gc_ = nullptr;
    Colormap colormap_ = 0;  // own colormap when not using the parent's visual
    Visual* visual_ = nullptr;
    int depth_ = 24;
    bool popup_ = false;
    bool grabbed_ = false;
    bool focusRequested_ = false;
    long lastButtons_ = 0;
    std::map<Window, X11Window*> windows_;  // on the owner: itself and its pop-ups
};

}  // namespace VSTGUI
