// Text controls: value cells show the effect's display text and hand typed
// values to it; read-only displays fetch their text at each draw.
#include <string>

#include "editor/ctexte.h"
#include "editor_test_support.h"

namespace editortest {
namespace {

class Texts : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        effect->setParameter(51, 1.0f);  // value strips shown
        openHeadless();
    }
};

TEST_F(Texts, ValueCellsShowTheEffectsDisplayText) {
    effect->setParameter(7, 1.0f);
    frame()->renderAll();
    auto* cell = control<solva::CEditTexte>(7);
    ASSERT_NE(cell, nullptr);
    EXPECT_STREQ(cell->getText(), effect->getDisplayText(7));
    EXPECT_FALSE(std::string(cell->getText()).empty());
}

TEST_F(Texts, TypedValueReachesTheEffectThroughTheTextParser) {
    auto* cell = control<solva::CEditTexte>(5);
    ASSERT_NE(cell, nullptr);
    const float before = hostValue(5);
    const CPoint at = centre(cell);
    press(at, kLButton);
    release(at);
    ASSERT_TRUE(cell->isEditing());
    vst::VstKeyCode key{};
    for (int i = 0; i < 12; ++i) {
        key = {0, VKEY_BACK, 0};
        editor->onKeyDown(key);
    }
    for (const char* p = "2000"; *p; ++p) {
        key = {*p, 0, 0};
        editor->onKeyDown(key);
    }
    key = {0, VKEY_RETURN, 0};
    editor->onKeyDown(key);
    EXPECT_NE(hostValue(5), before);
    frame()->renderAll();
    EXPECT_NE(std::string(cell->getText()).find("2000"), std::string::npos) << cell->getText();
}

TEST_F(Texts, ReadOnlyDisplayFetchesItsTextWhenDrawn) {
    editor->showOverlay(solva::kAboutPanel, true);
    frame()->renderAll();
    auto* version = control<solva::CAfficheTexte>(105);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->getDisplayText(), std::string(effect->getDisplayText(105)));
    EXPECT_FALSE(version->getMouseEnabled());
}

}  // namespace
}  // namespace editortest
