// Hosts play automation by calling setParameter on their audio thread. The
// values the effect then sends its editor must not touch the controls from
// there (their texts, bitmaps and dirty flags belong to the UI thread): they
// wait for the editor's next idle, where the newest one is shown, unless the
// UI thread has shown a newer one meanwhile.
#include <string>
#include <thread>

#include "editor/cbouton_rotatif.h"
#include "editor/ckick.h"
#include "editor/ctexte.h"
#include "editor_test_support.h"

namespace editortest {
namespace {

constexpr int kFrequencyIndex = 7;  // band 3's frequency: a knob and a value cell
constexpr long kCopyKickTag = 71;

class AutomationThread : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        effect->setParameter(51, 1.0f);  // value strips shown
        effect->setParameter(kFrequencyIndex, 0.25f);
        openHeadless();
        knob = control<solva::CBoutonRotatif>(kFrequencyIndex);
        cell = control<solva::CEditTexte>(kFrequencyIndex);
        ASSERT_NE(knob, nullptr);
        ASSERT_NE(cell, nullptr);
    }
    template <class Call>
    static void onAnotherThread(Call&& call) {
        std::thread audio(call);
        audio.join();
    }

    solva::CBoutonRotatif* knob = nullptr;
    solva::CEditTexte* cell = nullptr;
};

TEST_F(AutomationThread, ValuesReachTheControlsAtTheNextIdle) {
    const std::string textBefore = cell->getText();
    onAnotherThread([this] { effect->setParameter(kFrequencyIndex, 0.9f); });
    EXPECT_EQ(hostValue(kFrequencyIndex), 0.9f) << "the effect stores the value at once";
    EXPECT_EQ(knob->getValue(), 0.25f) << "the knob was moved from the other thread";
    EXPECT_EQ(cell->getText(), textBefore) << "the value cell was written from the other thread";

    editor->idle();
    EXPECT_EQ(knob->getValue(), 0.9f);
    frame()->renderAll();
    EXPECT_STREQ(cell->getText(), effect->getDisplayText(kFrequencyIndex));
    EXPECT_NE(cell->getText(), textBefore);
}

TEST_F(AutomationThread, TheNewestPostWinsAndTheEditorThreadSupersedesOlderPosts) {
    onAnotherThread([this] {
        for (float v : {0.4f, 0.5f, 0.6f}) effect->setParameter(kFrequencyIndex, v);
    });
    editor->idle();
    EXPECT_EQ(knob->getValue(), 0.6f);

    onAnotherThread([this] { effect->setParameter(kFrequencyIndex, 0.2f); });
    effect->setParameter(kFrequencyIndex, 0.8f);  // the UI thread, after the post
    EXPECT_EQ(knob->getValue(), 0.8f);
    editor->idle();
    EXPECT_EQ(knob->getValue(), 0.8f) << "an older post overwrote the newer value";
}

TEST_F(AutomationThread, ImageChoicesWaitForTheIdleToo) {
    auto* kick = control<solva::CKick>(kCopyKickTag);
    ASSERT_NE(kick, nullptr);
    ASSERT_NE(kick->image(0), kick->image(1));
    editor->selectImage(int(kCopyKickTag), 0);
    ASSERT_EQ(kick->getBackground(), kick->image(0));
    onAnotherThread([this] { editor->selectImage(int(kCopyKickTag), 1); });
    EXPECT_EQ(kick->getBackground(), kick->image(0));
    editor->idle();
    EXPECT_EQ(kick->getBackground(), kick->image(1));
}

TEST_F(AutomationThread, WhatWasPostedWhileClosedIsReadAfreshOnOpening) {
    editor->close();
    onAnotherThread([this] { effect->setParameter(kFrequencyIndex, 0.3f); });
    effect->setParameter(kFrequencyIndex, 0.7f);  // closed: the editor drops it
    openHeadless();
    knob = control<solva::CBoutonRotatif>(kFrequencyIndex);
    ASSERT_NE(knob, nullptr);
    EXPECT_EQ(knob->getValue(), 0.7f);
    editor->idle();
    EXPECT_EQ(knob->getValue(), 0.7f) << "a post from before the window opened came back";
}

}  // namespace
}  // namespace editortest
