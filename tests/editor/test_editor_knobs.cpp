// Knob gestures on the open editor, driven by scripted platform events:
// drag ranges, Fine (Shift or right button) without jumps, diagonal drags,
// wheel increments, Control-click reset and Control-right-click store of
// the init value, gesture framing and the mouse states the effect sees.
#include "editor/borvan_interface.h"
#include "editor/cbouton_rotatif.h"
#include "editor_test_support.h"
#include "params/snap_tables.h"

#include <cmath>

namespace editortest {
namespace {

constexpr int kB2Gain = 7;

class Knobs : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        // Values are compared unsnapped.
        for (int index : {57, 58, 59}) effect->setParameter(index, 0.0f);
        openHeadless();
        knob = control<solva::CBoutonRotatif>(kB2Gain);
        ASSERT_NE(knob, nullptr);
        at = centre(knob);
    }
    void setValue(float value) { effect->setParameter(kB2Gain, value); }
    // Press, move by (dx, dy) in `steps` equal steps, release.
    void drag(int dx, int dy, long buttons, int steps = 4) {
        press(at, buttons);
        for (int i = 1; i <= steps; ++i) move(CPoint(at.h + dx * i / steps, at.v + dy * i / steps), buttons);
        release(CPoint(at.h + dx, at.v + dy));
    }

    solva::CBoutonRotatif* knob = nullptr;
    CPoint at;
};

TEST_F(Knobs, LeftDragOf200PixelsCoversTheWholeRange) {
    setValue(0.0f);
    drag(200, 0, kLButton);
    EXPECT_FLOAT_EQ(hostValue(kB2Gain), 1.0f);
    setValue(0.0f);
    drag(100, 0, kLButton);
    EXPECT_NEAR(hostValue(kB2Gain), 0.5f, 1e-5f);
    // Dragging down decreases.
    drag(0, 50, kLButton);
    EXPECT_NEAR(hostValue(kB2Gain), 0.25f, 1e-5f);
}

TEST_F(Knobs, ShiftDragNeeds4000PixelsForTheWholeRange) {
    setValue(0.0f);
    drag(200, 0, kLButton | kShift);
    EXPECT_NEAR(hostValue(kB2Gain), 0.05f, 1e-5f);
    setValue(0.0f);
    drag(4000, 0, kLButton | kShift);
    EXPECT_FLOAT_EQ(hostValue(kB2Gain), 1.0f);
    // The right button is Fine too.
    setValue(0.0f);
    drag(400, 0, kRButton);
    EXPECT_NEAR(hostValue(kB2Gain), 0.1f, 1e-5f);
}

TEST_F(Knobs, PressingShiftHalfwayDoesNotMakeTheValueJump) {
    setValue(0.0f);
    press(at, kLButton);
    move(CPoint(at.h + 100, at.v), kLButton);
    EXPECT_NEAR(knob->getValue(), 0.5f, 1e-5f);
    frame()->platformModifiersChanged(kLButton | kShift);
    EXPECT_NEAR(knob->getValue(), 0.5f, 1e-5f);
    move(CPoint(at.h + 300, at.v), kLButton | kShift);
    EXPECT_NEAR(knob->getValue(), 0.55f, 1e-5f);
    // Releasing Shift again keeps the value too.
    frame()->platformModifiersChanged(kLButton);
    EXPECT_NEAR(knob->getValue(), 0.55f, 1e-5f);
    move(CPoint(at.h + 320, at.v), kLButton);
    EXPECT_NEAR(knob->getValue(), 0.65f, 1e-5f);
    release(CPoint(at.h + 320, at.v));
    EXPECT_NEAR(hostValue(kB2Gain), 0.65f, 1e-5f);
}

TEST_F(Knobs, DiagonalDragCountsBothAxes) {
    setValue(0.0f);
    drag(100, -100, kLButton);
    EXPECT_FLOAT_EQ(hostValue(kB2Gain), 1.0f);
    setValue(0.5f);
    drag(60, 60, kLButton);  // right and down cancel out
    EXPECT_NEAR(hostValue(kB2Gain), 0.5f, 1e-5f);
}

TEST_F(Knobs, AGestureIsOneBeginEndPairAndReportsItsButtons) {
    setValue(0.2f);
    log.beginEdits = log.endEdits = 0;
    press(at, kLButton | kAlt);
    EXPECT_EQ(effect->modifierState(CBorvan::kButtonDown), 1);
    EXPECT_EQ(effect->modifierState(CBorvan::kListen), 1);
    EXPECT_EQ(effect->modifierState(CBorvan::kFineAdjust), 0);
    move(CPoint(at.h + 10, at.v), kRButton);
    EXPECT_EQ(effect->modifierState(CBorvan::kFineAdjust), 1);
    release(CPoint(at.h + 10, at.v));
    EXPECT_EQ(effect->modifierState(CBorvan::kButtonDown), 0);
    EXPECT_EQ(effect->modifierState(CBorvan::kListen), 0);
    EXPECT_EQ(log.beginEdits, 1);
    EXPECT_EQ(log.endEdits, 1);
    ASSERT_FALSE(log.beginIndices.empty());
    EXPECT_EQ(log.beginIndices.back(), kB2Gain);
}

TEST_F(Knobs, ControlClickRestoresTheInitValueAndControlRightClickStoresIt) {
    setValue(0.8f);
    press(at, kRButton | kControl);
    release(at);
    EXPECT_NEAR(effect->getInitValue(kB2Gain), 0.8f, 1e-6f);
    setValue(0.2f);
    press(at, kLButton | kControl);
    EXPECT_NEAR(knob->getValue(), 0.8f, 1e-6f);
    release(at);
    EXPECT_NEAR(hostValue(kB2Gain), 0.8f, 1e-6f);
}

TEST_F(Knobs, WheelNotchMovesByTheWheelIncrement) {
    move(at, 0);  // the pointer rests on the knob
    const float increments[] = {0.01f, 0.05f, 0.1f};
    for (int mode = 0; mode < 3; ++mode) {
        effect->setParameter(66, float(mode));
        setValue(0.5f);
        EXPECT_TRUE(editor->onWheel(1.0f));
        EXPECT_NEAR(hostValue(kB2Gain), 0.5f + increments[mode], 1e-5f) << "mode " << mode;
        EXPECT_TRUE(editor->onWheel(-1.0f));
        EXPECT_NEAR(hostValue(kB2Gain), 0.5f, 1e-5f) << "mode " << mode;
    }
}

TEST_F(Knobs, WheelWithShiftMovesByOneTwentiethOfTheIncrement) {
    effect->setParameter(66, 1.0f);
    setValue(0.5f);
    frame()->platformWheel(at, 1.0f, kShift);
    EXPECT_NEAR(hostValue(kB2Gain), 0.5025f, 1e-5f);
}

TEST_F(Knobs, WheelThroughTheVendorSpecificCallAndThePrivateOpcode) {
    effect->setParameter(66, 2.0f);
    setValue(0.5f);
    move(at, 0);
    EXPECT_EQ(dispatch(effect, vst::effVendorSpecific, vst::fourCC('s', 't', 'C', 'A'),
                                 vst::fourCC('W', 'h', 'e', 'e'), nullptr, 1.0f),
              1);
    EXPECT_NEAR(hostValue(kB2Gain), 0.6f, 1e-5f);
    EXPECT_EQ(dispatch(effect, -3, 0, 0, nullptr, -2.0f), 1);
    EXPECT_NEAR(hostValue(kB2Gain), 0.4f, 1e-5f);
}

TEST_F(Knobs, WheelAtTheEndOfTheRangeChangesNothingAndFramesNoGesture) {
    setValue(1.0f);
    move(at, 0);
    log.beginEdits = 0;
    editor->onWheel(1.0f);
    EXPECT_FLOAT_EQ(hostValue(kB2Gain), 1.0f);
    EXPECT_EQ(log.beginEdits, 0);
}

TEST_F(Knobs, KnobDrawsFrameZeroAtMinimumAndTheLastFrameAtMaximum) {
    setValue(0.0f);
    EXPECT_EQ(knob->getFrameIndex(), 0);
    setValue(1.0f);
    EXPECT_EQ(knob->getFrameIndex(), 64);
    editor->setParameter(kB2Gain, 1.7f);  // pushed values are clamped
    EXPECT_FLOAT_EQ(knob->getValue(), 1.0f);
}

TEST_F(Knobs, ListenGestureOnABandFrequencyAsksForTheGainBackAtTheTick) {
    auto* freq = control<solva::CBoutonRotatif>(5);
    ASSERT_NE(freq, nullptr);
    const CPoint p = centre(freq);
    press(p, kLButton | kAlt);
    move(CPoint(p.h + 5, p.v), kLButton | kAlt);
    release(CPoint(p.h + 5, p.v));
    EXPECT_EQ(solva::listenGainIndexForTag(5), 7);
    EXPECT_EQ(solva::listenGainIndexForTag(7), -1);
    EXPECT_EQ(solva::listenGainIndexForTag(17), -1);
    // The tick ends the boost: listen is cleared.
    TestClock::nowMs() += 1000;
    editor->idle();
    EXPECT_EQ(effect->modifierState(CBorvan::kListenSeen), 0);
}

TEST_F(Knobs, CoarseDragsAreSnappedAndFineDragsAreNot) {
    effect->setParameter(57, 1.0f);  // frequency snap coarse
    auto* freq = control<solva::CBoutonRotatif>(5);
    const CPoint p = centre(freq);
    auto& block = effect->settings();
    effect->setParameter(5, 0.5f);  // not a gesture: stored as given
    EXPECT_FLOAT_EQ(hostValue(5), 0.5f);

    press(p, kLButton | kShift);
    move(CPoint(p.h + 40, p.v), kLButton | kShift);
    release(CPoint(p.h + 40, p.v));
    EXPECT_NEAR(hostValue(5), 0.51f, 1e-5f);

    effect->setParameter(5, 0.5f);
    press(p, kLButton);
    move(CPoint(p.h + 3, p.v), kLButton);
    release(CPoint(p.h + 3, p.v));
    const float expected = solva::snapNormalised(5, 0.515f, block, block.slot[0]);
    ASSERT_GT(std::fabs(expected - 0.515f), 1e-4f);  // the drag lands off the table
    EXPECT_NEAR(hostValue(5), expected, 1e-5f);
    // Outside gestures the effect stores values unsnapped again.
    effect->setParameter(5, 0.515f);
    EXPECT_FLOAT_EQ(hostValue(5), 0.515f);
}

}  // namespace
}  // namespace editortest
