// Option menus: entries and their prefixes, check marks, sub-menus, the
// numbered forms, and choosing through the pop-up with scripted input.
#include <gtest/gtest.h>

#include "gui/offscreen/offscreen_platform.h"
#include "gui_test_support.h"

namespace {

using namespace VSTGUI;
using namespace guitest;

CPoint centreOf(const CRect& r) { return CPoint(r.left + r.width() / 2, r.top + r.height() / 2); }

long long gFakeNowMs = 0;
long long fakeClock() { return gFakeNowMs; }

class MenuTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CMenuSession::setClock(fakeClock); }
    static void TearDownTestSuite() { CMenuSession::setClock(nullptr); }
    void SetUp() override {
        frame = new CFrame(CRect(0, 0, 640, 267), nullptr, nullptr);
        menu = new COptionMenu(CRect(513, 3, 600, 19), &listener, 82);
        frame->addView(menu);
    }
    void TearDown() override { frame->forget(); }
    void fillOptions() {
        sub = new COptionMenu(CRect(0, 0, 1, 1), &listener, 84);
        sub->addEntry("Class Bands by freq. order");
        sub->addEntry("-");
        sub->addEntry("Reset Band Gains");
        menu->addEntry(sub, "Misc");
        sub->forget();  // the menu keeps it
        menu->addEntry("-");
        menu->addEntry("Options Saved in Host project");
        menu->addEntry("-GRead Options");
        menu->addEntry("Save Options");
    }
    CMenuSession* openByClick() {
        frame->platformMouseDown(CPoint(520, 10), kLButton);
        frame->platformMouseUp(CPoint(520, 10), 0);
        return frame->getMenuSession();
    }

    RecordingListener listener;
    CFrame* frame = nullptr;
    COptionMenu* menu = nullptr;
    COptionMenu* sub = nullptr;
};

TEST_F(MenuTest, EntriesCountSeparatorsAndKeepTheirPrefixes) {
    fillOptions();
    EXPECT_EQ(menu->getNbEntries(), 5);
    EXPECT_TRUE(menu->isSeparator(1));
    EXPECT_FALSE(menu->isEnabled(1));
    EXPECT_FALSE(menu->isEnabled(3));  // "-G"
    EXPECT_TRUE(menu->isEnabled(2));
    EXPECT_EQ(menu->getDisplayEntry(3), "Read Options");
    EXPECT_EQ(menu->getDisplayEntry(0), "Misc");
    EXPECT_STREQ(menu->getEntryText(0), "-MMisc");
    char text[256];
    EXPECT_TRUE(menu->getEntry(3, text));
    EXPECT_STREQ(text, "-GRead Options");
    EXPECT_EQ(menu->getSubMenu(0), sub);
    EXPECT_EQ(menu->getSubMenu(2), nullptr);
    EXPECT_TRUE(menu->setEntry(3, "Read Options"));
    EXPECT_TRUE(menu->isEnabled(3));
    EXPECT_TRUE(menu->addEntry("First", 0));
    EXPECT_STREQ(menu->getEntryText(0), "First");
    EXPECT_FALSE(menu->addEntry("Far", 99));
    EXPECT_TRUE(menu->removeAllEntry());
    EXPECT_EQ(menu->getNbEntries(), 0);
    EXPECT_EQ(menu->getCurrent(), -1);
}

TEST_F(MenuTest, CheckMarksAndCurrentEntry) {
    fillOptions();
    EXPECT_TRUE(menu->checkEntry(2, true));
    EXPECT_TRUE(menu->isCheckEntry(2));
    EXPECT_FALSE(menu->isCheckEntry(4));
    menu->checkEntryAlone(4);
    EXPECT_FALSE(menu->isCheckEntry(2));
    EXPECT_TRUE(menu->isCheckEntry(4));
    EXPECT_FALSE(menu->checkEntry(17, true));
    EXPECT_TRUE(menu->setCurrent(4));
    char text[256];
    EXPECT_EQ(menu->getCurrent(text), 4);
    EXPECT_STREQ(text, "Save Options");
    EXPECT_EQ(menu->getCurrent(nullptr, false), 3);  // one separator before it
    EXPECT_TRUE(menu->setCurrent(1, false));
    EXPECT_EQ(menu->getCurrent(), 2);
    menu->setValue(3.0f);
    EXPECT_EQ(menu->getCurrent(), 3);
}

TEST_F(MenuTest, NumberedStyleShowsNumbersAndNumbersSubMenuTitles) {
    auto* numbered = new COptionMenu(CRect(0, 0, 10, 10), &listener, 70, nullptr, nullptr, kNumberedStyle);
    numbered->addEntry("Alpha");
    numbered->addEntry("-");
    auto* group = new COptionMenu(CRect(0, 0, 1, 1), &listener, 116);
    numbered->addEntry(group, "Bank");
    group->forget();
    EXPECT_STREQ(numbered->getEntryText(2), "-M3 Bank");
    EXPECT_EQ(numbered->getDisplayEntry(0), "1 Alpha");
    EXPECT_EQ(numbered->getDisplayEntry(1), "");
    EXPECT_EQ(numbered->getDisplayEntry(2), "3 Bank");
    for (int i = 0; i < 8; ++i) numbered->addEntry("x");
    EXPECT_EQ(numbered->getDisplayEntry(0), "01 Alpha");  // 11 entries: two digits
    auto* group2 = new COptionMenu(CRect(0, 0, 1, 1), &listener, 117);
    numbered->addEntry(group2, "More");
    group2->forget();
    EXPECT_STREQ(numbered->getEntryText(11), "-M12 More");
    for (int i = 0; i < 90; ++i) numbered->addEntry("y");
    EXPECT_EQ(numbered->getDisplayEntry(0), "001 Alpha");
    numbered->forget();

    // Without the style a sub-menu entry is "-M" + title.
    auto* plain = new COptionMenu(CRect(0, 0, 10, 10), &listener, 69);
    auto* g = new COptionMenu(CRect(0, 0, 1, 1), &listener, 118);
    plain->addEntry(g, " Factory");
    g->forget();
    EXPECT_STREQ(plain->getEntryText(0), "-M Factory");
    EXPECT_EQ(plain->getDisplayEntry(0), " Factory");
    plain->forget();
}

TEST_F(MenuTest, SubMenusStayAliveWhileTheirMenuHoldsThem) {
    int destroyed = 0;
    struct CountingMenu : COptionMenu {
        CountingMenu(int* d) : COptionMenu(CRect(0, 0, 1, 1), nullptr, 1), d_(d) {}
        ~CountingMenu() override { ++*d_; }
        int* d_;
    };
    auto* child = new CountingMenu(&destroyed);
    menu->addEntry(child, "Child");
    child->forget();
    EXPECT_EQ(destroyed, 0);
    menu->removeAllEntry();
    EXPECT_EQ(destroyed, 1);
}

TEST_F(MenuTest, ClickOpensAPopupAtThePointerThatMayLeaveTheWindow) {
    fillOptions();
    CMenuSession* session = openByClick();
    ASSERT_NE(session, nullptr);
    EXPECT_TRUE(session->isOpen());
    EXPECT_TRUE(menu->isPopupOpen());
    const CRect r = session->getPopup(0)->getScreenRect();
    EXPECT_EQ(r.left, 520);
    EXPECT_EQ(r.top, 10);
    EXPECT_GT(r.right, 600);  // wider than the button, past the 640-pixel window when needed
    EXPECT_GT(r.height(), 5 * 10);
    // The pop-up is its own window, grabbing input.
    bool foundPopup = false;
    for (OffscreenWindow* w : OffscreenWindow::liveWindows())
        if (w->isPopup()) {
            foundPopup = true;
            EXPECT_TRUE(w->isGrabbed());
            EXPECT_EQ(w->getSink(), session);
        }
    EXPECT_TRUE(foundPopup);
    // Releasing the opening click over nothing keeps the menu open.
    EXPECT_TRUE(session->isOpen());
    EXPECT_TRUE(listener.calls.empty());
    session->cancel();
    // Opened by code, the pop-up hangs below the button.
    ASSERT_TRUE(menu->openPopup());
    EXPECT_EQ(frame->getMenuSession()->getPopup(0)->getScreenRect().getTopLeft(), CPoint(513, 19));
}

TEST_F(MenuTest, ClickingAnEntryChoosesItAndCallsTheListener) {
    fillOptions();
    CMenuSession* session = openByClick();
    const CPoint target = centreOf(session->getPopup(0)->entryScreenRect(4));
    session->platformMouseMoved(target, 0);
    EXPECT_EQ(session->getPopup(0)->getHighlight(), 4);
    session->platformMouseDown(target, kLButton);
    session->platformMouseUp(target, 0);
    EXPECT_FALSE(session->isOpen());
    EXPECT_FALSE(menu->isPopupOpen());
    ASSERT_EQ(listener.calls.size(), 1u);
    EXPECT_EQ(listener.calls[0].tag, 82);
    EXPECT_FLOAT_EQ(listener.calls[0].value, 4.0f);
    EXPECT_EQ(menu->getCurrent(), 4);
    EXPECT_EQ(menu->getLastResult(), 4);
    frame->idle();  // closed sessions are cleaned up
    EXPECT_EQ(frame->getMenuSession(), nullptr);
    for (OffscreenWindow* w : OffscreenWindow::liveWindows()) EXPECT_FALSE(w->isPopup());
}

TEST_F(MenuTest, SeparatorsAndDisabledEntriesCannotBeChosen) {
    fillOptions();
    CMenuSession* session = openByClick();
    for (long index : {1L, 3L}) {
        const CPoint p = centreOf(session->getPopup(0)->entryScreenRect(index));
        session->platformMouseDown(p, kLButton);
        session->platformMouseUp(p, 0);
        EXPECT_TRUE(session->isOpen()) << index;
    }
    EXPECT_FALSE(session->choose(0, 3));
    EXPECT_TRUE(listener.calls.empty());
}

TEST_F(MenuTest, HoveringASubMenuEntryOpensItAndItsEntryReportsToTheSubMenu) {
    fillOptions();
    const long ownerCurrent = menu->getCurrent();
    CMenuSession* session = openByClick();
    const CRect parentEntry = session->getPopup(0)->entryScreenRect(0);
    session->platformMouseMoved(centreOf(parentEntry), 0);
    ASSERT_EQ(session->getDepth(), 2);
    CMenuPopup* child = session->getPopup(1);
    EXPECT_EQ(child->getMenu(), sub);
    EXPECT_GE(child->getScreenRect().left, session->getPopup(0)->getScreenRect().right - 4);
    // Clicking the sub-menu entry itself does not choose anything.
    session->platformMouseDown(centreOf(parentEntry), kLButton);
    session->platformMouseUp(centreOf(parentEntry), 0);
    EXPECT_TRUE(session->isOpen());

    const CPoint target = centreOf(child->entryScreenRect(2));
    session->platformMouseMoved(target, 0);
    EXPECT_EQ(session->getDepth(), 2);
    session->platformMouseDown(target, kLButton);
    session->platformMouseUp(target, 0);
    EXPECT_FALSE(session->isOpen());
    ASSERT_EQ(listener.calls.size(), 1u);
    EXPECT_EQ(listener.calls[0].tag, 84);
    EXPECT_FLOAT_EQ(listener.calls[0].value, 2.0f);
    EXPECT_EQ(sub->getCurrent(), 2);
    EXPECT_EQ(menu->getCurrent(), ownerCurrent);  // the sub-menu's owner is untouched

    // Resting on another parent entry closes the sub-menu after the delay.
    session = openByClick();
    session->platformMouseMoved(centreOf(session->getPopup(0)->entryScreenRect(0)), 0);
    ASSERT_EQ(session->getDepth(), 2);
    session->platformMouseMoved(centreOf(session->getPopup(0)->entryScreenRect(2)), 0);
    EXPECT_EQ(session->getPopup(0)->getHighlight(), 2);
    frame->idle();
    EXPECT_EQ(session->getDepth(), 2);
    gFakeNowMs += 300;
    frame->idle();
    EXPECT_EQ(session->getDepth(), 1);
    session->cancel();
}

TEST_F(MenuTest, CrossingOtherEntriesOnTheWayToAnOpenSubMenuKeepsIt) {
    fillOptions();
    CMenuSession* session = openByClick();
    session->platformMouseMoved(centreOf(session->getPopup(0)->entryScreenRect(0)), 0);
    ASSERT_EQ(session->getDepth(), 2);
    session->platformMouseMoved(centreOf(session->getPopup(0)->entryScreenRect(2)), 0);
    gFakeNowMs += 100;  // shorter than the delay
    frame->idle();
    session->platformMouseMoved(centreOf(session->getPopup(1)->entryScreenRect(0)), 0);
    gFakeNowMs += 1000;
    frame->idle();
    ASSERT_EQ(session->getDepth(), 2);
    EXPECT_EQ(session->getPopup(0)->getHighlight(), 0);  // the opener is marked again
    EXPECT_EQ(session->getPopup(1)->getHighlight(), 0);
    session->cancel();
}

TEST_F(MenuTest, PressDragReleaseOntoAnEntryChoosesIt) {
    fillOptions();
    frame->platformMouseDown(CPoint(520, 10), kLButton);  // opens on the press
    CMenuSession* session = frame->getMenuSession();
    ASSERT_NE(session, nullptr);
    const CPoint target = centreOf(session->getPopup(0)->entryScreenRect(2));
    session->platformMouseMoved(target, kLButton);
    session->platformMouseUp(target, 0);
    ASSERT_EQ(listener.calls.size(), 1u);
    EXPECT_FLOAT_EQ(listener.calls[0].value, 2.0f);
}

TEST_F(MenuTest, EscapeOrAClickOutsideClosesWithoutChoosing) {
    fillOptions();
    CMenuSession* session = openByClick();
    CKeyCode escape;
    escape.virt = VKEY_ESCAPE;
    EXPECT_EQ(frame->onKeyDown(escape), 1);
    EXPECT_FALSE(session->isOpen());

    session = openByClick();
    session->platformMouseDown(CPoint(5, 200), kLButton);
    EXPECT_FALSE(session->isOpen());

    // A press in the editor window while the menu is open only closes it.
    auto* probe = new ProbeView(CRect(0, 100, 50, 150), kRedCColor);
    frame->addView(probe);
    session = openByClick();
    frame->platformMouseDown(CPoint(10, 120), kLButton);
    frame->platformMouseUp(CPoint(10, 120), 0);
    EXPECT_FALSE(session->isOpen());
    EXPECT_EQ(probe->presses, 0);
    EXPECT_TRUE(listener.calls.empty());
    EXPECT_FALSE(menu->isPopupOpen());
}

TEST_F(MenuTest, KeyboardNavigationSkipsSeparatorsAndDisabledEntries) {
    fillOptions();
    CMenuSession* session = openByClick();
    CKeyCode down;
    down.virt = VKEY_DOWN;
    frame->onKeyDown(down);
    EXPECT_EQ(session->getPopup(0)->getHighlight(), 0);
    frame->onKeyDown(down);
    EXPECT_EQ(session->getPopup(0)->getHighlight(), 2);
    frame->onKeyDown(down);
    EXPECT_EQ(session->getPopup(0)->getHighlight(), 4);
    CKeyCode ret;
    ret.virt = VKEY_RETURN;
    frame->onKeyDown(ret);
    ASSERT_EQ(listener.calls.size(), 1u);
    EXPECT_FLOAT_EQ(listener.calls[0].value, 4.0f);
}

// Share of pixels in a row segment darker than mid grey (text ink).
int inkIn(const CPixelBuffer& pixels, const CRect& r) {
    int ink = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (pixels.getColor(x, y).red < 128) ++ink;
    return ink;
}

TEST_F(MenuTest, PopupDrawsTextChecksSeparatorsAndDisabledEntriesDifferently) {
    fillOptions();
    menu->checkEntry(2, true);
    CMenuSession* session = openByClick();
    CMenuPopup* popup = session->getPopup(0);
    const CPixelBuffer& pixels = popup->getPixels();
    auto local = [&](long index) {
        CRect r = popup->entryScreenRect(index);
        return r.offset(-popup->getScreenRect().left, -popup->getScreenRect().top);
    };
    const CRect checked = local(2), unchecked = local(4);
    // Check column: ink only on the checked entry.
    EXPECT_GT(inkIn(pixels, CRect(checked.left, checked.top, checked.left + 14, checked.bottom)), 3);
    EXPECT_EQ(inkIn(pixels, CRect(unchecked.left, unchecked.top, unchecked.left + 14, unchecked.bottom)), 0);
    // Entry text is drawn in dark ink; the disabled one only in light grey.
    EXPECT_GT(inkIn(pixels, CRect(unchecked.left + 16, unchecked.top, unchecked.right, unchecked.bottom)), 10);
    const CRect disabled = local(3);
    EXPECT_EQ(inkIn(pixels, CRect(disabled.left + 16, disabled.top, disabled.right, disabled.bottom)), 0);
    int greyInk = 0;
    for (int y = disabled.top; y < disabled.bottom; ++y)
        for (int x = disabled.left + 16; x < disabled.right; ++x)
            if (pixels.getColor(x, y).red < 220) ++greyInk;
    EXPECT_GT(greyInk, 5);
    // The separator is a thin line: shorter than a text entry.
    EXPECT_LT(local(1).height(), unchecked.height());
    session->cancel();
}

TEST_F(MenuTest, MenuButtonShowsTheCurrentEntryText) {
    menu->addEntry("-GNothing");
    menu->addEntry("Presets");
    menu->setCurrent(1);
    EXPECT_EQ(menu->getDisplayText(), "Presets");
    menu->setCurrent(0);
    EXPECT_EQ(menu->getDisplayText(), "Nothing");
}

TEST_F(MenuTest, AListenerMayRunIdleOrOpenAnotherMenuWhileAChoiceIsDelivered) {
    struct Reopening : CControlListener {
        CFrame* frame = nullptr;
        COptionMenu* next = nullptr;
        int calls = 0;
        void valueChanged(CDrawContext*, CControl*) override {
            ++calls;
            frame->idle();
            frame->openMenu(next, CPoint(10, 10));
            frame->idle();
        }
    } reopening;
    auto* first = new COptionMenu(CRect(0, 0, 50, 16), &reopening, 69);
    auto* second = new COptionMenu(CRect(60, 0, 110, 16), &listener, 70);
    first->addEntry("A");
    second->addEntry("B");
    frame->addView(first);
    frame->addView(second);
    reopening.frame = frame;
    reopening.next = second;
    ASSERT_TRUE(frame->openMenu(first, CPoint(0, 16)));
    EXPECT_TRUE(frame->getMenuSession()->choose(0, 0));
    EXPECT_EQ(reopening.calls, 1);
    ASSERT_NE(frame->getMenuSession(), nullptr);
    EXPECT_EQ(frame->getMenuSession()->getPopup(0)->getMenu(), second);
    frame->idle();
    EXPECT_TRUE(frame->getMenuSession()->choose(0, 0));
    EXPECT_EQ(listener.calls.size(), 1u);
}

TEST_F(MenuTest, ListsTallerThanTheScreenContinueInColumnsAndStayReachable) {
    for (int i = 0; i < 150; ++i) menu->addEntry(i % 10 == 9 ? "-" : " Preset name");
    ASSERT_TRUE(frame->openMenu(menu, CPoint(0, 100)));
    CMenuPopup* popup = frame->getMenuSession()->getPopup(0);
    EXPECT_GT(popup->getColumnCount(), 1);
    const CRect r = popup->getScreenRect();
    EXPECT_LE(r.bottom, 1080);
    EXPECT_GE(r.top, 0);
    for (long i = 0; i < menu->getNbEntries(); ++i)
        EXPECT_EQ(popup->entryAt(centreOf(popup->entryScreenRect(i))), i) << i;
    EXPECT_TRUE(frame->getMenuSession()->choose(0, 148));
    EXPECT_FLOAT_EQ(listener.calls.back().value, 148.0f);
}

TEST_F(MenuTest, PopupsNearTheScreenEdgeStayOnScreen) {
    fillOptions();
    auto* edge = new COptionMenu(CRect(600, 250, 640, 267), &listener, 70);
    edge->addEntry("One");
    edge->addEntry("Two");
    frame->addView(edge);
    // The offscreen screen is 1920 x 1080; open far to the bottom right.
    ASSERT_TRUE(frame->openMenu(edge, CPoint(1900, 1075)));
    const CRect r = frame->getMenuSession()->getPopup(0)->getScreenRect();
    EXPECT_LE(r.right, 1920);
    EXPECT_LE(r.bottom, 1080);
    frame->closeMenu();
}

}  // namespace
