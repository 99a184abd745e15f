// Real input through the X server (XTest): a drag with Shift pressed in
// the middle, where the key goes to another window and the back end sees it
// only in the pointer state; and a pop-up menu used with real clicks while
// it holds the pointer grab. Skipped without DISPLAY or XTest.
#if defined(SOLVA_HAVE_X11) && defined(SOLVA_HAVE_XTEST)

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <thread>

#include "gui/x11/x11_platform.h"
#include "gui_test_support.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

using namespace VSTGUI;
using namespace guitest;

class X11InputTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (std::getenv("DISPLAY")) sharedDisplay = XOpenDisplay(nullptr);
        int event = 0, error = 0, major = 0, minor = 0;
        if (sharedDisplay && !XTestQueryExtension(sharedDisplay, &event, &error, &major, &minor)) {
            XCloseDisplay(sharedDisplay);
            sharedDisplay = nullptr;
        }
    }
    static void TearDownTestSuite() {
        if (sharedDisplay) XCloseDisplay(sharedDisplay);
        sharedDisplay = nullptr;
        setPlatformFactory(nullptr);
    }
    void SetUp() override {
        display = sharedDisplay;
        if (!display) GTEST_SKIP() << "no X display with XTest";
        setPlatformFactory(X11Platform::instance());
        parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 40, 30, 700, 300, 0, 0, 0);
        XMapWindow(display, parent);
        XSync(display, False);
        frame = new CFrame(CRect(0, 0, 640, 267), reinterpret_cast<void*>(uintptr_t(parent)), &editor);
        frame->idle();
    }
    void TearDown() override {
        if (!display) return;
        frame->forget();
        XDestroyWindow(display, parent);
        XSync(display, False);
    }

    // Moves the real pointer to a frame point and lets the frame see it.
    void moveTo(int x, int y) {
        const CPoint screen = frame->frameToScreen(CPoint(x, y));
        moveToScreen(screen.h, screen.v);
    }
    void moveToScreen(int x, int y) {
        XTestFakeMotionEvent(display, DefaultScreen(display), x, y, CurrentTime);
        settle();
    }
    void button(bool down) {
        XTestFakeButtonEvent(display, 1, down ? True : False, CurrentTime);
        settle();
    }
    void key(KeySym keysym, bool down) {
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), down ? True : False, CurrentTime);
        settle();
    }
    void settle() {
        XSync(display, False);
        for (int i = 0; i < 5; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
            frame->idle();
        }
    }

    static Display* sharedDisplay;
    Display* display = nullptr;
    Window parent = 0;
    CFrame* frame = nullptr;
    RecordingListener listener;
    RecordingEditor editor;
};

Display* X11InputTest::sharedDisplay = nullptr;

TEST_F(X11InputTest, ShiftPressedDuringARealDragSwitchesToFineWithoutAJump) {
    auto* knob = new CKnob(CRect(100, 100, 140, 140), &listener, 5, nullptr, nullptr);
    knob->setValue(0.0f);
    frame->addView(knob);
    moveTo(120, 120);
    button(true);
    moveTo(220, 120);
    EXPECT_NEAR(knob->getValue(), 0.5f, 1e-4);
    key(XK_Shift_L, true);  // the key event itself goes to another window
    EXPECT_NEAR(knob->getValue(), 0.5f, 1e-4);
    moveTo(620, 120);  // 400 fine pixels = 0.1
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-3);
    key(XK_Shift_L, false);
    moveTo(640, 120);  // 20 coarse pixels = 0.1
    EXPECT_NEAR(knob->getValue(), 0.7f, 1e-3);
    button(false);
    ASSERT_EQ(editor.events.size(), 2u);
    EXPECT_EQ(editor.events[0].first, 'b');
    EXPECT_EQ(editor.events[1].first, 'e');
}

TEST_F(X11InputTest, RealClicksOpenChooseAndDismissAPopupMenu) {
    auto* menu = new COptionMenu(CRect(513, 3, 600, 19), &listener, 82);
    menu->addEntry("Misc");
    menu->addEntry("-");
    menu->addEntry("Save Options");
    frame->addView(menu);
    moveTo(520, 10);
    button(true);
    ASSERT_NE(frame->getMenuSession(), nullptr);
    button(false);  // the opening click's release chooses nothing
    ASSERT_NE(frame->getMenuSession(), nullptr);
    EXPECT_TRUE(listener.calls.empty());
    const CRect entry = frame->getMenuSession()->getPopup(0)->entryScreenRect(2);
    moveToScreen(entry.left + 10, entry.top + 4);
    EXPECT_EQ(frame->getMenuSession()->getPopup(0)->getHighlight(), 2);
    button(true);
    button(false);
    ASSERT_EQ(listener.calls.size(), 1u);
    EXPECT_FLOAT_EQ(listener.calls[0].value, 2.0f);
    EXPECT_EQ(frame->getMenuSession(), nullptr);

    // Open again and click outside every window: it closes, nothing chosen.
    moveTo(520, 10);
    button(true);
    button(false);
    ASSERT_NE(frame->getMenuSession(), nullptr);
    moveToScreen(5, 5);
    button(true);
    button(false);
    EXPECT_EQ(frame->getMenuSession(), nullptr);
    EXPECT_EQ(listener.calls.size(), 1u);
}

TEST_F(X11InputTest, HoveringOpensASubMenuWindowWhoseEntryReportsToTheSubMenu) {
    auto* menu = new COptionMenu(CRect(10, 3, 100, 19), &listener, 69);
    auto* sub = new COptionMenu(CRect(0, 0, 1, 1), &listener, 116);
    sub->addEntry(" Init");
    sub->addEntry(" Warm Air");
    menu->addEntry(sub, " Factory");
    sub->forget();
    menu->addEntry("-");
    menu->addEntry("Import Bank");
    frame->addView(menu);
    moveTo(20, 10);
    button(true);
    button(false);
    ASSERT_NE(frame->getMenuSession(), nullptr);
    const CRect parentEntry = frame->getMenuSession()->getPopup(0)->entryScreenRect(0);
    moveToScreen(parentEntry.left + 10, parentEntry.top + 4);
    ASSERT_EQ(frame->getMenuSession()->getDepth(), 2);
    const CRect child = frame->getMenuSession()->getPopup(1)->entryScreenRect(1);
    // Across the parent entry into the sub-menu window, then click.
    moveToScreen(child.left + 5, parentEntry.top + 4);
    moveToScreen(child.left + 10, child.top + 4);
    EXPECT_EQ(frame->getMenuSession()->getPopup(1)->getHighlight(), 1);
    button(true);
    button(false);
    ASSERT_EQ(listener.calls.size(), 1u);
    EXPECT_EQ(listener.calls[0].tag, 116);
    EXPECT_FLOAT_EQ(listener.calls[0].value, 1.0f);
    EXPECT_EQ(frame->getMenuSession(), nullptr);
}

TEST_F(X11InputTest, EscapeClosesAnOpenMenu) {
    auto* menu = new COptionMenu(CRect(10, 3, 100, 19), &listener, 70);
    menu->addEntry("One");
    frame->addView(menu);
    moveTo(20, 10);
    button(true);
    button(false);
    ASSERT_NE(frame->getMenuSession(), nullptr);
    key(XK_Escape, true);
    key(XK_Escape, false);
    EXPECT_EQ(frame->getMenuSession(), nullptr);
}

}  // namespace

#endif
