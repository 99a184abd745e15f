// Helpers of the menu and command tests: an effect with its editor open
// headless on a fresh install directory of its own, menus chosen through
// their pop-ups with scripted pointer input (hover opens sub-menus, a
// click chooses), typing into name fields, releasing dialog buttons, and
// reading check marks and entry texts.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/borvan_commands.h"
#include "editor/borvan_interface.h"
#include "editor/cchoix.h"
#include "editor/ckick.h"
#include "editor/ctexte.h"
#include "editor_test_support.h"
#include "gui/cmenusession.h"

namespace menutest {

using namespace VSTGUI;
using editortest::HostLog;
using editortest::TestClock;
using solva::BorvanEdit;
using solva::CBorvan;

inline CPoint centreOf(const CRect& r) { return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

class MenuFixture : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/solva-menus-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        installDir = pattern;
        setenv("SOLVA_INSTALL_DIR", installDir.c_str(), 1);
        HostLog::current() = &log;
        BorvanEdit::setClock(&TestClock::read);
        effect = new CBorvan(&editortest::hostCallback, &solva::createBorvanEditor);
        editor = dynamic_cast<BorvanEdit*>(effect->getEditor());
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(editor->open(nullptr));
        idle();
    }
    void TearDown() override {
        editortest::closeEffect(effect);  // deletes the effect and its editor
        effect = nullptr;
        BorvanEdit::setClock(nullptr);
        HostLog::current() = nullptr;
        unsetenv("SOLVA_KELVADRIN_PATH");
        unsetenv("KELVADRIN_STANDIN_ANSWER");
        unsetenv("KELVADRIN_STANDIN_LOG");
        const std::string command = "rm -rf '" + installDir + "'";
        if (!installDir.empty() && std::system(command.c_str()) != 0) ADD_FAILURE() << command;
    }

    CFrame* frame() const { return editor->getFrame(); }
    solva::CBorvanInterface* bridge() const { return editor->getBridge(); }
    // One host idle after more than the service interval: rebuilds marked
    // menus and runs the effect's tick.
    void idle() {
        TestClock::nowMs() += 200;
        editor->idle();
        frame()->renderAll();
    }

    template <class T>
    T* control(long tag) const {
        for (solva::CReceptionMiseAJourComposant* r : editor->getComponents()->receivers(tag))
            if (auto* c = dynamic_cast<T*>(r)) return c;
        return nullptr;
    }
    solva::CChoix* options() const { return editor->getOptionsMenu(); }
    solva::CChoix* banks() const { return editor->getBankMenu(); }
    solva::CChoix* presets() const { return editor->getPresetMenu(); }
    COptionMenu* optionsSub(long tag) const { return solva::menus::optionsSubMenu(*editor, tag); }

    // Opens `menu` by a click on its button.
    CMenuSession* openByClick(COptionMenu* menu) {
        const CPoint at = centreOf(menu->getFrameRect());
        frame()->platformMouseDown(at, kLButton);
        frame()->platformMouseUp(at, 0);
        return frame()->getMenuSession();
    }
    // Opens `menu` and walks `path`: every index but the last is hovered
    // (opening its sub-menu), the last one is clicked. False when an entry
    // could not be reached or chosen.
    bool choose(COptionMenu* menu, const std::vector<long>& path) {
        CMenuSession* session = openByClick(menu);
        if (!session || !session->isOpen()) return false;
        for (size_t level = 0; level < path.size(); ++level) {
            CMenuPopup* popup = session->getPopup(static_cast<int>(level));
            if (!popup || path[level] >= popup->getMenu()->getNbEntries()) return false;
            const CPoint at = centreOf(popup->entryScreenRect(path[level]));
            session->platformMouseMoved(at, 0);
            if (level + 1 < path.size()) continue;
            session->platformMouseDown(at, kLButton);
            session->platformMouseUp(at, 0);
        }
        const bool chosen = !session->isOpen();
        if (!chosen) session->cancel();
        idle();
        return chosen;
    }
    // Chooses entry `entry` of options sub-menu `tag` (83..87).
    bool chooseOption(long tag, long entry) {
        const long order[] = {solva::menus::kMiscMenuTag, solva::menus::kDisplayMenuTag, solva::menus::kLRMenuTag,
                              solva::menus::kMSMenuTag, solva::menus::kSnapMenuTag};
        for (long i = 0; i < 5; ++i)
            if (order[i] == tag) return choose(options(), {i, entry});
        return false;
    }

    // Clicks a text field, types `text` over its content and presses Return.
    void typeInto(CTextEdit* field, const std::string& text) {
        ASSERT_NE(field, nullptr);
        const CPoint at = centreOf(field->getFrameRect());
        frame()->platformMouseDown(at, kLButton);
        frame()->platformMouseUp(at, 0);
        ASSERT_TRUE(field->isEditing());
        CKeyCode key;
        key.virt = VKEY_END;
        frame()->platformKeyDown(key);
        for (size_t n = field->getEditText().size(); n > 0; --n) {
            key.virt = VKEY_BACK;
            frame()->platformKeyDown(key);
        }
        for (char c : text) {
            CKeyCode ch;
            ch.character = static_cast<unsigned char>(c);
            frame()->platformKeyDown(ch);
        }
        CKeyCode ret;
        ret.virt = VKEY_RETURN;
        frame()->platformKeyDown(ret);
        EXPECT_FALSE(field->isEditing());
        idle();
    }
    // The text field with `tag` that is on screen now (74..79 may exist twice).
    solva::CEditTexte* visibleField(long tag) const {
        for (solva::CReceptionMiseAJourComposant* r : editor->getComponents()->receivers(tag))
            if (auto* f = dynamic_cast<solva::CEditTexte*>(r); f && isOnScreen(f)) return f;
        return nullptr;
    }
    // Presses and releases the dialog button `tag` inside overlay `id`.
    void clickButton(solva::OverlayId id, long tag) {
        ASSERT_TRUE(editor->isOverlayShown(id)) << "overlay " << id << " not shown";
        solva::CKick* kick = nullptr;
        for (solva::CReceptionMiseAJourComposant* r : editor->getComponents()->receivers(tag))
            if (auto* k = dynamic_cast<solva::CKick*>(r); k && k->getParentView() == editor->getOverlay(id)) kick = k;
        ASSERT_NE(kick, nullptr) << "no button " << tag << " in overlay " << id;
        const CPoint at = centreOf(kick->getFrameRect());
        frame()->platformMouseDown(at, kLButton);
        frame()->platformMouseUp(at, 0);
        idle();
    }
    bool isOnScreen(CView* view) const {
        for (CView* v = view; v; v = v->getParentView())
            if (v == frame()) return true;
        return false;
    }

    // Check marks of a menu's entries, as a string of '1'/'0'.
    static std::string marks(const COptionMenu* menu) {
        std::string out;
        for (long i = 0; i < menu->getNbEntries(); ++i) out += menu->isCheckEntry(i) ? '1' : '0';
        return out;
    }
    static std::vector<std::string> texts(const COptionMenu* menu) {
        std::vector<std::string> out;
        for (long i = 0; i < menu->getNbEntries(); ++i) out.push_back(menu->getEntryText(i));
        return out;
    }
    // Index of the group whose label is `label`, -1 when none.
    int groupNamed(const std::string& label) {
        char text[256];
        for (int g = 0; g < bridge()->getGroupCount(); ++g) {
            text[0] = 0;
            bridge()->getGroupLabel(g, text);
            if (label == text) return g;
        }
        return -1;
    }
    std::string currentBank() { return bridge()->getDisplayText(solva::menus::kBankNameTag); }
    std::string currentPresetName() {
        char label[256] = {}, name[256] = {};
        bridge()->getEntryTexts(bridge()->getCurrentGroup(), bridge()->getCurrentPosition(), label, name);
        return name;
    }

    HostLog log;
    std::string installDir;
    CBorvan* effect = nullptr;
    BorvanEdit* editor = nullptr;
};

}  // namespace menutest
