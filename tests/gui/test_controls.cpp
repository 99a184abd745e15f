// Scripted input on the toolkit controls: drags with modifiers changing
// mid-gesture, begin/end edit pairs, listener calls, wheel turns, kicks,
// switches and strip frame selection.
#include <gtest/gtest.h>

#include "gui_test_support.h"

namespace {

using namespace VSTGUI;
using namespace guitest;

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override { frame = new CFrame(CRect(0, 0, 640, 267), nullptr, &editor); }
    void TearDown() override { frame->forget(); }

    RecordingListener listener;
    RecordingEditor editor;
    CFrame* frame = nullptr;
};

TEST_F(ControlTest, KnobDragOf200PixelsCoversTheWholeRange) {
    auto* knob = new CKnob(CRect(100, 100, 140, 140), &listener, 7, nullptr, nullptr);
    knob->setValue(0.0f);
    frame->addView(knob);
    frame->platformMouseDown(CPoint(120, 120), kLButton);
    frame->platformMouseMoved(CPoint(220, 120), kLButton);
    EXPECT_NEAR(knob->getValue(), 0.5f, 1e-5);
    frame->platformMouseMoved(CPoint(320, 120), kLButton);
    EXPECT_NEAR(knob->getValue(), 1.0f, 1e-5);
    frame->platformMouseMoved(CPoint(400, 120), kLButton);  // clamped
    EXPECT_NEAR(knob->getValue(), 1.0f, 1e-5);
    frame->platformMouseUp(CPoint(400, 120), 0);
    ASSERT_EQ(editor.events.size(), 2u);
    EXPECT_EQ(editor.events[0], std::make_pair('b', 7L));
    EXPECT_EQ(editor.events[1], std::make_pair('e', 7L));
    EXPECT_EQ(listener.calls.size(), 2u);  // the clamped step changed nothing
}

TEST_F(ControlTest, KnobCountsUpwardAndRightwardMotionTogether) {
    auto* knob = new CKnob(CRect(100, 100, 140, 140), &listener, 1, nullptr, nullptr);
    knob->setValue(0.0f);
    frame->addView(knob);
    frame->platformMouseDown(CPoint(120, 120), kLButton);
    frame->platformMouseMoved(CPoint(170, 70), kLButton);  // 50 right + 50 up
    EXPECT_NEAR(knob->getValue(), 0.5f, 1e-5);
    frame->platformMouseUp(CPoint(170, 70), 0);
}

TEST_F(ControlTest, ShiftMidGestureSwitchesToFineWithoutAJump) {
    auto* knob = new CKnob(CRect(100, 100, 140, 140), &listener, 3, nullptr, nullptr);
    knob->setValue(0.0f);
    frame->addView(knob);
    frame->platformMouseDown(CPoint(120, 120), kLButton);
    frame->platformMouseMoved(CPoint(220, 120), kLButton);
    ASSERT_NEAR(knob->getValue(), 0.5f, 1e-5);
    // Shift pressed without motion: the value stays.
    frame->platformModifiersChanged(kLButton | kShift);
    EXPECT_NEAR(knob->getValue(), 0.5f, 1e-5);
    // Fine: 4000 pixels for the range, so 400 more pixels add 0.1.
    frame->platformMouseMoved(CPoint(620, 120), kLButton | kShift);
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-4);
    // Shift released: coarse again from where it is.
    frame->platformModifiersChanged(kLButton);
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-4);
    frame->platformMouseMoved(CPoint(640, 120), kLButton);
    EXPECT_NEAR(knob->getValue(), 0.7f, 1e-4);
    frame->platformMouseUp(CPoint(640, 120), 0);
    EXPECT_EQ(editor.events.size(), 2u);
}

TEST_F(ControlTest, KnobAnglesMapToValuesAndBack) {
    CKnob knob(CRect(0, 0, 41, 41), nullptr, 1, nullptr, nullptr);
    knob.setInsetValue(0);
    for (float v : {0.0f, 0.1f, 0.5f, 0.77f, 1.0f}) {
        knob.setValue(v);
        CPoint p;
        knob.valueToPoint(p);
        EXPECT_NEAR(knob.valueFromPoint(p), v, 0.03f) << v;
    }
    // Straight up is the middle of the default 270-degree turn; straight
    // down lies in the gap and snaps to an end.
    EXPECT_NEAR(knob.valueFromPoint(CPoint(20, 0)), 0.5f, 0.01f);
    const float down = knob.valueFromPoint(CPoint(20, 40));
    EXPECT_TRUE(down == 0.0f || down == 1.0f);
    EXPECT_NEAR(knob.valueFromPoint(CPoint(1, 39)), 0.0f, 0.03f);   // lower left: start
    EXPECT_NEAR(knob.valueFromPoint(CPoint(39, 39)), 1.0f, 0.03f);  // lower right: end
}

TEST_F(ControlTest, ControlClickRestoresTheDefaultValueAsOneGesture) {
    auto* knob = new CKnob(CRect(0, 0, 40, 40), &listener, 4, nullptr, nullptr);
    knob->setValue(0.9f);
    knob->setDefaultValue(0.25f);
    frame->addView(knob);
    frame->platformMouseDown(CPoint(10, 10), kLButton | kControl);
    frame->platformMouseUp(CPoint(10, 10), kControl);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.25f);
    ASSERT_EQ(listener.calls.size(), 1u);
    ASSERT_EQ(editor.events.size(), 2u);
    EXPECT_EQ(editor.events[0].first, 'b');
    EXPECT_EQ(editor.events[1].first, 'e');
}

TEST_F(ControlTest, WheelNotchAddsTheWheelIncrementWithAnEditPair) {
    auto* knob = new CKnob(CRect(0, 0, 40, 40), &listener, 9, nullptr, nullptr);
    knob->setValue(0.5f);
    knob->setWheelInc(0.05f);
    frame->addView(knob);
    frame->platformWheel(CPoint(10, 10), 1.0f, 0);
    EXPECT_NEAR(knob->getValue(), 0.55f, 1e-6);
    frame->platformWheel(CPoint(10, 10), -3.0f, 0);
    EXPECT_NEAR(knob->getValue(), 0.40f, 1e-6);
    EXPECT_EQ(listener.calls.size(), 2u);
    EXPECT_EQ(editor.events.size(), 4u);
    knob->setValue(1.0f);
    frame->platformWheel(CPoint(10, 10), 1.0f, 0);  // already at the top
    EXPECT_EQ(listener.calls.size(), 2u);
}

TEST_F(ControlTest, BeginAndEndEditNestAndReachTheEditorOnce) {
    auto* control = new CControl(CRect(0, 0, 10, 10), &listener, 12);
    frame->addView(control);
    control->beginEdit();
    control->beginEdit();
    EXPECT_TRUE(control->isEditing());
    control->endEdit();
    control->endEdit();
    control->endEdit();  // unbalanced extra end is ignored
    EXPECT_FALSE(control->isEditing());
    ASSERT_EQ(editor.events.size(), 2u);
}

TEST_F(ControlTest, BounceValueClampsIntoTheRangeAndValueChangesMakeDirty) {
    auto* control = new CControl(CRect(0, 0, 10, 10), &listener, 1);
    frame->addView(control);
    frame->idle();
    EXPECT_FALSE(control->isDirty());
    control->setValue(1.7f);
    EXPECT_TRUE(control->isDirty());
    control->bounceValue();
    EXPECT_FLOAT_EQ(control->getValue(), 1.0f);
    control->setValue(-0.2f);
    control->bounceValue();
    EXPECT_FLOAT_EQ(control->getValue(), 0.0f);
    EXPECT_EQ(control->getDefaultValue(), 0.5f);
    EXPECT_FLOAT_EQ(control->getWheelInc(), 0.1f);
    EXPECT_GE(control->getDoubleClickIntervalMs(), 250);
}

TEST_F(ControlTest, AnimKnobShowsFirstFrameAtZeroAndLastAtOne) {
    const std::vector<CColor> colours = {CColor(10, 0, 0), CColor(20, 0, 0), CColor(30, 0, 0),
                                         CColor(40, 0, 0), CColor(50, 0, 0)};
    CBitmap* strip = makeStrip(8, 6, colours);
    auto* knob = new CAnimKnob(CRect(0, 0, 8, 6), &listener, 1, 5, 6, strip);
    strip->forget();
    frame->addView(knob);
    const std::pair<float, int> cases[] = {{0.0f, 0}, {0.24f, 0}, {0.25f, 1}, {0.5f, 2},
                                           {0.74f, 2}, {0.99f, 3}, {1.0f, 4}};
    for (const auto& c : cases) {
        knob->setValue(c.first);
        EXPECT_EQ(knob->getFrameIndex(), c.second) << c.first;
        frame->idle();
        EXPECT_EQ(pixel(*frame, 3, 3), colours[c.second]) << c.first;
    }
    knob->setInverseBitmap(true);
    knob->setValue(0.0f);
    EXPECT_EQ(knob->getFrameIndex(), 4);
}

TEST_F(ControlTest, AnimKnobStripWithGreenKeyShowsTheBackgroundThrough) {
    CBitmap* strip = makeBitmap(4, 8, [](int x, int) { return x < 2 ? kColorKeyGreen : kRedCColor; });
    auto* knob = new CAnimKnob(CRect(0, 0, 4, 4), &listener, 1, 2, 4, strip);
    strip->forget();
    knob->setTransparency(true);
    frame->setBackgroundColor(kBlueCColor);
    frame->addView(knob);
    frame->renderAll();
    EXPECT_EQ(pixel(*frame, 0, 0), kBlueCColor);
    EXPECT_EQ(pixel(*frame, 3, 0), kRedCColor);
}

TEST_F(ControlTest, VerticalSwitchSelectsThePositionUnderThePointer) {
    CBitmap* strip = makeStrip(10, 10, {kRedCColor, kGreyCColor, kBlueCColor});
    auto* sw = new CVerticalSwitch(CRect(0, 0, 10, 30), &listener, 5, 3, 10, 3, strip);
    strip->forget();
    frame->addView(sw);
    frame->platformMouseDown(CPoint(5, 25), kLButton);
    EXPECT_FLOAT_EQ(sw->getValue(), 1.0f);
    frame->platformMouseMoved(CPoint(5, 15), kLButton);
    EXPECT_FLOAT_EQ(sw->getValue(), 0.5f);
    frame->platformMouseUp(CPoint(5, 15), 0);
    EXPECT_EQ(sw->getImageIndex(), 1);
    frame->idle();
    EXPECT_EQ(pixel(*frame, 5, 5), kGreyCColor);
    EXPECT_EQ(editor.events.size(), 2u);
    EXPECT_EQ(listener.calls.size(), 2u);
}

TEST_F(ControlTest, KickButtonIsPressedOnlyWhileHeldInside) {
    CBitmap* strip = makeStrip(10, 10, {kRedCColor, kBlueCColor});
    auto* kick = new CKickButton(CRect(0, 0, 10, 10), &listener, 95, 10, strip);
    strip->forget();
    frame->addView(kick);
    frame->platformMouseDown(CPoint(5, 5), kLButton);
    EXPECT_FLOAT_EQ(kick->getValue(), 1.0f);
    frame->idle();
    EXPECT_EQ(pixel(*frame, 5, 5), kBlueCColor);
    frame->platformMouseMoved(CPoint(50, 50), kLButton);  // dragged off
    EXPECT_FLOAT_EQ(kick->getValue(), 0.0f);
    frame->platformMouseMoved(CPoint(5, 5), kLButton);  // back on
    frame->platformMouseUp(CPoint(5, 5), 0);
    EXPECT_FLOAT_EQ(kick->getValue(), 0.0f);
    frame->idle();
    EXPECT_EQ(pixel(*frame, 5, 5), kRedCColor);
    ASSERT_EQ(listener.calls.size(), 4u);  // pressed, released, pressed, released
    EXPECT_FLOAT_EQ(listener.calls.back().value, 0.0f);
    EXPECT_EQ(editor.events.size(), 2u);
}

TEST_F(ControlTest, ParamDisplayUsesItsValueToTextFunction) {
    auto* display = new CParamDisplay(CRect(0, 0, 80, 16));
    display->setValue(0.25f);
    EXPECT_EQ(display->getDisplayText(), "0.25");
    display->setValueToStringProc(
        [](float value, char* text, void* user) {
            std::snprintf(text, 256, "%s %.0f Hz", static_cast<const char*>(user), value * 1000);
        },
        const_cast<char*>("Freq"));
    EXPECT_EQ(display->getDisplayText(), "Freq 250 Hz");
    display->setFontColor(kWhiteCColor);
    display->setBackColor(kBlackCColor);
    frame->addView(display);
    frame->renderAll();
    int ink = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 1; x < 79; ++x)
            if (pixel(*frame, x, y).red > 128) ++ink;
    EXPECT_GT(ink, 20);
}

}  // namespace
