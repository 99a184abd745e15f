// Shared helpers of the editor tests: an effect with its editor built by
// the real factory (a recording host behind it, a private install
// directory), an injectable clock, scripted mouse input on the headless
// frame and lookups of controls by tag.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "editor/borvan_edit.h"
#include "editor/borvan_interface_gui.h"
#include "editor/reception.h"
#include "gui/vstgui.h"
#include "plugin/borvan.h"

namespace editortest {

using namespace VSTGUI;
using solva::BorvanEdit;
using solva::CBorvan;

// Host callback counting begin/end edit and automation calls.
struct HostLog {
    int beginEdits = 0;
    int endEdits = 0;
    int automates = 0;
    std::vector<int> beginIndices;
    static HostLog*& current() {
        static HostLog* log = nullptr;
        return log;
    }
};

inline vst::VstIntPtr VSTCALLBACK hostCallback(vst::AEffect*, vst::VstInt32 opcode, vst::VstInt32 index,
                                               vst::VstIntPtr, void*, float) {
    HostLog* log = HostLog::current();
    switch (opcode) {
    case vst::audioMasterVersion: return 2400;
    case vst::audioMasterBeginEdit:
        if (log) ++log->beginEdits, log->beginIndices.push_back(index);
        return 1;
    case vst::audioMasterEndEdit:
        if (log) ++log->endEdits;
        return 1;
    case vst::audioMasterAutomate:
        if (log) ++log->automates;
        return 0;
    default: return 0;
    }
}

// A clock the tests move by hand.
struct TestClock {
    static uint64_t& nowMs() {
        static uint64_t now = 1000000;
        return now;
    }
    static uint64_t read() { return nowMs(); }
};

// Points every effect at a private install directory under the build
// directory; with `fresh` it is emptied first, so that what the effect
// loads does not depend on what other tests saved.
inline void usePrivateInstallDirectory(const char* name = "editor-test-install", bool fresh = false) {
    const std::string dir = std::string(SOLVA_BINARY_DIR) + "/" + name;
    std::string command = "mkdir -p '" + dir + "'";
    if (fresh) command = "rm -rf '" + dir + "' && " + command;
    if (std::system(command.c_str()) != 0) ADD_FAILURE() << "cannot prepare " << dir;
    setenv("SOLVA_INSTALL_DIR", dir.c_str(), 1);
}

// Closes an effect as a host does: effClose through the raw AEffect, which
// deletes the effect object (and with it its editor).
inline void closeEffect(CBorvan* effect) {
    if (!effect) return;
    vst::AEffect* a = effect->getAeffect();
    a->dispatcher(a, vst::effClose, 0, 0, nullptr, 0.0f);
}

// Sends a dispatcher opcode through the raw AEffect, as a host does.
inline vst::VstIntPtr dispatch(CBorvan* effect, int opcode, int index = 0, vst::VstIntPtr value = 0,
                               void* ptr = nullptr, float opt = 0.0f) {
    vst::AEffect* a = effect->getAeffect();
    return a->dispatcher(a, opcode, index, value, ptr, opt);
}

class EditorFixture : public ::testing::Test {
protected:
    // Snapshot tests start from an empty library directory.
    virtual bool wantsFreshInstallDirectory() const { return false; }

    void SetUp() override {
        if (wantsFreshInstallDirectory())
            usePrivateInstallDirectory("editor-snapshot-install", true);
        else
            usePrivateInstallDirectory();
        HostLog::current() = &log;
        BorvanEdit::setClock(&TestClock::read);
        effect = new CBorvan(&hostCallback, &solva::createBorvanEditor);
        editor = dynamic_cast<BorvanEdit*>(effect->getEditor());
        ASSERT_NE(editor, nullptr);
    }
    void TearDown() override {
        closeEffect(effect);
        effect = nullptr;
        BorvanEdit::setClock(nullptr);
        HostLog::current() = nullptr;
    }
    void openHeadless() {
        ASSERT_TRUE(editor->open(nullptr));
        frame()->renderAll();
    }
    CFrame* frame() const { return editor->getFrame(); }

    // Every control registered under `tag`, as the toolkit class T.
    template <class T>
    std::vector<T*> controls(long tag) const {
        std::vector<T*> out;
        for (solva::CReceptionMiseAJourComposant* r : editor->getComponents()->receivers(tag))
            if (auto* c = dynamic_cast<T*>(r)) out.push_back(c);
        return out;
    }
    template <class T>
    T* control(long tag) const {
        auto all = controls<T>(tag);
        return all.empty() ? nullptr : all.front();
    }
    // Centre of a view in frame coordinates.
    static CPoint centre(const CView* view) {
        const CRect r = view->getFrameRect();
        return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void press(CPoint at, long buttons) { frame()->platformMouseDown(at, buttons); }
    void move(CPoint at, long buttons) { frame()->platformMouseMoved(at, buttons); }
    void release(CPoint at, long buttonsLeft = 0) { frame()->platformMouseUp(at, buttonsLeft); }
    float hostValue(int index) { return effect->getParameter(index); }

    HostLog log;
    CBorvan* effect = nullptr;
    BorvanEdit* editor = nullptr;
};

}  // namespace editortest
