// The menus and name fields end to end in real X11 windows (Xvfb in CI):
// the editor opened through effEditOpen in a parent window, idled as a
// host does, and driven with real pointer and key events from the XTest
// extension. Pop-ups open at the pointer as top-level windows that may
// reach past the editor, sub-menus open on hover, Escape or a click
// outside closes them; a name field takes the focus on click, accepts
// typing and Return. Skipped without DISPLAY.
#include "menu_test_support.h"

#if defined(SOLVA_HAVE_X11) && defined(SOLVA_HAVE_XTEST)
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "x11_test_host.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

#include "gui/cmenupopup.h"
#include "gui/x11/x11_platform.h"

namespace menutest {
namespace {

using editortest::dispatch;

class X11Menus : public ::testing::Test {
protected:
    static void SetUpTestSuite() { editortest::X11TestHost::openSharedDisplay(); }
    static void TearDownTestSuite() {
        editortest::X11TestHost::closeSharedDisplay();
        setPlatformFactory(nullptr);
    }

    void SetUp() override {
        const char* whyNot = nullptr;
        display = editortest::X11TestHost::usableDisplay(whyNot);
        if (!display) GTEST_SKIP() << whyNot;
        lockPointer();
        char pattern[] = "/tmp/solva-menus-x11-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        installDir = pattern;
        setenv("SOLVA_INSTALL_DIR", installDir.c_str(), 1);
        setPlatformFactory(X11Platform::instance());
        effect = new CBorvan(&editortest::hostCallback, &solva::createBorvanEditor);
        parent = editortest::X11TestHost::createMappedParent(display);
        ASSERT_EQ(dispatch(effect, vst::effEditOpen, 0, 0, reinterpret_cast<void*>(static_cast<uintptr_t>(parent))),
                  1);
        editor = dynamic_cast<BorvanEdit*>(effect->getEditor());
        ASSERT_NE(editor, nullptr);
        idleFor(300);
    }
    void TearDown() override {
        if (!display) return;
        editortest::closeEffect(effect);
        XDestroyWindow(display, parent);
        XSync(display, False);
        const std::string command = "rm -rf '" + installDir + "'";
        if (std::system(command.c_str()) != 0) ADD_FAILURE() << command;
        if (pointerLock >= 0) close(pointerLock);  // releases the lock
        pointerLock = -1;
    }

    // XTest moves the one pointer of the display: test processes that run
    // at the same time (ctest -j) take turns through this lock file.
    void lockPointer() {
        std::string name = std::string("/tmp/solva-x11-pointer") + std::getenv("DISPLAY") + ".lock";
        for (char& ch : name)
            if (ch == ':') ch = '_';
        pointerLock = open(name.c_str(), O_CREAT | O_RDWR, 0666);
        if (pointerLock >= 0) flock(pointerLock, LOCK_EX);
    }

    // The host's idle timer: effEditIdle every 10 ms.
    void idleFor(int milliseconds) {
        editortest::X11TestHost::idleFor(display, milliseconds, [this] { dispatch(effect, vst::effEditIdle); });
    }
    bool idleUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 200; ++i) {
            if (done()) return true;
            idleFor(10);
        }
        return done();
    }
    // Pointer to a screen point (the parent sits at the screen's origin).
    void pointerTo(CPoint screen) {
        XTestFakeMotionEvent(display, DefaultScreen(display), static_cast<int>(screen.h),
                             static_cast<int>(screen.v), CurrentTime);
        idleFor(30);
    }
    void click(CPoint screen) {
        pointerTo(screen);
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        idleFor(30);
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
        idleFor(30);
    }
    void key(KeySym sym, bool shift = false) {
        const KeyCode shiftCode = XKeysymToKeycode(display, XK_Shift_L);
        if (shift) XTestFakeKeyEvent(display, shiftCode, True, CurrentTime);
        const KeyCode code = XKeysymToKeycode(display, sym);
        XTestFakeKeyEvent(display, code, True, CurrentTime);
        XTestFakeKeyEvent(display, code, False, CurrentTime);
        if (shift) XTestFakeKeyEvent(display, shiftCode, False, CurrentTime);
        idleFor(20);
    }
    CMenuSession* session() const {
        CMenuSession* s = editor->getFrame()->getMenuSession();
        return s && s->isOpen() ? s : nullptr;
    }
    CPoint entryCentre(int level, long index) const {
        return centreOf(session()->getPopup(level)->entryScreenRect(index));
    }
    CPoint buttonCentre(COptionMenu* menu) const { return centreOf(menu->getFrameRect()); }

    Display* display = nullptr;
    int pointerLock = -1;
    Window parent = 0;
    std::string installDir;
    CBorvan* effect = nullptr;
    BorvanEdit* editor = nullptr;
};

TEST_F(X11Menus, OptionsPopupOpensAtThePointerPastTheWindowAndHoverOpensSnap) {
    for (int index : {57, 58, 59}) effect->setParameter(index, 0.0f);
    COptionMenu* options = editor->getOptionsMenu();
    const CPoint at = buttonCentre(options);
    click(at);
    ASSERT_TRUE(idleUntil([&] { return session() != nullptr; }));
    const CRect popup = session()->getPopup(0)->getScreenRect();
    EXPECT_EQ(popup.getTopLeft(), at);
    EXPECT_GT(popup.right, 640);  // a top-level window: not clipped by the editor
    pointerTo(entryCentre(0, 4));  // hover "Snap"
    ASSERT_TRUE(idleUntil([&] { return session() && session()->getDepth() == 2; }));
    EXPECT_EQ(session()->getPopup(1)->getMenu()->getTag(), solva::menus::kSnapMenuTag);
    click(entryCentre(1, 15));  // "All Snap Fine"
    ASSERT_TRUE(idleUntil([&] { return session() == nullptr; }));
    for (int index : {57, 58, 59}) EXPECT_FLOAT_EQ(effect->getParameter(index), 2.0f) << index;
    EXPECT_TRUE(solva::menus::optionsSubMenu(*editor, solva::menus::kSnapMenuTag)->isCheckEntry(15));
}

TEST_F(X11Menus, EscapeAndAClickOutsideCloseThePopupWithoutChoosing) {
    COptionMenu* options = editor->getOptionsMenu();
    const float before = effect->getParameter(54);
    click(buttonCentre(options));
    ASSERT_TRUE(idleUntil([&] { return session() != nullptr; }));
    pointerTo(entryCentre(0, 6));
    key(XK_Escape);
    ASSERT_TRUE(idleUntil([&] { return session() == nullptr; }));
    click(buttonCentre(options));
    ASSERT_TRUE(idleUntil([&] { return session() != nullptr; }));
    click(CPoint(100, 200));  // on the editor, outside the pop-up
    ASSERT_TRUE(idleUntil([&] { return session() == nullptr; }));
    EXPECT_FLOAT_EQ(effect->getParameter(54), before);
    EXPECT_FALSE(options->isPopupOpen());
}

TEST_F(X11Menus, BankGroupSubMenuLoadsAPresetAndTheNameFieldTakesTyping) {
    COptionMenu* banks = editor->getBankMenu();
    click(buttonCentre(banks));
    ASSERT_TRUE(idleUntil([&] { return session() != nullptr; }));
    pointerTo(entryCentre(0, 1));  // second group
    ASSERT_TRUE(idleUntil([&] { return session() && session()->getDepth() == 2; }));
    click(entryCentre(1, 2));
    ASSERT_TRUE(idleUntil([&] { return session() == nullptr; }));
    EXPECT_EQ(editor->getBridge()->getCurrentGroup(), 1);
    EXPECT_EQ(editor->getBridge()->getCurrentPosition(), 2);

    // The preset name field: click, select nothing, type, Return.
    ASSERT_TRUE(editor->getBridge()->isFactoryPreset());
    CTextEdit* field = nullptr;
    for (solva::CReceptionMiseAJourComposant* r : editor->getComponents()->receivers(solva::menus::kPresetNameTag))
        if (auto* f = dynamic_cast<CTextEdit*>(r); f && f->getParentView() == editor->getFrame()) field = f;
    ASSERT_NE(field, nullptr);
    click(centreOf(field->getFrameRect()));
    ASSERT_TRUE(idleUntil([&] { return field->isEditing(); }));
    for (int i = 0; i < 40; ++i) key(XK_BackSpace);
    key(XK_z, true);
    key(XK_e);
    key(XK_n);
    key(XK_Return);
    ASSERT_TRUE(idleUntil([&] { return !field->isEditing(); }));
    idleFor(200);
    EXPECT_FALSE(editor->getBridge()->isFactoryPreset());
    EXPECT_STREQ(editor->getBridge()->getDisplayText(solva::menus::kPresetNameTag), "Zen");
    // A click elsewhere after a second edit ends it cleanly, applying the text.
    click(centreOf(field->getFrameRect()));
    ASSERT_TRUE(idleUntil([&] { return field->isEditing(); }));
    click(CPoint(60, 200));
    EXPECT_TRUE(idleUntil([&] { return !field->isEditing(); }));
    EXPECT_EQ(editor->getFrame()->getFocusView(), nullptr);
    EXPECT_FALSE(editor->isOverlayShown(solva::kPresetDialog));  // unchanged name: no request
}

}  // namespace
}  // namespace menutest

#endif
