// The view tree: attaching and detaching, reference counting, draw order,
// hit-testing of the topmost view, nested coordinates and dirty redraws.
#include <gtest/gtest.h>

#include "gui/offscreen/offscreen_platform.h"
#include "gui_test_support.h"

namespace {

using namespace VSTGUI;
using namespace guitest;

const CColor kRed(255, 0, 0), kBlue(0, 0, 255), kGrey(90, 90, 90);

TEST(ViewTree, AddedViewsAreDrawnInInsertionOrderOverTheBackground) {
    CFrame* frame = new CFrame(CRect(0, 0, 40, 30), nullptr, nullptr);
    frame->setBackgroundColor(kGrey);
    frame->addView(new ProbeView(CRect(0, 0, 20, 20), kRed));
    frame->addView(new ProbeView(CRect(10, 10, 30, 30), kBlue));
    frame->renderAll();
    EXPECT_EQ(pixel(*frame, 5, 5), kRed);
    EXPECT_EQ(pixel(*frame, 15, 15), kBlue);  // the later view is on top
    EXPECT_EQ(pixel(*frame, 35, 5), kGrey);
    EXPECT_EQ(frame->getNbViews(), 2);
    frame->forget();
}

TEST(ViewTree, ViewsAttachedToTheFrameAreDestroyedWithIt) {
    int destroyed = 0;
    CFrame* frame = new CFrame(CRect(0, 0, 40, 30), nullptr, nullptr);
    auto* container = new CViewContainer(CRect(0, 0, 20, 20));
    container->addView(new ProbeView(CRect(0, 0, 5, 5), kRed, &destroyed));
    frame->addView(container);
    frame->addView(new ProbeView(CRect(0, 0, 5, 5), kRed, &destroyed));
    frame->forget();
    EXPECT_EQ(destroyed, 2);
}

TEST(ViewTree, RemovingWithoutForgetKeepsTheViewAliveForReattaching) {
    int destroyed = 0;
    CFrame* frame = new CFrame(CRect(0, 0, 40, 30), nullptr, nullptr);
    auto* overlay = new ProbeView(CRect(0, 0, 10, 10), kRed, &destroyed);
    frame->addView(overlay);
    EXPECT_EQ(overlay->getFrame(), frame);
    EXPECT_TRUE(frame->removeView(overlay, false));
    EXPECT_EQ(destroyed, 0);
    EXPECT_FALSE(overlay->isAttached());
    EXPECT_EQ(overlay->getFrame(), nullptr);
    EXPECT_FALSE(frame->removeView(overlay, false));  // not a child any more
    frame->addView(overlay);  // shown again
    EXPECT_TRUE(frame->removeView(overlay, false));
    frame->forget();
    EXPECT_EQ(destroyed, 0);  // detached views are the caller's
    overlay->forget();
    EXPECT_EQ(destroyed, 1);
}

TEST(ViewTree, RemovingWithForgetDestroysAndRememberedViewsSurvive) {
    int destroyed = 0;
    CFrame* frame = new CFrame(CRect(0, 0, 40, 30), nullptr, nullptr);
    auto* a = new ProbeView(CRect(0, 0, 10, 10), kRed, &destroyed);
    auto* b = new ProbeView(CRect(0, 0, 10, 10), kRed, &destroyed);
    frame->addView(a);
    frame->addView(b);
    b->remember();
    EXPECT_EQ(b->getNbReference(), 2);
    frame->removeView(a, true);
    EXPECT_EQ(destroyed, 1);
    frame->removeView(b, true);
    EXPECT_EQ(destroyed, 1);
    b->forget();
    EXPECT_EQ(destroyed, 2);
    frame->forget();
}

TEST(ViewTree, ContainersRememberTheirBackgroundBitmap) {
    CBitmap* bitmap = makeBitmap(4, 4, [](int, int) { return kRed; });
    auto* container = new CViewContainer(CRect(0, 0, 4, 4), nullptr, bitmap);
    EXPECT_EQ(bitmap->getNbReference(), 2);
    container->forget();
    EXPECT_EQ(bitmap->getNbReference(), 1);
    bitmap->forget();
}

TEST(ViewTree, PressesGoToTheTopmostViewUnderThePointerInItsParentsCoordinates) {
    CFrame* frame = new CFrame(CRect(0, 0, 100, 100), nullptr, nullptr);
    auto* below = new ProbeView(CRect(0, 0, 60, 60), kRed);
    auto* panel = new CViewContainer(CRect(20, 20, 80, 80));
    auto* inner = new ProbeView(CRect(10, 10, 30, 30), kBlue);  // frame (30,30)-(50,50)
    panel->addView(inner);
    frame->addView(below);
    frame->addView(panel);

    frame->platformMouseDown(CPoint(35, 40), kLButton);
    EXPECT_EQ(inner->presses, 1);
    EXPECT_EQ(inner->lastPoint, CPoint(15, 20));
    EXPECT_EQ(below->presses, 0);
    frame->platformMouseUp(CPoint(35, 40), 0);

    // Inside the panel but on none of its children: the panel is topmost,
    // so the view below does not get the press.
    frame->platformMouseDown(CPoint(25, 25), kLButton);
    frame->platformMouseUp(CPoint(25, 25), 0);
    EXPECT_EQ(below->presses, 0);

    frame->platformMouseDown(CPoint(5, 5), kLButton);
    EXPECT_EQ(below->presses, 1);
    frame->platformMouseUp(CPoint(5, 5), 0);

    // Hidden and mouse-disabled views are passed over.
    panel->setVisible(false);
    frame->platformMouseDown(CPoint(35, 40), kLButton);
    frame->platformMouseUp(CPoint(35, 40), 0);
    EXPECT_EQ(below->presses, 2);
    frame->forget();
}

TEST(ViewTree, AGestureFollowsTheViewThatTookThePressEvenOutsideIt) {
    CFrame* frame = new CFrame(CRect(0, 0, 100, 100), nullptr, nullptr);
    auto* view = new ProbeView(CRect(10, 10, 20, 20), kRed);
    frame->addView(view);
    frame->platformMouseDown(CPoint(15, 15), kLButton);
    frame->platformMouseMoved(CPoint(90, 90), kLButton | kShift);
    EXPECT_EQ(view->moves, 1);
    EXPECT_EQ(view->lastPoint, CPoint(90, 90));
    EXPECT_EQ(view->lastButtons, kLButton | kShift);
    // A second button joins and leaves: still the same gesture.
    frame->platformMouseDown(CPoint(90, 90), kLButton | kRButton);
    frame->platformMouseUp(CPoint(90, 90), kLButton);
    EXPECT_EQ(view->releases, 0);
    EXPECT_EQ(view->moves, 3);
    frame->platformModifiersChanged(kLButton | kControl);
    EXPECT_EQ(view->lastButtons, kLButton | kControl);
    frame->platformMouseUp(CPoint(95, 95), 0);
    EXPECT_EQ(view->releases, 1);
    EXPECT_EQ(view->lastButtons, 0);
    // Motion after the release reaches nobody.
    frame->platformMouseMoved(CPoint(15, 15), 0);
    EXPECT_EQ(view->moves, 4);
    EXPECT_EQ(frame->getCurrentMouseButtons(), 0);
    frame->forget();
}

TEST(ViewTree, OneShotMouseCallTurnsIntoPressAndRelease) {
    CFrame* frame = new CFrame(CRect(0, 0, 100, 100), nullptr, nullptr);
    auto* view = new ProbeView(CRect(10, 10, 20, 20), kRed);
    frame->addView(view);
    CPoint where(12, 12);
    frame->mouse(frame->getDrawContext(), where, kLButton);
    EXPECT_EQ(view->presses, 1);
    EXPECT_EQ(view->releases, 1);
    frame->forget();
}

TEST(ViewTree, IdleRedrawsOnlyDirtyViews) {
    CFrame* frame = new CFrame(CRect(0, 0, 100, 50), nullptr, nullptr);
    auto* a = new ProbeView(CRect(0, 0, 40, 40), kRed);
    auto* b = new ProbeView(CRect(50, 0, 90, 40), kBlue);
    frame->addView(a);
    frame->addView(b);
    frame->idle();
    EXPECT_EQ(a->drawCount, 1);
    EXPECT_EQ(b->drawCount, 1);
    frame->idle();  // nothing changed
    EXPECT_EQ(a->drawCount, 1);
    EXPECT_EQ(b->drawCount, 1);
    b->setColour(kGrey);
    frame->idle();
    EXPECT_EQ(a->drawCount, 1);
    EXPECT_EQ(b->drawCount, 2);
    EXPECT_EQ(pixel(*frame, 60, 10), kGrey);
    EXPECT_FALSE(b->isDirty());
    frame->forget();
}

TEST(ViewTree, IdlePresentsTheRedrawnAreaToTheWindow) {
    CFrame* frame = new CFrame(CRect(0, 0, 100, 50), nullptr, nullptr);
    auto* a = new ProbeView(CRect(0, 0, 40, 40), kRed);
    frame->addView(a);
    frame->idle();
    auto* window = dynamic_cast<OffscreenWindow*>(frame->getPlatformWindow());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->getScreenImage().getColor(10, 10), kRed);
    a->setColour(kBlue);
    frame->idle();
    EXPECT_EQ(window->getScreenImage().getColor(10, 10), kBlue);
    frame->forget();
}

TEST(ViewTree, DetachingAViewRedrawsWhatWasBelowIt) {
    CFrame* frame = new CFrame(CRect(0, 0, 100, 50), nullptr, nullptr);
    frame->setBackgroundColor(kGrey);
    auto* overlay = new ProbeView(CRect(10, 10, 30, 30), kRed);
    frame->addView(overlay);
    frame->idle();
    EXPECT_EQ(pixel(*frame, 15, 15), kRed);
    frame->removeView(overlay, false);
    frame->idle();
    EXPECT_EQ(pixel(*frame, 15, 15), kGrey);
    overlay->forget();
    frame->forget();
}

TEST(ViewTree, ContainerWithBitmapBackgroundDrawsItAtItsOrigin) {
    CBitmap* bitmap = makeBitmap(20, 20, [](int x, int) { return x < 10 ? kRed : kBlue; });
    CFrame* frame = new CFrame(CRect(0, 0, 60, 40), nullptr, nullptr);
    auto* panel = new CViewContainer(CRect(30, 10, 50, 30), nullptr, bitmap);
    bitmap->forget();
    panel->addView(new ProbeView(CRect(15, 15, 20, 20), kGrey));  // frame (45,25)
    frame->addView(panel);
    frame->renderAll();
    EXPECT_EQ(pixel(*frame, 30, 10), kRed);
    EXPECT_EQ(pixel(*frame, 41, 12), kBlue);
    EXPECT_EQ(pixel(*frame, 46, 26), kGrey);
    EXPECT_EQ(panel->getView(0)->getFrameRect(), CRect(45, 25, 50, 30));
    frame->forget();
}

TEST(ViewTree, ColourKeyedOverlayShowsTheBackgroundThroughGreen) {
    CBitmap* bitmap = makeBitmap(10, 10, [](int x, int) { return x < 5 ? kColorKeyGreen : kBlue; });
    bitmap->setTransparentColor(kColorKeyGreen);
    CFrame* frame = new CFrame(CRect(0, 0, 10, 10), nullptr, nullptr);
    frame->setBackgroundColor(kGrey);
    auto* overlay = new CViewContainer(CRect(0, 0, 10, 10), nullptr, bitmap);
    bitmap->forget();
    frame->addView(overlay);
    frame->renderAll();
    EXPECT_EQ(pixel(*frame, 2, 2), kGrey);
    EXPECT_EQ(pixel(*frame, 7, 2), kBlue);
    frame->forget();
}

TEST(ViewTree, WheelGoesToTheTopmostControlUnderThePointer) {
    RecordingListener listener;
    CFrame* frame = new CFrame(CRect(0, 0, 100, 50), nullptr, nullptr);
    auto* a = new CControl(CRect(0, 0, 40, 40), &listener, 1);
    auto* b = new CControl(CRect(20, 0, 60, 40), &listener, 2);
    a->setValue(0.5f);
    b->setValue(0.5f);
    frame->addView(a);
    frame->addView(b);
    frame->platformWheel(CPoint(30, 10), 1.0f, 0);
    EXPECT_FLOAT_EQ(b->getValue(), 0.6f);
    EXPECT_FLOAT_EQ(a->getValue(), 0.5f);
    frame->onWheel(CPoint(5, 5), -2.0f);
    EXPECT_FLOAT_EQ(a->getValue(), 0.3f);
    ASSERT_EQ(listener.calls.size(), 2u);
    EXPECT_EQ(listener.calls[1].tag, 1);
    frame->forget();
}

TEST(ViewTree, DropsAreOfferedButNothingAcceptsThem) {
    CFrame* frame = new CFrame(CRect(0, 0, 100, 50), nullptr, nullptr);
    frame->addView(new ProbeView(CRect(0, 0, 40, 40), kRed));
    ASSERT_NE(frame->getDropTarget(), nullptr);
    EXPECT_FALSE(frame->getDropTarget()->drop({"/tmp/a.solva"}, 10, 10));
    CDragContainer drag({"/x", "/y"});
    long type = -2;
    EXPECT_STREQ(drag.getItem(1, type), "/y");
    EXPECT_EQ(type, CDragContainer::kFile);
    EXPECT_EQ(drag.getItem(2, type), nullptr);
    frame->forget();
}

}  // namespace
