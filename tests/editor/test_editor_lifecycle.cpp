// The editor's life: open/close/reopen cycles, bitmaps shared between
// editors, idle and the throttled effect service, the initial strip state,
// host keys reaching a text field and the private draw/click opcodes.
#include "editor/bitmap_cache.h"
#include "editor/borvan_interface.h"
#include "editor/ckick.h"
#include "editor/cswitch.h"
#include "editor/ctexte.h"
#include "editor_test_support.h"

namespace editortest {
namespace {

class Lifecycle : public EditorFixture {};

TEST_F(Lifecycle, ReopeningLeavesExactlyOneSetOfControlsAndOverlays) {
    openHeadless();
    const long views = frame()->getNbViews();
    const std::size_t receivers = editor->getComponents()->receiverCount();
    // Close with a panel shown (it goes with the frame) and hidden ones
    // (destroyed by the editor).
    editor->showOverlay(solva::kAboutPanel, true);
    editor->close();
    EXPECT_EQ(frame(), nullptr);
    EXPECT_EQ(editor->getComponents(), nullptr);
    EXPECT_EQ(editor->getBridge(), nullptr);
    for (int cycle = 0; cycle < 3; ++cycle) {
        openHeadless();
        EXPECT_EQ(frame()->getNbViews(), views);
        EXPECT_EQ(editor->getComponents()->receiverCount(), receivers);
        EXPECT_FALSE(editor->isOverlayShown(solva::kAboutPanel));
        for (int id = 0; id < solva::kOverlayCount; ++id)
            EXPECT_NE(editor->getOverlay(solva::OverlayId(id)), nullptr);
        editor->close();
    }
}

TEST_F(Lifecycle, EditorOpcodesOpenAndCloseTheWindow) {
    EXPECT_FALSE(editor->isOpen());
    EXPECT_EQ(dispatch(effect, vst::effEditOpen, 0, 0, nullptr, 0.0f), 1);
    EXPECT_TRUE(editor->isOpen());
    dispatch(effect, vst::effEditIdle, 0, 0, nullptr, 0.0f);
    dispatch(effect, vst::effEditClose, 0, 0, nullptr, 0.0f);
    EXPECT_FALSE(editor->isOpen());
    EXPECT_EQ(frame(), nullptr);
}

TEST_F(Lifecycle, TwoEditorsShareBitmapsAndTheLastOneReleasesThem) {
    // Other suites of this binary may keep effects alive; count from here.
    const int editorsBefore = solva::BitmapCache::editorCount();
    openHeadless();
    const std::size_t loads = solva::BitmapCache::loadCount();
    EXPECT_GT(solva::BitmapCache::size(), 0u);
    auto* second = new CBorvan(&hostCallback, &solva::createBorvanEditor);
    auto* secondEditor = dynamic_cast<BorvanEdit*>(second->getEditor());
    ASSERT_TRUE(secondEditor->open(nullptr));
    secondEditor->getFrame()->renderAll();
    EXPECT_EQ(solva::BitmapCache::loadCount(), loads);  // no bitmap loaded twice
    EXPECT_EQ(solva::BitmapCache::editorCount(), editorsBefore + 1);

    // Closing and destroying one keeps the other's images valid.
    closeEffect(second);
    EXPECT_EQ(solva::BitmapCache::editorCount(), editorsBefore);
    EXPECT_GT(solva::BitmapCache::size(), 0u);
    frame()->renderAll();
    const CColor background = CColor::fromArgb(frame()->getBackBuffer().getPixel(20, 200));
    EXPECT_NE(background, kBlackCColor);

    closeEffect(effect);
    effect = nullptr;
    EXPECT_EQ(solva::BitmapCache::editorCount(), editorsBefore - 1);
    if (solva::BitmapCache::editorCount() == 0) {
        EXPECT_EQ(solva::BitmapCache::size(), 0u);
    }
}

TEST_F(Lifecycle, IdleBeforeOpenAndAfterCloseDoesNothing) {
    for (int i = 0; i < 5; ++i) {
        TestClock::nowMs() += 500;
        editor->idle();
    }
    EXPECT_EQ(editor->serviceCallCount(), 0);
    openHeadless();
    editor->close();
    const int calls = editor->serviceCallCount();
    TestClock::nowMs() += 500;
    editor->idle();
    EXPECT_EQ(editor->serviceCallCount(), calls);
}

TEST_F(Lifecycle, EffectServiceRunsAtMostOncePer150Milliseconds) {
    openHeadless();
    editor->idle();
    EXPECT_EQ(editor->serviceCallCount(), 1);
    TestClock::nowMs() += 150;
    editor->idle();
    EXPECT_EQ(editor->serviceCallCount(), 1);  // exactly 150 ms is not more
    TestClock::nowMs() += 1;
    editor->idle();
    EXPECT_EQ(editor->serviceCallCount(), 2);
    // A host idling every 10 ms for a second.
    for (int i = 0; i < 100; ++i) {
        TestClock::nowMs() += 10;
        editor->idle();
    }
    EXPECT_EQ(editor->serviceCallCount(), 2 + 1000 / 160);
}

TEST_F(Lifecycle, ValueStripsFollowValueDisplayTogetherAndTheOthersTheirOwnOptions) {
    effect->setParameter(51, 1.0f);
    effect->setParameter(52, 0.0f);
    effect->setParameter(62, 0.0f);
    openHeadless();
    EXPECT_TRUE(editor->isOverlayShown(solva::kFrequencyStrip));
    EXPECT_TRUE(editor->isOverlayShown(solva::kGainStrip));
    EXPECT_TRUE(editor->isOverlayShown(solva::kQStrip));
    EXPECT_FALSE(editor->isOverlayShown(solva::kNameStrip));
    EXPECT_FALSE(editor->isOverlayShown(solva::kClipIndicator));
    editor->close();

    effect->setParameter(51, 0.0f);
    effect->setParameter(52, 1.0f);
    effect->setParameter(62, 1.0f);
    openHeadless();
    EXPECT_FALSE(editor->isOverlayShown(solva::kFrequencyStrip));
    EXPECT_FALSE(editor->isOverlayShown(solva::kGainStrip));
    EXPECT_FALSE(editor->isOverlayShown(solva::kQStrip));
    EXPECT_TRUE(editor->isOverlayShown(solva::kNameStrip));
    EXPECT_TRUE(editor->isOverlayShown(solva::kClipIndicator));
}

TEST_F(Lifecycle, StripBackgroundsFollowTheNoteAndOctaveDisplays) {
    openHeadless();
    effect->setParameter(60, 1.0f);
    effect->setParameter(61, 1.0f);
    editor->showComponent(111, true);
    editor->showComponent(113, true);
    EXPECT_EQ(editor->getOverlay(solva::kFrequencyStrip)->getBackground()->getResourceID(), 4002);
    EXPECT_EQ(editor->getOverlay(solva::kQStrip)->getBackground()->getResourceID(), 4005);
    effect->setParameter(60, 0.0f);
    effect->setParameter(61, 0.0f);
    editor->showComponent(111, true);  // shown again: only the bitmap changes
    editor->showComponent(113, true);
    EXPECT_EQ(editor->getOverlay(solva::kFrequencyStrip)->getBackground()->getResourceID(), 4001);
    EXPECT_EQ(editor->getOverlay(solva::kQStrip)->getBackground()->getResourceID(), 4004);
    const long views = frame()->getNbViews();
    editor->showComponent(112, false);
    editor->showComponent(112, false);  // hiding a hidden strip does nothing
    EXPECT_EQ(frame()->getNbViews(), views);
}

TEST_F(Lifecycle, UpdatesWhileClosedAreDroppedAndReadAgainOnOpen) {
    editor->setParameter(7, 0.9f);  // closed: nothing to update, no crash
    effect->setParameter(7, 0.3f);
    openHeadless();
    std::vector<solva::CReceptionMiseAJourComposant*> knobs = editor->getComponents()->receivers(7);
    ASSERT_FALSE(knobs.empty());
    EXPECT_NEAR(dynamic_cast<CControl*>(knobs.front())->getValue(), hostValue(7), 1e-6f);
    EXPECT_NEAR(hostValue(7), 0.3f, 1e-6f);
}

TEST_F(Lifecycle, HostKeysReachTheFocusedNameField) {
    effect->setParameter(52, 1.0f);
    openHeadless();
    auto* field = control<solva::CEditTexte>(36);
    ASSERT_NE(field, nullptr);
    const CPoint at = centre(field);
    press(at, kLButton);
    release(at);
    ASSERT_TRUE(field->isEditing());
    // Clear the text, type "Low Mid" and press Return, as a host forwards
    // keys through effEditKeyDown.
    for (int i = 0; i < 30; ++i) dispatch(effect, vst::effEditKeyDown, 0, VKEY_BACK, nullptr, 0.0f);
    for (const char* p = "Low Mid"; *p; ++p) dispatch(effect, vst::effEditKeyDown, *p, 0, nullptr, 0.0f);
    EXPECT_EQ(dispatch(effect, vst::effEditKeyDown, 0, VKEY_RETURN, nullptr, 0.0f), 1);
    EXPECT_FALSE(field->isEditing());
    EXPECT_STREQ(effect->getDisplayText(36), "Low Mid");
}

TEST_F(Lifecycle, InvalidBandNamesAreIgnored) {
    effect->setParameter(52, 1.0f);
    openHeadless();
    const std::string before = effect->getDisplayText(37);
    auto* field = control<solva::CEditTexte>(37);
    field->setText("Bad*Name");
    editor->valueChanged(nullptr, field);
    field->setText("This name is far too long!");
    editor->valueChanged(nullptr, field);
    EXPECT_EQ(std::string(effect->getDisplayText(37)), before);
}

TEST_F(Lifecycle, PrivateOpcodesDrawAndClickTheOpenFrame) {
    EXPECT_EQ(dispatch(effect, -2, 10, 10, nullptr, 0.0f), 0);  // no frame yet
    openHeadless();
    auto* sw = control<solva::CSwitch>(25);
    effect->setParameter(25, 0.0f);
    const CPoint at = centre(sw);
    EXPECT_EQ(dispatch(effect, -2, int(at.h), at.v, nullptr, 0.0f), 1);
    EXPECT_GE(hostValue(25), 0.5f);
    short rect[4] = {0, 0, 100, 100};
    EXPECT_EQ(dispatch(effect, -1, 0, 0, rect, 0.0f), 0);
    EXPECT_EQ(dispatch(effect, -1, 0, 0, nullptr, 0.0f), 0);
}

TEST_F(Lifecycle, OpenSelectsTheCopyKickImageBySlot) {
    effect->setParameter(49, 1.0f);
    openHeadless();
    auto* copy = control<solva::CKick>(71);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->getBackground()->getResourceID(), 1015);
}

}  // namespace
}  // namespace editortest
