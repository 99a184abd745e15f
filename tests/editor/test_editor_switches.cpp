// Switches, kicks, slide switches, the clip LED and the overlays they
// drive, on the open editor with scripted platform events.
#include <vector>

#include "editor/ckick.h"
#include "editor/cswitch.h"
#include "editor/cswitch_xpos.h"
#include "editor_test_support.h"

namespace editortest {
namespace {

constexpr int kB1On = 23;
constexpr float kOff = 1.0f / 6.0f;
constexpr float kOn = 5.0f / 6.0f;

class Switches : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        openHeadless();
    }
    void click(CPoint at, long buttons) {
        press(at, buttons);
        release(at);
    }
    // Drives loud audio through the effect so that its clip flag is set.
    void clip() {
        std::vector<float> in(256, 4.0f), outL(256), outR(256);
        float* inputs[] = {in.data(), in.data()};
        float* outputs[] = {outL.data(), outR.data()};
        effect->processReplacing(inputs, outputs, 256);
    }
};

TEST_F(Switches, LeftClickShowsTheMiddleImageWhileHeldAndTogglesOnRelease) {
    auto* sw = control<solva::CSwitch>(kB1On);
    ASSERT_NE(sw, nullptr);
    effect->setParameter(kB1On, 0.0f);
    EXPECT_EQ(sw->getImageIndex(), 0);
    const CPoint at = centre(sw);
    press(at, kLButton);
    EXPECT_FLOAT_EQ(sw->getValue(), 0.5f);
    EXPECT_EQ(sw->getImageIndex(), 1);
    release(at);
    EXPECT_NEAR(hostValue(kB1On), kOn, 1e-6f);
    EXPECT_EQ(sw->getImageIndex(), 2);
    click(at, kLButton);
    EXPECT_NEAR(hostValue(kB1On), kOff, 1e-6f);
}

TEST_F(Switches, RightClickOnAnOffBandTurnsItOnOnlyWhileHeld) {
    auto* sw = control<solva::CSwitch>(kB1On);
    effect->setParameter(kB1On, 0.0f);
    const CPoint at = centre(sw);
    press(at, kRButton);
    EXPECT_NEAR(hostValue(kB1On), kOn, 1e-6f);
    release(at);
    EXPECT_NEAR(hostValue(kB1On), kOff, 1e-6f);
    // Shift is Fine too.
    press(at, kLButton | kShift);
    EXPECT_NEAR(hostValue(kB1On), kOn, 1e-6f);
    release(at);
    EXPECT_NEAR(hostValue(kB1On), kOff, 1e-6f);
}

TEST_F(Switches, ADoubleClickIsTwoSingleClicks) {
    auto* sw = control<solva::CSwitch>(kB1On);
    effect->setParameter(kB1On, 1.0f);
    const CPoint at = centre(sw);
    click(at, kLButton);
    click(at, kLButton);
    EXPECT_NEAR(hostValue(kB1On), kOn, 1e-6f);
}

TEST_F(Switches, PushedValuesOutsideTheImageRangeDrawTheNearestEndState) {
    auto* sw = control<solva::CSwitch>(kB1On);
    editor->setParameter(kB1On, 0.0f);
    EXPECT_FLOAT_EQ(sw->getValue(), kOff);
    EXPECT_EQ(sw->getImageIndex(), 0);
    editor->setParameter(kB1On, 1.0f);
    EXPECT_FLOAT_EQ(sw->getValue(), kOn);
    EXPECT_EQ(sw->getImageIndex(), 2);
}

TEST_F(Switches, KickActsOnReleaseEvenWhenReleasedOutsideTheWindow) {
    editor->showOverlay(solva::kAboutPanel, true);
    solva::CKick* closeKick = nullptr;
    for (auto* k : controls<solva::CKick>(92))
        if (k->getParentView() == editor->getOverlay(solva::kAboutPanel)) closeKick = k;
    ASSERT_NE(closeKick, nullptr);
    const CPoint at = centre(closeKick);
    press(at, kLButton);
    EXPECT_FLOAT_EQ(closeKick->getValue(), solva::CKick::kPressed);
    EXPECT_TRUE(editor->isOverlayShown(solva::kAboutPanel));
    move(CPoint(700, 300), kLButton);
    EXPECT_FLOAT_EQ(closeKick->getValue(), solva::CKick::kPressed);
    release(CPoint(700, 300));
    EXPECT_FALSE(editor->isOverlayShown(solva::kAboutPanel));
    EXPECT_FLOAT_EQ(closeKick->getValue(), solva::CKick::kReleased);
}

TEST_F(Switches, KickImageFollowsTheSelectedVariant) {
    auto* copy = control<solva::CKick>(71);
    ASSERT_NE(copy, nullptr);
    editor->selectImage(71, 1);
    EXPECT_EQ(copy->getBackground()->getResourceID(), 1015);
    editor->selectImage(71, 0);
    EXPECT_EQ(copy->getBackground()->getResourceID(), 1014);
}

TEST_F(Switches, SlideSwitchStepsOnePositionPerMoveBeyondFivePixels) {
    editor->showChannelPanel(1);
    auto* slide = control<solva::CSwitchXPos>(48);
    ASSERT_NE(slide, nullptr);
    ASSERT_TRUE(slide->isHorizontal());
    editor->setParameter(48, 0.0f);
    EXPECT_NEAR(slide->getValue(), 1.0f / 6.0f, 1e-6f);
    const CPoint at = centre(slide);
    press(at, kLButton);
    move(CPoint(at.h - 5, at.v), kLButton);  // not beyond 5 pixels
    EXPECT_NEAR(slide->getValue(), 1.0f / 6.0f, 1e-6f);
    move(CPoint(at.h - 6, at.v), kLButton);  // left: one position up
    EXPECT_NEAR(slide->getValue(), 0.5f, 1e-6f);
    move(CPoint(at.h - 12, at.v), kLButton);
    EXPECT_NEAR(slide->getValue(), 5.0f / 6.0f, 1e-6f);
    move(CPoint(at.h - 30, at.v), kLButton);  // held at the top end
    EXPECT_NEAR(slide->getValue(), 5.0f / 6.0f, 1e-6f);
    move(CPoint(at.h - 20, at.v), kLButton);  // right: one position down
    EXPECT_NEAR(slide->getValue(), 0.5f, 1e-6f);
    release(CPoint(at.h - 20, at.v));
    EXPECT_NEAR(hostValue(48), 0.5f, 1e-6f);
}

TEST_F(Switches, TwoPositionSlideShowsTheOtherPositionWhileAFineClickIsHeld) {
    editor->showChannelPanel(1);
    auto* slide = control<solva::CSwitchXPos>(46);
    ASSERT_NE(slide, nullptr);
    editor->setParameter(46, 0.0f);
    const CPoint at = centre(slide);
    press(at, kRButton);
    EXPECT_NEAR(slide->getValue(), 0.75f, 1e-6f);
    release(at);
    EXPECT_NEAR(slide->getValue(), 0.25f, 1e-6f);
}

TEST_F(Switches, ClipLedShowsAClipOnceWithoutHoldAndKeepsItWithHold) {
    editor->showComponent(115, true);
    auto* led = control<solva::CLed>(115);
    ASSERT_NE(led, nullptr);
    effect->setParameter(63, 0.0f);  // no hold
    clip();
    frame()->renderAll();
    EXPECT_EQ(led->getImageIndex(), 1);
    frame()->renderAll();
    EXPECT_EQ(led->getImageIndex(), 0);

    effect->setParameter(63, 1.0f);  // hold
    clip();
    for (int i = 0; i < 3; ++i) {
        frame()->renderAll();
        EXPECT_EQ(led->getImageIndex(), 1);
    }
    // A click on the LED clears the held clip.
    click(centre(led), kLButton);
    frame()->renderAll();
    EXPECT_EQ(led->getImageIndex(), 0);
}

TEST_F(Switches, ClipUpdatesAreIgnoredWhileTheHelpPanelIsShown) {
    editor->showComponent(115, true);
    auto* led = control<solva::CLed>(115);
    editor->showOverlay(solva::kHelpPanel, true);
    led->setValue(0.25f);
    editor->setParameter(115, 0.75f);
    EXPECT_FLOAT_EQ(led->getValue(), 0.25f);
    editor->showOverlay(solva::kHelpPanel, false);
    editor->setParameter(115, 0.75f);
    EXPECT_FLOAT_EQ(led->getValue(), 0.75f);
}

TEST_F(Switches, HelpSwitchShowsAndHidesTheHelpPanel) {
    auto* help = control<solva::CSwitch>(110);
    ASSERT_NE(help, nullptr);
    click(centre(help), kLButton);
    EXPECT_TRUE(editor->isOverlayShown(solva::kHelpPanel));
    click(centre(help), kLButton);
    EXPECT_FALSE(editor->isOverlayShown(solva::kHelpPanel));
}

TEST_F(Switches, SlotSwitchesBringTheOtherSlotsValuesIntoTheControls) {
    auto* a = control<solva::CSwitch>(106);
    auto* b = control<solva::CSwitch>(107);
    auto* gain = control<CControl>(7);
    ASSERT_TRUE(a && b && gain);
    effect->setParameter(7, 0.3f);
    click(centre(b), kLButton);
    EXPECT_GE(hostValue(49), 0.5f);  // slot B current
    auto* copy = control<solva::CKick>(71);
    EXPECT_EQ(copy->getBackground()->getResourceID(), 1015);  // copy B to A
    effect->setParameter(7, 0.9f);
    EXPECT_FLOAT_EQ(gain->getValue(), 0.9f);
    click(centre(a), kLButton);
    EXPECT_LT(hostValue(49), 0.5f);
    EXPECT_EQ(copy->getBackground()->getResourceID(), 1014);
    EXPECT_FLOAT_EQ(gain->getValue(), 0.3f);
    click(centre(b), kLButton);
    EXPECT_FLOAT_EQ(gain->getValue(), 0.9f);
}

}  // namespace
}  // namespace editortest
