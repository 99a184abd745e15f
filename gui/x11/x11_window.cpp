#include "gui/x11/x11_window.h"

#include <X11/Xutil.h>

#include <atomic>
#include <cstdint>
#include <vector>

#include "gui/cbuttons.h"
#include "gui/x11/x11_input.h"
#include "gui/x11/x11_platform.h"

namespace VSTGUI {

namespace {

std::atomic<int> gConnections{0};
std::atomic<int> gWindows{0};

bool gErrorSeen = false;

int ignoreXError(Display*, XErrorEvent*) {
    gErrorSeen = true;
    return 0;
}

// Requests that may fail because the host destroyed its parent window (or
// a window is not viewable yet) must not reach the process-wide error
// handler, which by default exits. Errors are flushed and dropped.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display) : display_(display), old_(XSetErrorHandler(ignoreXError)) {
        gErrorSeen = false;
    }
    ~ErrorTrap() {
        XSync(display_, False);
        XSetErrorHandler(old_);
    }
    // Waits for the server's answers; true when a request failed.
    bool failed() {
        XSync(display_, False);
        return gErrorSeen;
    }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

private:
    Display* display_;
    XErrorHandler old_;
};

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

namespace {

// The visual our windows use: the parent's when it is 24- or 32-bit, else a
// 24-bit TrueColor visual with its own colormap (null visual = the parent's).
struct VisualChoice {
    Visual* visual = nullptr;
    int depth = CopyFromParent;
    Colormap colormap = 0;
};

VisualChoice chooseVisual(Display* display, Window parent) {
    VisualChoice choice;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, parent, &attributes) || attributes.depth == 24 ||
        attributes.depth == 32)
        return choice;
    XVisualInfo info;
    if (!XMatchVisualInfo(display, DefaultScreen(display), 24, TrueColor, &info)) return choice;
    choice.visual = info.visual;
    choice.depth = info.depth;
    choice.colormap = XCreateColormap(display, parent, info.visual, AllocNone);
    return choice;
}

Window createWindow(Display* display, Window parent, const CRect& r, XSetWindowAttributes& attributes,
                    unsigned long mask, const VisualChoice& choice) {
    if (choice.visual) {
        attributes.colormap = choice.colormap;
        attributes.border_pixel = 0;
        mask |= CWColormap | CWBorderPixel;
    }
    return XCreateWindow(display, parent, r.left, r.top, r.width(), r.height(), 0, choice.depth,
                         InputOutput, choice.visual ? choice.visual : CopyFromParent, mask,
                         &attributes);
}

}  // namespace

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
        ErrorTrap trap(display);
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
        ErrorTrap trap(display_);
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

namespace {

struct ChannelLayout {
    int shift = 0;
    int bits = 0;
};

ChannelLayout layoutOf(unsigned long mask) {
    ChannelLayout c;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++c.shift;
    }
    while (mask & 1) {
        mask >>= 1;
        ++c.bits;
    }
    return c;
}

// An 8-bit channel value scaled to `c.bits` bits and moved into place.
inline uint32_t place(uint32_t value8, const ChannelLayout& c) {
    const uint32_t scaled = c.bits >= 8 ? (value8 << (c.bits - 8)) | (value8 >> (16 - c.bits))
                                        : value8 >> (8 - c.bits);
    return scaled << c.shift;
}

// The rectangle's pixels in the layout of the visual, as 32-bit words or,
// for 15/16-bit visuals, packed into 16-bit halves of `out`.
void convertForVisual(const CPixelBuffer& pixels, const CRect& r, const Visual& v, bool sixteenBit,
                      std::vector<uint32_t>& out) {
    const ChannelLayout red = layoutOf(v.red_mask), green = layoutOf(v.green_mask),
                        blue = layoutOf(v.blue_mask);
    const size_t count = static_cast<size_t>(r.width()) * r.height();
    out.assign(sixteenBit ? (count + 1) / 2 : count, 0);
    uint16_t* out16 = reinterpret_cast<uint16_t*>(out.data());
    size_t i = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x, ++i) {
            const uint32_t p = pixels.row(y)[x];
            const uint32_t value =
                place((p >> 16) & 0xff, red) | place((p >> 8) & 0xff, green) | place(p & 0xff, blue);
            if (sixteenBit)
                out16[i] = static_cast<uint16_t>(value);
            else
                out[i] = value;
        }
}

}  // namespace

void X11Window::present(const CPixelBuffer& pixels, const CRect& rect) {
    const bool sixteenBit = depth_ == 15 || depth_ == 16;
    if (!visual_ || (depth_ < 24 && !sixteenBit)) return;
    CRect r = rect;
    r.bound(pixels.bounds());
    if (r.isEmpty()) return;
    const bool standard = depth_ <= 32 && depth_ >= 24 && visual_->red_mask == 0xFF0000 &&
                          visual_->green_mask == 0xFF00 && visual_->blue_mask == 0xFF;
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
        ErrorTrap trap(display_);
        XPutImage(display_, window_, gc_, image, source.h, source.v, r.left, r.top, r.width(),
                  r.height());
    }
    image->data = nullptr;  // the pixels belong to the caller
    XDestroyImage(image);
}

CPoint X11Window::getScreenOrigin() {
    int x = 0, y = 0;
    Window child = 0;
    ErrorTrap trap(display_);
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
    ErrorTrap trap(display_);  // the host may have destroyed its window
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
    ErrorTrap trap(display_);
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
}

void X11Window::releaseKeyboardFocus() {
    if (!focusRequested_) return;
    focusRequested_ = false;
    ErrorTrap trap(display_);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    if (focus == window_ && parent_) XSetInputFocus(display_, parent_, RevertToParent, CurrentTime);
}

void X11Window::grabInput() {
    ErrorTrap trap(display_);
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

CPoint X11Window::eventPoint(int x, int y, int xRoot, int yRoot) const {
    return popup_ ? CPoint(xRoot, yRoot) : CPoint(x, y);
}

// Dispatches everything queued on the connection (the child window and its
// pop-ups) without waiting for more.
void X11Window::pumpEvents() {
    if (owner_) return;  // pop-ups are served by their owner
    ErrorTrap trap(display_);
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
