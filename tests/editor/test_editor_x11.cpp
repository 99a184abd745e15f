// The editor in real X11 windows (Xvfb in CI), reached only through the
// VST opcodes: effEditOpen with a parent window made here, effEditIdle as
// a host's timer sends it, and real pointer events from the XTest
// extension. Skipped without DISPLAY.
#include "editor_test_support.h"

#if defined(SOLVA_HAVE_X11) && defined(SOLVA_HAVE_XTEST)
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "x11_test_host.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

#include "gui/x11/x11_platform.h"
#ifdef SOLVA_HAVE_PNG
#include "gui/png/image_compare.h"
#include "gui/png/png_io.h"
#endif

namespace editortest {
namespace {

class X11Editor : public ::testing::Test {
protected:
    // One connection for the whole suite: Xvfb resets whenever its last
    // client leaves.
    static void SetUpTestSuite() { editortest::X11TestHost::openSharedDisplay(); }
    static void TearDownTestSuite() {
        editortest::X11TestHost::closeSharedDisplay();
    }

    void SetUp() override {
        const char* whyNot = nullptr;
        display = editortest::X11TestHost::usableDisplay(whyNot);
        if (!display) GTEST_SKIP() << whyNot;
        usePrivateInstallDirectory("editor-snapshot-install", true);
        setPlatformFactory(X11Platform::instance());
        baseConnections = X11Platform::liveConnectionCount();
        baseWindows = X11Platform::liveWindowCount();
        effect = new CBorvan(&hostCallback, &solva::createBorvanEditor);
        parent = editortest::X11TestHost::createMappedParent(display);
    }
    void TearDown() override {
        if (!display) return;
        closeEffect(effect);
        XDestroyWindow(display, parent);
        XSync(display, False);
        EXPECT_EQ(X11Platform::liveConnectionCount(), baseConnections);
        EXPECT_EQ(X11Platform::liveWindowCount(), baseWindows);
    }

    void* parentHandle() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(parent)); }
    void openEditor() {
        ASSERT_EQ(dispatch(effect, vst::effEditOpen, 0, 0, parentHandle()), 1);
        idleFor(200);
    }
    // The host's idle timer: effEditIdle every 10 ms.
    void idleFor(int milliseconds) {
        editortest::X11TestHost::idleFor(display, milliseconds, [this] { dispatch(effect, vst::effEditIdle); });
    }
    void pointerTo(int x, int y) {
        int rx = 0, ry = 0;
        Window child = 0;
        XTranslateCoordinates(display, parent, DefaultRootWindow(display), x, y, &rx, &ry, &child);
        XTestFakeMotionEvent(display, DefaultScreen(display), rx, ry, CurrentTime);
        idleFor(30);
    }
    void button(bool down) {
        XTestFakeButtonEvent(display, 1, down ? True : False, CurrentTime);
        idleFor(30);
    }
    CPixelBuffer capture() {
        XSync(display, False);
        XImage* image = XGetImage(display, parent, 0, 0, 640, 267, AllPlanes, ZPixmap);
        CPixelBuffer pixels(640, 267);
        if (!image) return pixels;
        for (int y = 0; y < 267; ++y)
            for (int x = 0; x < 640; ++x)
                pixels.setPixel(x, y, 0xFF000000u | uint32_t(XGetPixel(image, x, y) & 0xFFFFFFu));
        XDestroyImage(image);
        return pixels;
    }

    Display* display = nullptr;
    Window parent = 0;
    CBorvan* effect = nullptr;
    int baseConnections = 0;
    int baseWindows = 0;
    HostLog log;
};

// Knob B2Freq (tag 5) at (247, 89), 34 x 32; switch B2On (tag 25) at (242, 37).
TEST_F(X11Editor, ClickAndDragInTheRealWindowChangeWhatTheHostReads) {
    for (int index : {57, 58, 59}) effect->setParameter(index, 0.0f);
    effect->setParameter(5, 0.2f);
    effect->setParameter(25, 0.0f);
    openEditor();
    pointerTo(264, 52);
    button(true);
    button(false);
    EXPECT_GE(effect->getParameter(25), 0.5f);

    pointerTo(264, 105);
    button(true);
    for (int i = 1; i <= 8; ++i) pointerTo(264 + 10 * i, 105);
    button(false);
    EXPECT_NEAR(effect->getParameter(5), 0.6f, 1e-4f);
}

#ifdef SOLVA_HAVE_PNG
TEST_F(X11Editor, MainWindowOnScreenMatchesTheReferenceImage) {
    openEditor();
    idleFor(200);
    const CPixelBuffer shown = capture();
    const std::string reference = std::string(SOLVA_SOURCE_DIR) + "/docs/editor/main-window.png";
    CPixelBuffer expected;
    ASSERT_TRUE(readPng(reference, expected));
    const SnapshotResult result = checkSnapshot(shown, reference, 0.5, 64);
    if (!result.matched) {
        const std::string out = std::string(SOLVA_BINARY_DIR) + "/editor-x11-main-window";
        writePng(shown, out + ".actual.png");
        writePng(makeDiffImage(expected, shown), out + ".diff.png");
    }
    EXPECT_TRUE(result.matched) << result.message;
}
#endif

TEST_F(X11Editor, ReopeningAndSeveralInstancesLeakNoWindowsOrConnections) {
    openEditor();
    const int oneOpen = X11Platform::liveConnectionCount();
    EXPECT_EQ(oneOpen, baseConnections + 1);
    dispatch(effect, vst::effEditClose);
    EXPECT_EQ(X11Platform::liveConnectionCount(), baseConnections);
    openEditor();
    EXPECT_EQ(X11Platform::liveConnectionCount(), oneOpen);

    auto* second = new CBorvan(&hostCallback, &solva::createBorvanEditor);
    Window secondParent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 300, 640, 267, 0, 0, 0);
    XMapWindow(display, secondParent);
    XSync(display, False);
    ASSERT_EQ(dispatch(second, vst::effEditOpen, 0, 0, reinterpret_cast<void*>(uintptr_t(secondParent))), 1);
    EXPECT_EQ(X11Platform::liveConnectionCount(), baseConnections + 2);
    dispatch(second, vst::effEditIdle);
    closeEffect(second);  // closes its window on the way
    XDestroyWindow(display, secondParent);
    XSync(display, False);
    EXPECT_EQ(X11Platform::liveConnectionCount(), oneOpen);
    dispatch(effect, vst::effEditClose);
}

TEST_F(X11Editor, KeysTypedInTheWindowReachANameField) {
    effect->setParameter(52, 1.0f);
    openEditor();
    // Band 3's name cell: strip at (125, 70), cell at (113, 1), 52 x 11.
    pointerTo(125 + 113 + 26, 70 + 1 + 5);
    button(true);
    button(false);
    auto key = [&](KeySym sym) {
        const KeyCode code = XKeysymToKeycode(display, sym);
        XTestFakeKeyEvent(display, code, True, CurrentTime);
        XTestFakeKeyEvent(display, code, False, CurrentTime);
        idleFor(20);
    };
    for (int i = 0; i < 12; ++i) key(XK_BackSpace);
    const KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
    XTestFakeKeyEvent(display, shift, True, CurrentTime);
    key(XK_m);
    XTestFakeKeyEvent(display, shift, False, CurrentTime);
    for (KeySym s : {XK_i, XK_d}) key(s);
    key(XK_Return);
    EXPECT_STREQ(effect->getDisplayText(37), "Mid");
}

}  // namespace
}  // namespace editortest
#endif
