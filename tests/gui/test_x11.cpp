// The Xlib back end against a real X server (Xvfb in CI): a frame opens a
// child window in a parent window, receives a click, presents its pixels,
// shows pop-up menus and text editing, and leaves no window or connection
// behind after close, reopen and several instances. Skipped without
// DISPLAY.
#ifdef SOLVA_HAVE_X11

// gtest first: Xlib defines macros (None, Bool) that clash with it.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <thread>

#include "gui/x11/x11_platform.h"
#include "gui_test_support.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace {

using namespace VSTGUI;
using namespace guitest;

class X11Test : public ::testing::Test {
protected:
    // One connection for the whole suite: Xvfb resets (and refuses
    // connections for a moment) whenever its last client leaves.
    static void SetUpTestSuite() {
        if (std::getenv("DISPLAY")) sharedDisplay = XOpenDisplay(nullptr);
    }
    static void TearDownTestSuite() {
        if (sharedDisplay) XCloseDisplay(sharedDisplay);
        sharedDisplay = nullptr;
        setPlatformFactory(nullptr);
    }
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
        display = sharedDisplay;
        if (!display) GTEST_SKIP() << "cannot open the X display";
        setPlatformFactory(X11Platform::instance());
        parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 50, 50, 700, 300, 0, 0, 0);
        XMapWindow(display, parent);
        XSync(display, False);
        baseConnections = X11Platform::liveConnectionCount();
    }
    void TearDown() override {
        if (!display) return;
        XDestroyWindow(display, parent);
        XSync(display, False);
    }

    void* parentHandle() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(parent)); }
    static Window windowOf(IPlatformWindow* w) {
        return static_cast<Window>(reinterpret_cast<uintptr_t>(w->getNativeHandle()));
    }
    unsigned childCount(Window w) {
        Window root = 0, par = 0, *children = nullptr;
        unsigned count = 0;
        XQueryTree(display, w, &root, &par, &children, &count);
        if (children) XFree(children);
        return count;
    }
    // Pumps the frame until `done` holds or two seconds pass.
    bool pumpUntil(CFrame* frame, const std::function<bool()>& done) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (std::chrono::steady_clock::now() < end) {
            frame->idle();
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }
    void sendButton(Window target, int type, int x, int y, int xRoot, int yRoot, unsigned state,
                    unsigned button = Button1) {
        XEvent e{};
        e.xbutton.type = type;
        e.xbutton.display = display;
        e.xbutton.window = target;
        e.xbutton.root = DefaultRootWindow(display);
        e.xbutton.x = x;
        e.xbutton.y = y;
        e.xbutton.x_root = xRoot;
        e.xbutton.y_root = yRoot;
        e.xbutton.state = state;
        e.xbutton.button = button;
        e.xbutton.same_screen = True;
        XSendEvent(display, target, True, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &e);
        XFlush(display);
    }
    void click(Window target, int x, int y) {
        sendButton(target, ButtonPress, x, y, x, y, 0);
        sendButton(target, ButtonRelease, x, y, x, y, Button1Mask);
    }
    void sendKey(Window target, KeySym keysym) {
        XEvent e{};
        e.xkey.type = KeyPress;
        e.xkey.display = display;
        e.xkey.window = target;
        e.xkey.root = DefaultRootWindow(display);
        e.xkey.keycode = XKeysymToKeycode(display, keysym);
        e.xkey.same_screen = True;
        XSendEvent(display, target, True, KeyPressMask, &e);
        XFlush(display);
    }

    static Display* sharedDisplay;
    Display* display = nullptr;
    Window parent = 0;
    int baseConnections = 0;
    RecordingListener listener;
    RecordingEditor editor;
};

Display* X11Test::sharedDisplay = nullptr;

TEST_F(X11Test, FrameOpensAChildWindowAndAClickChangesAControl) {
    CFrame* frame = new CFrame(CRect(0, 0, 640, 267), parentHandle(), &editor);
    ASSERT_FALSE(frame->isHeadless());
    EXPECT_EQ(X11Platform::liveConnectionCount(), baseConnections + 1);
    EXPECT_EQ(childCount(parent), 1u);
    CBitmap* strip = makeStrip(20, 10, {kRedCColor, kGreyCColor, kBlueCColor});
    auto* sw = new CVerticalSwitch(CRect(10, 10, 30, 40), &listener, 44, 3, 10, 3, strip);
    strip->forget();
    frame->addView(sw);
    const Window child = windowOf(frame->getPlatformWindow());

    click(child, 20, 35);
    EXPECT_TRUE(pumpUntil(frame, [&] { return sw->getValue() == 1.0f; }));
    EXPECT_EQ(listener.calls.size(), 1u);
    EXPECT_EQ(editor.events.size(), 2u);

    // The window shows the redrawn switch (bottom image, pure blue in
    // whatever colour layout the window's visual has).
    frame->idle();
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(display, child, &attributes));
    const Visual* visual = attributes.visual;
    XImage* image = XGetImage(display, child, 15, 15, 1, 1, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    const unsigned long p = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    EXPECT_EQ(p & (visual->red_mask | visual->green_mask | visual->blue_mask), visual->blue_mask);
    frame->forget();
    XSync(display, False);
    EXPECT_EQ(childCount(parent), 0u);
    EXPECT_EQ(X11Platform::liveConnectionCount(), baseConnections);
}

TEST_F(X11Test, WheelNotchesTurnAControl) {
    CFrame* frame = new CFrame(CRect(0, 0, 640, 267), parentHandle(), &editor);
    auto* knob = new CKnob(CRect(100, 100, 140, 140), &listener, 3, nullptr, nullptr);
    knob->setValue(0.5f);
    frame->addView(knob);
    const Window child = windowOf(frame->getPlatformWindow());
    sendButton(child, ButtonPress, 120, 120, 120, 120, 0, Button4);  // away from the user
    sendButton(child, ButtonPress, 120, 120, 120, 120, 0, Button5);
    sendButton(child, ButtonPress, 120, 120, 120, 120, 0, Button5);
    EXPECT_TRUE(pumpUntil(frame, [&] { return listener.calls.size() == 3; }));
    EXPECT_NEAR(knob->getValue(), 0.4f, 1e-6);
    EXPECT_NEAR(listener.calls[0].value, 0.6f, 1e-6);
    frame->forget();
}

TEST_F(X11Test, AParentDestroyedBeforeCloseIsSurvived) {
    CFrame* frame = new CFrame(CRect(0, 0, 640, 267), parentHandle(), nullptr);
    frame->addView(new ProbeView(CRect(0, 0, 10, 10), kRedCColor));
    frame->idle();
    XDestroyWindow(display, parent);
    XSync(display, False);
    parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
    frame->setDirty(true);
    frame->idle();  // presents into a window that is gone
    CPoint where;
    frame->getCurrentMouseLocation(where);
    frame->getCurrentMouseButtons();
    frame->forget();
    EXPECT_EQ(X11Platform::liveConnectionCount(), baseConnections);
}

TEST_F(X11Test, CloseReopenAndTwoInstancesLeakNothing) {
    const int baseWindows = X11Platform::liveWindowCount();
    for (int round = 0; round < 3; ++round) {
        CFrame* a = new CFrame(CRect(0, 0, 640, 267), parentHandle(), nullptr);
        CFrame* b = new CFrame(CRect(0, 0, 640, 267), parentHandle(), nullptr);
        a->idle();
        b->idle();
        EXPECT_EQ(childCount(parent), 2u);
        EXPECT_EQ(X11Platform::liveConnectionCount(), baseConnections + 2);
        a->forget();
        b->forget();
        XSync(display, False);
        EXPECT_EQ(childCount(parent), 0u);
        EXPECT_EQ(X11Platform::liveConnectionCount(), baseConnections);
        EXPECT_EQ(X11Platform::liveWindowCount(), baseWindows);
    }
}

TEST_F(X11Test, AnInvalidParentFallsBackToAHeadlessFrame) {
    CFrame* frame = new CFrame(CRect(0, 0, 64, 32), reinterpret_cast<void*>(uintptr_t(0x7ffffff)), nullptr);
    EXPECT_TRUE(frame->isHeadless());
    EXPECT_EQ(X11Platform::liveConnectionCount(), baseConnections);
    frame->forget();
}

TEST_F(X11Test, PopupMenuIsATopLevelWindowThatAnOutsideClickCloses) {
    CFrame* frame = new CFrame(CRect(0, 0, 640, 267), parentHandle(), nullptr);
    auto* menu = new COptionMenu(CRect(513, 3, 600, 19), &listener, 82);
    menu->addEntry("Misc");
    menu->addEntry("Display");
    frame->addView(menu);
    const Window child = windowOf(frame->getPlatformWindow());
    const unsigned rootChildren = childCount(DefaultRootWindow(display));

    click(child, 520, 10);
    ASSERT_TRUE(pumpUntil(frame, [&] { return frame->getMenuSession() != nullptr; }));
    CMenuSession* session = frame->getMenuSession();
    EXPECT_EQ(childCount(DefaultRootWindow(display)), rootChildren + 1);
    CMenuPopup* popup = session->getPopup(0);
    const Window popupWindow = windowOf(popup->getWindow());
    XWindowAttributes attributes;
    XGetWindowAttributes(display, popupWindow, &attributes);
    EXPECT_TRUE(attributes.override_redirect);
    // Placed at the pointer in screen coordinates (parent at 50, 50).
    int x = 0, y = 0;
    Window unused = 0;
    XTranslateCoordinates(display, popupWindow, DefaultRootWindow(display), 0, 0, &x, &y, &unused);
    EXPECT_EQ(x, 50 + 520);
    EXPECT_EQ(y, 50 + 10);

    // Choose the second entry by a click at its screen position.
    const CRect entry = popup->entryScreenRect(1);
    const int ex = entry.left + 5, ey = entry.top + 3;
    sendButton(popupWindow, ButtonPress, ex - x, ey - y, ex, ey, 0);
    sendButton(popupWindow, ButtonRelease, ex - x, ey - y, ex, ey, Button1Mask);
    ASSERT_TRUE(pumpUntil(frame, [&] { return !listener.calls.empty(); }));
    EXPECT_FLOAT_EQ(listener.calls[0].value, 1.0f);
    XSync(display, False);
    EXPECT_EQ(childCount(DefaultRootWindow(display)), rootChildren);

    // Reopen and close by clicking far outside.
    click(child, 520, 10);
    ASSERT_TRUE(pumpUntil(frame, [&] { return frame->getMenuSession() != nullptr; }));
    const Window again = windowOf(frame->getMenuSession()->getPopup(0)->getWindow());
    sendButton(again, ButtonPress, -400, -40, 5, 5, 0);
    ASSERT_TRUE(pumpUntil(frame, [&] { return frame->getMenuSession() == nullptr; }));
    XSync(display, False);
    EXPECT_EQ(childCount(DefaultRootWindow(display)), rootChildren);
    EXPECT_EQ(listener.calls.size(), 1u);
    frame->forget();
}

TEST_F(X11Test, TextEditTakesTheKeyboardFocusAndReturnEndsIt) {
    CFrame* frame = new CFrame(CRect(0, 0, 640, 267), parentHandle(), nullptr);
    auto* edit = new CTextEdit(CRect(10, 10, 150, 26), &listener, 75, "Name");
    frame->addView(edit);
    const Window child = windowOf(frame->getPlatformWindow());
    click(child, 20, 15);
    ASSERT_TRUE(pumpUntil(frame, [&] { return edit->isEditing(); }));
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    EXPECT_EQ(focus, child);
    sendKey(child, XK_End);
    sendKey(child, XK_x);
    sendKey(child, XK_Return);
    ASSERT_TRUE(pumpUntil(frame, [&] { return !edit->isEditing(); }));
    EXPECT_STREQ(edit->getText(), "Namex");
    ASSERT_EQ(listener.texts.size(), 1u);
    frame->forget();
}

TEST_F(X11Test, LosingTheKeyboardFocusToTheHostEndsTextEditing) {
    CFrame* frame = new CFrame(CRect(0, 0, 640, 267), parentHandle(), nullptr);
    auto* edit = new CTextEdit(CRect(10, 10, 150, 26), &listener, 35, "Band");
    frame->addView(edit);
    const Window child = windowOf(frame->getPlatformWindow());
    click(child, 20, 15);
    ASSERT_TRUE(pumpUntil(frame, [&] { return edit->isEditing(); }));
    sendKey(child, XK_End);
    sendKey(child, XK_2);
    ASSERT_TRUE(pumpUntil(frame, [&] { return edit->getEditText() == "Band2"; }));
    XSetInputFocus(display, parent, RevertToParent, CurrentTime);  // the host takes it back
    XSync(display, False);
    ASSERT_TRUE(pumpUntil(frame, [&] { return !edit->isEditing(); }));
    EXPECT_STREQ(edit->getText(), "Band2");
    EXPECT_EQ(listener.texts.size(), 1u);
    frame->forget();
}

}  // namespace

#endif  // SOLVA_HAVE_X11
