// Text editing: a click starts it, typing edits the buffer, Return or a
// loss of focus applies the text and calls the listener once, Escape
// cancels; keys come from the window or are forwarded by the host.
#include <gtest/gtest.h>

#include "gui/offscreen/offscreen_platform.h"
#include "gui_test_support.h"

namespace {

using namespace VSTGUI;
using namespace guitest;

CKeyCode character(int c) {
    CKeyCode key;
    key.character = c;
    return key;
}

CKeyCode virtualKey(unsigned char v) {
    CKeyCode key;
    key.virt = v;
    return key;
}

class TextEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        frame = new CFrame(CRect(0, 0, 200, 100), nullptr, &editor);
        edit = new CTextEdit(CRect(10, 10, 110, 26), &listener, 75, "Preset");
        other = new ProbeView(CRect(150, 50, 190, 90), kRedCColor);
        frame->addView(edit);
        frame->addView(other);
    }
    void TearDown() override { frame->forget(); }
    void type(const char* text) {
        for (const char* p = text; *p; ++p) frame->platformKeyDown(character(*p));
    }
    void click(CPoint where) {
        frame->platformMouseDown(where, kLButton);
        frame->platformMouseUp(where, 0);
    }

    RecordingListener listener;
    RecordingEditor editor;
    CFrame* frame = nullptr;
    CTextEdit* edit = nullptr;
    ProbeView* other = nullptr;
};

TEST_F(TextEditTest, ClickStartsEditingWithTheKeyboardFocus) {
    click(CPoint(20, 15));
    EXPECT_TRUE(edit->isEditing());
    EXPECT_EQ(frame->getFocusView(), edit);
    auto* window = dynamic_cast<OffscreenWindow*>(frame->getPlatformWindow());
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->hasKeyboardFocus());
    EXPECT_EQ(edit->getEditText(), "Preset");
    EXPECT_TRUE(listener.calls.empty());
}

TEST_F(TextEditTest, ReturnAppliesTheTypedTextAndCallsTheListenerOnce) {
    click(CPoint(20, 15));
    frame->platformKeyDown(virtualKey(VKEY_END));
    frame->platformKeyDown(virtualKey(VKEY_BACK));
    frame->platformKeyDown(virtualKey(VKEY_BACK));
    type("_2");
    frame->platformKeyDown(virtualKey(VKEY_RETURN));
    EXPECT_FALSE(edit->isEditing());
    EXPECT_STREQ(edit->getText(), "Pres_2");
    ASSERT_EQ(listener.texts.size(), 1u);
    EXPECT_EQ(listener.texts[0], "Pres_2");
    EXPECT_EQ(listener.calls[0].tag, 75);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    auto* window = dynamic_cast<OffscreenWindow*>(frame->getPlatformWindow());
    EXPECT_FALSE(window->hasKeyboardFocus());
    // Further keys go nowhere.
    type("x");
    EXPECT_STREQ(edit->getText(), "Pres_2");
}

TEST_F(TextEditTest, TypingFirstReplacesTheWholeText) {
    click(CPoint(20, 15));
    EXPECT_TRUE(edit->isAllSelected());
    type("New");
    EXPECT_FALSE(edit->isAllSelected());
    frame->platformKeyDown(virtualKey(VKEY_RETURN));
    EXPECT_STREQ(edit->getText(), "New");
    // Backspace on the selection empties the field.
    click(CPoint(20, 15));
    frame->platformKeyDown(virtualKey(VKEY_BACK));
    EXPECT_EQ(edit->getEditText(), "");
    frame->platformKeyDown(virtualKey(VKEY_ESCAPE));
    EXPECT_STREQ(edit->getText(), "New");
}

TEST_F(TextEditTest, ControlShortcutsDoNotTypeAndControlASelectsAll) {
    click(CPoint(20, 15));
    frame->platformKeyDown(virtualKey(VKEY_END));
    CKeyCode copy = character('c');
    copy.modifier = MODIFIER_CONTROL;
    EXPECT_FALSE(frame->platformKeyDown(copy));
    EXPECT_EQ(edit->getEditText(), "Preset");
    CKeyCode all = character('a');
    all.modifier = MODIFIER_CONTROL;
    EXPECT_TRUE(frame->platformKeyDown(all));
    EXPECT_TRUE(edit->isAllSelected());
    type("Z");
    EXPECT_EQ(edit->getEditText(), "Z");
}

TEST_F(TextEditTest, AClickInsideTheEditBoxPlacesTheCaret) {
    click(CPoint(20, 15));
    click(CPoint(11, 15));  // left edge: before the first character
    EXPECT_FALSE(edit->isAllSelected());
    EXPECT_EQ(edit->getCaret(), 0u);
    click(CPoint(108, 15));  // far right: after the last one
    EXPECT_EQ(edit->getCaret(), 6u);
    type("!");
    frame->platformKeyDown(virtualKey(VKEY_RETURN));
    EXPECT_STREQ(edit->getText(), "Preset!");
}

TEST_F(TextEditTest, ClickingElsewhereEndsEditingAndAppliesTheText) {
    click(CPoint(20, 15));
    frame->platformKeyDown(virtualKey(VKEY_RIGHT));  // to the end of the selection
    type("X");
    click(CPoint(160, 60));
    EXPECT_FALSE(edit->isEditing());
    EXPECT_STREQ(edit->getText(), "PresetX");
    EXPECT_EQ(listener.texts.size(), 1u);
    EXPECT_EQ(other->presses, 1);
}

TEST_F(TextEditTest, WindowFocusLossEndsEditing) {
    click(CPoint(20, 15));
    type("Y");
    frame->platformFocusLost();
    EXPECT_FALSE(edit->isEditing());
    EXPECT_STREQ(edit->getText(), "Y");
    EXPECT_EQ(listener.texts.size(), 1u);
}

TEST_F(TextEditTest, EscapeRestoresTheTextWithoutCallingTheListener) {
    click(CPoint(20, 15));
    type("zzz");
    frame->platformKeyDown(virtualKey(VKEY_ESCAPE));
    EXPECT_FALSE(edit->isEditing());
    EXPECT_STREQ(edit->getText(), "Preset");
    EXPECT_TRUE(listener.calls.empty());
}

TEST_F(TextEditTest, HostForwardedKeysEditLikeWindowKeys) {
    click(CPoint(20, 15));
    CKeyCode home = virtualKey(VKEY_HOME);
    EXPECT_EQ(frame->onKeyDown(home), 1);
    CKeyCode a = character('A');
    frame->onKeyDown(a);
    CKeyCode del = virtualKey(VKEY_DELETE);
    frame->onKeyDown(del);
    CKeyCode end = virtualKey(VKEY_END);
    frame->onKeyDown(end);
    CKeyCode space = virtualKey(VKEY_SPACE);
    frame->onKeyDown(space);
    CKeyCode enter = virtualKey(VKEY_ENTER);
    frame->onKeyDown(enter);
    EXPECT_STREQ(edit->getText(), "Areset ");
    // Without an edit in progress the frame reports keys as unused.
    CKeyCode b = character('b');
    EXPECT_EQ(frame->onKeyDown(b), -1);
}

TEST_F(TextEditTest, TheTextHoldsAtMost255Characters) {
    const std::string longText(300, 'a');
    edit->setText(longText.c_str());
    EXPECT_EQ(std::string(edit->getText()).size(), 255u);
    click(CPoint(20, 15));
    frame->platformKeyDown(virtualKey(VKEY_END));
    type("bbb");
    frame->platformKeyDown(virtualKey(VKEY_RETURN));
    EXPECT_EQ(std::string(edit->getText()), std::string(255, 'a'));
    char buffer[256];
    edit->getText(buffer);
    EXPECT_EQ(std::string(buffer).size(), 255u);
}

TEST_F(TextEditTest, EditingDrawsALightBoxWithDarkTextAndTheFieldRedrawsAfterwards) {
    edit->setBackColor(kBlackCColor);
    edit->setFontColor(kWhiteCColor);
    frame->idle();
    EXPECT_EQ(pixel(*frame, 12, 12), kBlackCColor);
    click(CPoint(20, 15));
    frame->idle();
    EXPECT_EQ(pixel(*frame, 105, 12), kWhiteCColor);  // edit box background
    frame->platformKeyDown(virtualKey(VKEY_RETURN));
    frame->idle();
    EXPECT_EQ(pixel(*frame, 105, 12), kBlackCColor);
}

TEST_F(TextEditTest, DetachingTheFieldWhileEditingEndsTheEdit) {
    click(CPoint(20, 15));
    frame->removeView(edit, false);  // the frame's reference is ours now
    EXPECT_FALSE(edit->isEditing());
    EXPECT_EQ(frame->getFocusView(), nullptr);
    edit->forget();
}

}  // namespace
