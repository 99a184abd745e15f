// What the X11 editor tests share: one display connection per test suite
// (Xvfb resets whenever its last client leaves), the checks that decide
// whether the suite can run, and a mapped top-level window standing in for
// the host's editor parent. Header-only; include after <X11/Xlib.h> and
// <X11/extensions/XTest.h>.
#pragma once

#include <chrono>
#include <cstdlib>
#include <thread>

namespace editortest {

class X11TestHost {
public:
    static void openSharedDisplay() {
        if (std::getenv("DISPLAY")) shared() = XOpenDisplay(nullptr);
    }
    static void closeSharedDisplay() {
        if (shared()) XCloseDisplay(shared());
        shared() = nullptr;
    }
    static Display*& shared() {
        static Display* display = nullptr;
        return display;
    }

    // Null and a reason when the tests cannot run here.
    static Display* usableDisplay(const char*& whyNot) {
        whyNot = nullptr;
        if (!std::getenv("DISPLAY")) {
            whyNot = "no X display";
            return nullptr;
        }
        if (!shared()) {
            whyNot = "cannot open the X display";
            return nullptr;
        }
        int a = 0, b = 0, c = 0, d = 0;
        if (!XTestQueryExtension(shared(), &a, &b, &c, &d)) {
            whyNot = "no XTest extension";
            return nullptr;
        }
        return shared();
    }

    // A host's idle timer for `milliseconds`: drains the test's own X
    // events, then calls `idle` (effEditIdle) every 10 ms.
    template <typename Idle>
    static void idleFor(Display* display, int milliseconds, Idle&& idle) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        do {
            XSync(display, False);
            while (XPending(display)) {
                XEvent e;
                XNextEvent(display, &e);
            }
            idle();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        } while (std::chrono::steady_clock::now() < end);
    }

    // A 640 x 267 top-level window, mapped before it is returned.
    static Window createMappedParent(Display* display) {
        const Window parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 640, 267, 0, 0, 0);
        XSelectInput(display, parent, StructureNotifyMask);
        XMapRaised(display, parent);
        for (;;) {
            XEvent e;
            XNextEvent(display, &e);
            if (e.type == MapNotify && e.xmap.window == parent) break;
        }
        return parent;
    }
};

}  // namespace editortest
