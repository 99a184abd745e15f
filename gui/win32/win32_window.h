// One Win32 window of the back end: a frame's child window inside the
// host's parent window, or a borderless pop-up (menus) owned by it. Each
// child window registers its own window class "Plugin%p" so that
// instances never share class data; pop-ups use a class of their owner.
// The toolkit's pixels are copied with SetDIBitsToDevice (32-bit top-down
// DIB); the host's message loop delivers input to windowProc, and
// pumpEvents dispatches what is queued for our windows when the toolkit
// asks (tracking loops, idle).
#pragma once

#include <windows.h>

#include <vector>

#include "gui/platform_window.h"

namespace VSTGUI {

class Win32DropTarget;

class Win32Window : public IPlatformWindow {
public:
    // Null when the parent is not a window or the window cannot be made.
    static std::unique_ptr<Win32Window> createChild(HWND parent, const CRect& size,
                                                    IPlatformEventSink* sink);
    static std::unique_ptr<Win32Window> createPopup(Win32Window* owner, const CRect& screenRect,
                                                    IPlatformEventSink* sink);
    ~Win32Window() override;

    void present(const CPixelBuffer& pixels, const CRect& rect) override;
    CPoint getScreenOrigin() override;
    CPoint getScreenSize() override;
    bool getPointerPosition(CPoint& where) override;
    long getButtonState() override;
    void takeKeyboardFocus() override;
    void releaseKeyboardFocus() override;
    void grabInput() override;
    void pumpEvents() override;
    void* getNativeHandle() override { return window_; }
    int getDoubleClickTimeMs() override;

    HWND getWindow() const { return window_; }
    const char* getClassName() const { return className_; }

    // Live windows of this back end (children and pop-ups).
    static int liveWindowCount();

private:
    Win32Window(IPlatformEventSink* sink, Win32Window* owner);
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool handleMouse(UINT message, WPARAM wParam, LPARAM lParam);
    bool handleKey(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    CPoint messagePoint(LPARAM lParam) const;
    void updateCapture(long buttons);
    bool registerClass();

    HWND window_ = nullptr;
    HWND parent_ = nullptr;
    Win32Window* owner_;  // null for the child window
    IPlatformEventSink* sink_;
    HDC paintDC_ = nullptr;  // set while WM_PAINT runs
    Win32DropTarget* dropTarget_ = nullptr;
    bool popup_ = false;
    bool ownsClass_ = false;
    bool focusRequested_ = false;
    char className_[40] = {};
    std::vector<Win32Window*> popups_;  // on the child: its open pop-ups
};

}  // namespace VSTGUI
