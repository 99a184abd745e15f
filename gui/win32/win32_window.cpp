#include "gui/win32/win32_window.h"

#include <algorithm>
#include <atomic>
#include <cstdio>

#include "gui/cbuttons.h"
#include "gui/win32/win32_drop_target.h"
#include "gui/win32/win32_input.h"

namespace VSTGUI {

namespace {

std::atomic<int> gWindows{0};

constexpr int kMinDoubleClickMs = 250;
constexpr int kMaxMessagesPerPump = 256;  // bounds a pump that keeps finding work

// The module that holds this code (the plug-in library), whose instance
// handle owns our window classes.
HINSTANCE codeModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&codeModule), &module);
    return module;
}

CPoint pointOf(LPARAM lParam) {
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

long buttonBitOfMessage(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP: return kLButton;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP: return kMButton;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: return kRButton;
        default: return 0;
    }
}

}  // namespace

int Win32Window::liveWindowCount() { return gWindows.load(); }

Win32Window::Win32Window(IPlatformEventSink* sink, Win32Window* owner) : owner_(owner), sink_(sink) {
    std::snprintf(className_, sizeof className_, "Plugin%p", static_cast<void*>(this));
}

bool Win32Window::registerClass() {
    WNDCLASSA windowClass = {};
    windowClass.style = 0;  // no CS_DBLCLKS: the toolkit times double clicks itself
    windowClass.lpfnWndProc = &Win32Window::windowProc;
    windowClass.hInstance = codeModule();
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = nullptr;  // every pixel comes from the toolkit
    windowClass.lpszClassName = className_;
    ownsClass_ = RegisterClassA(&windowClass) != 0;
    return ownsClass_;
}

std::unique_ptr<Win32Window> Win32Window::createChild(HWND parent, const CRect& size,
                                                      IPlatformEventSink* sink) {
    if (!parent || !IsWindow(parent)) return nullptr;
    std::unique_ptr<Win32Window> result(new Win32Window(sink, nullptr));
    if (!result->registerClass()) return nullptr;
    result->parent_ = parent;
    const HWND window = CreateWindowExA(0, result->className_, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                        0, 0, size.width(), size.height(), parent, nullptr, codeModule(),
                                        result.get());
    if (!window) return nullptr;
    result->dropTarget_ = registerDropTarget(window);
    return result;
}

std::unique_ptr<Win32Window> Win32Window::createPopup(Win32Window* owner, const CRect& screenRect,
                                                      IPlatformEventSink* sink) {
    if (!owner || !owner->window_) return nullptr;
    std::unique_ptr<Win32Window> result(new Win32Window(sink, owner));
    if (!result->registerClass()) return nullptr;
    result->popup_ = true;
    const HWND topLevel = GetAncestor(owner->window_, GA_ROOT);
    const HWND window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, result->className_,
                                        "", WS_POPUP, screenRect.left, screenRect.top, screenRect.width(),
                                        screenRect.height(), topLevel, nullptr, codeModule(), result.get());
    if (!window) return nullptr;
    owner->popups_.push_back(result.get());
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    return result;
}

Win32Window::~Win32Window() {
    if (focusRequested_) releaseKeyboardFocus();
    if (owner_) owner_->popups_.erase(std::remove(owner_->popups_.begin(), owner_->popups_.end(), this),
                                      owner_->popups_.end());
    if (window_) {
        if (dropTarget_) unregisterDropTarget(window_, dropTarget_);
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
        window_ = nullptr;
        --gWindows;
    }
    if (ownsClass_) UnregisterClassA(className_, codeModule());
}

LRESULT CALLBACK Win32Window::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<Win32Window*>(create->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
        ++gWindows;
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The host destroyed its parent window before the editor closed:
        // nothing may be drawn into a stale handle afterwards.
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        if (self->dropTarget_) unregisterDropTarget(window, self->dropTarget_);
        self->dropTarget_ = nullptr;
        self->window_ = nullptr;
        --gWindows;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return self->handleMessage(message, wParam, lParam);
}

LRESULT Win32Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: paint(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_MOUSEACTIVATE:
            if (popup_) return MA_NOACTIVATE;
            break;
        case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS;
        case WM_KILLFOCUS:
            if (focusRequested_) {
                focusRequested_ = false;
                sink_->platformFocusLost();
            }
            return 0;
        default:
            if (handleMouse(message, wParam, lParam) || handleKey(message, wParam, lParam)) return 0;
            break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void Win32Window::paint() {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(window_, &ps);
    paintDC_ = dc;
    const RECT& r = ps.rcPaint;
    if (r.right > r.left && r.bottom > r.top) sink_->platformExposed(CRect(r.left, r.top, r.right, r.bottom));
    paintDC_ = nullptr;
    EndPaint(window_, &ps);
}

// Child windows report window coordinates, pop-ups screen coordinates.
CPoint Win32Window::messagePoint(LPARAM lParam) const {
    const CPoint p = pointOf(lParam);
    if (!popup_) return p;
    POINT screen = {p.h, p.v};
    ClientToScreen(window_, &screen);
    return CPoint(screen.x, screen.y);
}

// The child window holds the pointer while any button is down, so a drag
// that leaves the window keeps reaching its control.
void Win32Window::updateCapture(long buttons) {
    if (popup_) return;
    if (buttons & kAnyMouseButton) {
        if (GetCapture() != window_) SetCapture(window_);
    } else if (GetCapture() == window_) {
        ReleaseCapture();
    }
}

bool Win32Window::handleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEMOVE: sink_->platformMouseMoved(messagePoint(lParam), buttonsFromMessage(wParam)); return true;
        case WM_LBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_RBUTTONDOWN: {
            const long buttons = buttonsFromMessage(wParam) | buttonBitOfMessage(message);
            updateCapture(buttons);
            sink_->platformMouseDown(messagePoint(lParam), buttons);
            return true;
        }
        case WM_LBUTTONUP:
        case WM_MBUTTONUP:
        case WM_RBUTTONUP: {
            const long buttons = buttonsFromMessage(wParam) & ~buttonBitOfMessage(message);
            updateCapture(buttons);
            sink_->platformMouseUp(messagePoint(lParam), buttons);
            return true;
        }
        case WM_MOUSEWHEEL: {
            // Positive deltas turn the wheel away from the user; one notch
            // is WHEEL_DELTA. The message carries screen coordinates.
            const float distance = static_cast<float>(GET_WHEEL_DELTA_WPARAM(wParam)) / WHEEL_DELTA;
            POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (!popup_) ScreenToClient(window_, &p);
            sink_->platformWheel(CPoint(p.x, p.y), distance, buttonsFromMessage(GET_KEYSTATE_WPARAM(wParam)));
            return true;
        }
        default: return false;
    }
}

bool Win32Window::handleKey(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
            if (const long modifier = modifierBitOfVirtualKey(wParam)) {
                long buttons = asyncButtonState();
                buttons = down ? (buttons | modifier) : (buttons & ~modifier);
                sink_->platformModifiersChanged(buttons);
                return true;
            }
            CKeyCode key;
            if (down && keyCodeFromVirtualKey(wParam, lParam, key)) {
                sink_->platformKeyDown(key);
                return true;
            }
            // Alt combinations stay with the system (menus, Alt+F4).
            return message == WM_KEYDOWN || message == WM_KEYUP;
        }
        case WM_CHAR: {
            CKeyCode key;
            if (keyCodeFromCharacter(wParam, key)) sink_->platformKeyDown(key);
            return true;
        }
        default: return false;
    }
}

void Win32Window::present(const CPixelBuffer& pixels, const CRect& rect) {
    if (!window_) return;
    CRect r = rect;
    r.bound(pixels.bounds());
    if (r.isEmpty()) return;
    // A top-down DIB holding exactly the rows of the area: the pixel words
    // 0xAARRGGBB are the B, G, R, x bytes of a 32-bit BI_RGB bitmap.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = pixels.getWidth();
    info.bmiHeader.biHeight = -r.height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const HDC dc = paintDC_ ? paintDC_ : GetDC(window_);
    if (!dc) return;
    StretchDIBits(dc, r.left, r.top, r.width(), r.height(), r.left, 0, r.width(), r.height(), pixels.row(r.top),
                  &info, DIB_RGB_COLORS, SRCCOPY);
    if (!paintDC_) ReleaseDC(window_, dc);
}

CPoint Win32Window::getScreenOrigin() {
    POINT p = {0, 0};
    if (window_) ClientToScreen(window_, &p);
    return CPoint(p.x, p.y);
}

CPoint Win32Window::getScreenSize() {
    return CPoint(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

bool Win32Window::getPointerPosition(CPoint& where) {
    POINT p;
    if (!window_ || !GetCursorPos(&p)) return false;
    if (!popup_) ScreenToClient(window_, &p);
    where = CPoint(p.x, p.y);
    return true;
}

long Win32Window::getButtonState() { return asyncButtonState(); }

int Win32Window::getDoubleClickTimeMs() {
    return std::max(kMinDoubleClickMs, static_cast<int>(GetDoubleClickTime()));
}

void Win32Window::takeKeyboardFocus() {
    if (!window_) return;
    focusRequested_ = true;
    SetFocus(window_);
}

void Win32Window::releaseKeyboardFocus() {
    if (!focusRequested_) return;
    focusRequested_ = false;
    if (window_ && GetFocus() == window_ && parent_) SetFocus(parent_);
}

// Menus: every press, also outside the pop-ups, comes to the pop-up while
// it holds the capture; keys reach the frame's window, which hands them to
// the open menu.
void Win32Window::grabInput() {
    if (!window_) return;
    SetCapture(window_);
    if (owner_ && owner_->window_ && GetFocus() != owner_->window_) SetFocus(owner_->window_);
}

// Dispatches what is queued for the child window and its pop-ups without
// waiting for more. The host's message loop does the same between calls.
void Win32Window::pumpEvents() {
    if (owner_ || !window_) return;  // pop-ups are served by their owner
    std::vector<HWND> windows(1, window_);
    for (Win32Window* popup : popups_)
        if (popup->window_) windows.push_back(popup->window_);
    MSG msg;
    int handled = 0;
    for (HWND window : windows) {
        while (handled < kMaxMessagesPerPump && IsWindow(window) &&
               PeekMessageA(&msg, window, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            ++handled;
        }
    }
}

}  // namespace VSTGUI
