// Test doubles for the effect object: a host callback that records every
// call, and an editor that records what the effect sends it.
#pragma once

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "plugin/borvan.h"

namespace solva::test {

struct HostCall {
    int opcode;
    int index;
    intptr_t value;
    float opt;
};

// One recording host per test; the callback reaches it through a global
// because the VST callback carries no user pointer.
class RecordingHost {
public:
    RecordingHost() { current() = this; }
    ~RecordingHost() { current() = nullptr; }

    static vst::VstIntPtr VSTCALLBACK callback(vst::AEffect*, vst::VstInt32 opcode, vst::VstInt32 index,
                                               vst::VstIntPtr value, void*, float opt) {
        RecordingHost* host = current();
        if (!host) return 0;
        host->calls.push_back({opcode, index, value, opt});
        switch (opcode) {
        case vst::audioMasterVersion: return host->versionAnswer;
        case vst::audioMasterBeginEdit:
        case vst::audioMasterEndEdit:
        case vst::audioMasterSizeWindow: return 1;
        default: return 0;
        }
    }

    int count(int opcode) const {
        int n = 0;
        for (const HostCall& c : calls) n += c.opcode == opcode ? 1 : 0;
        return n;
    }

    std::vector<HostCall> calls;
    vst::VstIntPtr versionAnswer = 2400;

private:
    static RecordingHost*& current() {
        static RecordingHost* host = nullptr;
        return host;
    }
};

// Editor double: counts the values the effect pushes.
class RecordingEditor : public vst::AEffEditor, public EditorSink {
public:
    explicit RecordingEditor(vst::AudioEffect* effect) : vst::AEffEditor(effect) {}

    void setParameter(int index, float value) override { updates.push_back({index, value}); }
    void selectImage(int index, int variant) override { images.push_back({index, float(variant)}); }
    void showComponent(int, bool) override {}
    void requestRedraw() override { ++redrawRequests; }
    void redrawFrame() override { ++frameRedraws; }
    void rebuildSideMenus() override { ++sideMenuRebuilds; }
    void setChannelModeDisplay(int mode) override { channelMode = mode; }
    void redrawRect(const short*) override { ++rectRedraws; }
    int clickAt(int x, int y) override {
        lastClick = {x, y};
        return 1;
    }
    bool onWheel(float distance) override {
        lastWheel = distance;
        return true;
    }
    bool open(void* parent) override {
        systemWindow_ = parent;
        return true;
    }

    int updatesOf(int index) const {
        int n = 0;
        for (const auto& u : updates) n += u.first == index ? 1 : 0;
        return n;
    }

    std::vector<std::pair<int, float>> updates;
    std::vector<std::pair<int, float>> images;
    int redrawRequests = 0, frameRedraws = 0, sideMenuRebuilds = 0, rectRedraws = 0;
    int channelMode = -1;
    std::pair<int, int> lastClick{-1, -1};
    float lastWheel = 0.0f;
};

inline EditorHandle makeRecordingEditor(CBorvan* effect) {
    auto* editor = new RecordingEditor(effect);
    return {editor, editor};
}

// Every test gets its own empty install directory so that nothing touches
// the user's preset library.
class ScopedInstallDir {
public:
    ScopedInstallDir() {
        char pattern[] = "/tmp/solva-test-XXXXXX";
        const char* dir = mkdtemp(pattern);
        path_ = dir ? dir : "/tmp";
        setenv("SOLVA_INSTALL_DIR", path_.c_str(), 1);
    }
    ~ScopedInstallDir() {
        unsetenv("SOLVA_INSTALL_DIR");
        std::string cmd = "rm -rf '" + path_ + "'";
        if (std::system(cmd.c_str()) != 0) {
        }
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// An effect as a host sees it, through the raw AEffect.
struct HostedEffect {
    explicit HostedEffect(bool withEditor = false)
        : effect(new CBorvan(RecordingHost::callback, withEditor ? &makeRecordingEditor : nullptr)),
          aeffect(effect->getAeffect()) {}
    ~HostedEffect() {
        if (aeffect) aeffect->dispatcher(aeffect, vst::effClose, 0, 0, nullptr, 0.0f);
    }
    HostedEffect(const HostedEffect&) = delete;
    HostedEffect& operator=(const HostedEffect&) = delete;

    vst::VstIntPtr dispatch(int opcode, int index = 0, vst::VstIntPtr value = 0, void* ptr = nullptr,
                            float opt = 0.0f) {
        return aeffect->dispatcher(aeffect, opcode, index, value, ptr, opt);
    }
    float get(int index) { return aeffect->getParameter(aeffect, index); }
    void set(int index, float value) { aeffect->setParameter(aeffect, index, value); }
    RecordingEditor* editor() { return static_cast<RecordingEditor*>(effect->editorSink()); }

    ScopedInstallDir installDir;
    RecordingHost host;
    CBorvan* effect;
    vst::AEffect* aeffect;
};

}  // namespace solva::test
