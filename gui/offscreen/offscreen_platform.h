// The headless back end: windows are plain records in memory. Presenting
// copies pixels into the window's own screen image, so tests can look at
// what a real window would show. Pointer position and button state are
// unknown (the frame then uses the last event's) unless a test sets them.
#pragma once

#include <vector>

#include "gui/platform_window.h"

namespace VSTGUI {

class OffscreenWindow : public IPlatformWindow {
public:
    OffscreenWindow(const CRect& screenRect, IPlatformEventSink* sink, bool popup);
    ~OffscreenWindow() override;

    void present(const CPixelBuffer& pixels, const CRect& rect) override;
    CPoint getScreenOrigin() override { return screenRect_.getTopLeft(); }
    CPoint getScreenSize() override { return CPoint(1920, 1080); }
    bool getPointerPosition(CPoint& where) override;
    long getButtonState() override { return buttons_; }
    void takeKeyboardFocus() override { hasFocus_ = true; }
    void releaseKeyboardFocus() override { hasFocus_ = false; }
    void grabInput() override { grabbed_ = true; }
    void pumpEvents() override {}
    void* getNativeHandle() override { return this; }

    // Test controls.
    void setPointer(const CPoint& where) { pointer_ = where; pointerKnown_ = true; }
    void setButtonState(long buttons) { buttons_ = buttons; }
    bool hasKeyboardFocus() const { return hasFocus_; }
    bool isGrabbed() const { return grabbed_; }
    bool isPopup() const { return popup_; }
    const CPixelBuffer& getScreenImage() const { return screen_; }
    int getPresentCount() const { return presentCount_; }
    IPlatformEventSink* getSink() const { return sink_; }

    // Live offscreen windows (pop-ups included), oldest first.
    static const std::vector<OffscreenWindow*>& liveWindows();

private:
    CRect screenRect_;
    IPlatformEventSink* sink_;
    bool popup_;
    CPixelBuffer screen_;
    CPoint pointer_;
    bool pointerKnown_ = false;
    long buttons_ = -1;
    bool hasFocus_ = false;
    bool grabbed_ = false;
    int presentCount_ = 0;
};

class OffscreenPlatform : public IPlatformFactory {
public:
    std::unique_ptr<IPlatformWindow> createChildWindow(void* parent, const CRect& size,
                                                       IPlatformEventSink* sink) override;
    std::unique_ptr<IPlatformWindow> createPopupWindow(IPlatformWindow* owner,
                                                       const CRect& screenRect,
                                                       IPlatformEventSink* sink) override;
};

}  // namespace VSTGUI
