#include "gui/x11/x11_window.h"

#include <X11/Xutil.h>

#include <atomic>
#include <cstdint>
#include <vector>

#include "gui/cbuttons.h"
#include "gui/x11/x11_error_trap.h"
#include "gui/x11/x11_input.h"
#include "gui/x11/x11_platform.h"
#include "gui/x11/x11_visual.h"

namespace VSTGUI {

namespace {

std::atomic<int> gConnections{0};
std::atomic<int> gWindows{0};

constexpr long kChildEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask |
                                 PointerMotionMask | KeyPressMask | KeyReleaseMask |
                                 FocusChangeMask | StructureNotifyMask;
constexpr long kPopupEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask |
                                 PointerMotionMask | KeyPressMask | KeyReleaseMask;

}  // namespace

int X11Platform::liveConnectionCount() { return gConnections.load(); }
int X11Platform::liveWindowCount() { return gWindows.load(); }

X11Window::X11Window(Display* display, Window window, X11Window* owner, IPlatformEventSink* sink)
    : display_(display), window_(window), owner_(owner), sink_(sink) {
    ++gWindows;
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display_, window_, &attributes)) {
        visual_ = attributes.visual;
        depth_ = attributes.depth;
    }
    gc_ = XCreateGC(display_, window_, 0, nullptr);
    X11Window* root = owner_ ? owner_ : this;
    root->windows_[window_] = this;
}

std::unique_ptr<X11Window> X11Window::createChild(Window parent, const CRect& size,
                                                  IPlatformEventSink* sink) {
    if (parent == 0) return nullptr;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return nullptr;
    ++gConnections;
    bool failed = false;
    Window window = 0;
    VisualChoice choice;
    {
        X11ErrorTrap trap(display);
        choice = chooseVisual(display, parent);
        XSetWindowAttributes attributes;
        attributes.background_pixmap = None;
        attributes.event_mask = kChildEventMask;
        window = createWindow(display, parent, CRect(0, 0, size.width(), size.height()), attributes,
                              CWBackPixmap | CWEventMask, choice);
        failed = trap.failed();
    }
    if (window == 0 || failed) {
        if (choice.colormap) XFreeColormap(display, choice.colormap);
        XCloseDisplay(display);
        --gConnections;
        return nullptr;
    }
    std::unique_ptr<X11Window> result(new X11Window(display, window, nullptr, sink));
    result->parent_ = parent;
    result->colormap_ = choice.colormap;
    XMapWindow(display, window);
    XSync(display, False);
    return result;
}

std::unique_ptr<X11Window> X11Window::createPopup(X11Window* owner, const CRect& screenRect,
                                                  IPlatformEventSink* sink) {
    if (!owner) return nullptr;
    Display* display = owner->display_;
    const Window root = DefaultRootWindow(display);
    const VisualChoice choice = chooseVisual(display, root);
    XSetWindowAttributes attributes;
    attributes.override_redirect = True;
    attributes.save_under = True;
    attributes.background_pixmap = None;
    attributes.event_mask = kPopupEventMask;
    const Window window =
        createWindow(display, root, screenRect, attributes,
                     CWOverrideRedirect | CWSaveUnder | CWBackPixmap | CWEventMask, choice);
    std::unique_ptr<X11Window> result(new X11Window(display, window, owner, sink));
    result->popup_ = true;
    result->colormap_ = choice.colormap;
    XMapRaised(display, window);
    XSync(display, False);
    return result;
}

X11Window::~X11Window() {
    {
        X11ErrorTrap trap(display_);
        if (grabbed_) {
            XUngrabPointer(display_, CurrentTime);
            XUngrabKeyboard(display_, CurrentTime);
        }
        if (focusRequested_) releaseKeyboardFocus();
        XFreeGC(display_, gc_);
        XDestroyWindow(display_, window_);
        if (colormap_) XFreeColormap(display_, colormap_);
    }
    --gWindows;
    if (owner_) {
        owner_->windows_.erase(window_);
        return;
    }
    XCloseDisplay(display_);
    --gConnections;
}

void X11Window::present(const CPixelBuffer& pixels, const CRect& rect) {
    const bool sixteenBit = depth_ == 15 || depth_ == 16;
    if (!visual_ || (depth_ < 24 && !sixteenBit)) return;
    CRect r = rect;
    r.bound(pixels.bounds());
    if (r.isEmpty()) return;
    const bool standard = isStandardVisual(*visual_, depth_);
    std::vector<uint32_t> converted;
    const uint32_t* data = pixels.data();
    int width = pixels.getWidth(), height = pixels.getHeight();
    CPoint source(r.left, r.top);
    if (!standard) {
        convertForVisual(pixels, r, *visual_, sixteenBit, converted);
        data = converted.data();
        width = r.width();
        height = r.height();
        source = CPoint(0, 0);
    }
    const int bitsPerPixel = sixteenBit ? 16 : 32;
    XImage* image = XCreateImage(display_, visual_, depth_, ZPixmap, 0,
                                 reinterpret_cast<char*>(const_cast<uint32_t*>(data)), width,
                                 height, bitsPerPixel, width * bitsPerPixel / 8);
    if (!image) return;
    // The buffer holds native words; Xlib swaps for the server.
    const uint32_t probe = 1;
    image->byte_order = *reinterpret_cast<const unsigned char*>(&probe) ? LSBFirst : MSBFirst;
    {
        X11ErrorTrap trap(display_);
        XPutImage(display_, window_, gc_, image, source.h, source.v, r.left, r.top, r.width(),
                  r.height());
    }
    image->data = nullptr;  // the pixels belong to the caller
    XDestroyImage(image);
}

CPoint X11Window::getScreenOrigin() {
    int x = 0, y = 0;
    Window child = 0;
    X11ErrorTrap trap(display_);
    XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
    return CPoint(x, y);
}

CPoint X11Window::getScreenSize() {
    const int screen = DefaultScreen(display_);
    return CPoint(DisplayWidth(display_, screen), DisplayHeight(display_, screen));
}

bool X11Window::queryPointer(CPoint& where, unsigned int& mask) {
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    mask = 0;
    X11ErrorTrap trap(display_);  // the host may have destroyed its window
    if (!XQueryPointer(display_, window_, &root, &child, &rootX, &rootY, &x, &y, &mask) ||
        trap.failed())
        return false;
    where = popup_ ? CPoint(rootX, rootY) : CPoint(x, y);
    return true;
}

bool X11Window::getPointerPosition(CPoint& where) {
    unsigned int mask = 0;
    return queryPointer(where, mask);
}

long X11Window::getButtonState() {
    CPoint where;
    unsigned int mask = 0;
    if (!queryPointer(where, mask)) return lastButtons_;
    return buttonsFromState(mask);
}

void X11Window::takeKeyboardFocus() {
    focusRequested_ = true;
    X11ErrorTrap trap(display_);
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
}

void X11Window::releaseKeyboardFocus() {
    if (!focusRequested_) return;
    focusRequested_ = false;
    X11ErrorTrap trap(display_);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    if (focus == window_ && parent_) XSetInputFocus(display_, parent_, RevertToParent, CurrentTime);
}

void X11Window::grabInput() {
    X11ErrorTrap trap(display_);
    const int pointer = XGrabPointer(display_, window_, False,
                                     ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                                     GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    const int keyboard =
        XGrabKeyboard(display_, window_, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    grabbed_ = pointer == GrabSuccess || keyboard == GrabSuccess;
}

void* X11Window::getNativeHandle() {
    return reinterpret_cast<void*>(static_cast<uintptr_t>(window_));
}

}  // namespace VSTGUI
