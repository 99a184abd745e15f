// AEffEditor: the host-facing editor contract. The effect forwards the
// editor opcodes here. All calls come from the host's UI thread.
#pragma once

#include "plugin/vst/vst_abi.h"

namespace vst {

class AudioEffect;

struct VstKeyCode {
    VstInt32 character;
    unsigned char virt;      // virtual key code
    unsigned char modifier;  // modifier bits
};

class AEffEditor {
public:
    explicit AEffEditor(AudioEffect* effect = nullptr) : effect_(effect) {}
    virtual ~AEffEditor() = default;

    virtual AudioEffect* getEffect() { return effect_; }
    virtual bool getRect(ERect** rect) { *rect = nullptr; return false; }
    virtual bool open(void* parentWindow) { systemWindow_ = parentWindow; return false; }
    virtual void close() { systemWindow_ = nullptr; }
    virtual bool isOpen() { return systemWindow_ != nullptr; }
    virtual void idle() {}
    virtual void draw(ERect*) {}
    virtual bool setKnobMode(VstInt32) { return false; }
    virtual bool onKeyDown(VstKeyCode&) { return false; }
    virtual bool onKeyUp(VstKeyCode&) { return false; }
    virtual bool onWheel(float) { return false; }

protected:
    AudioEffect* effect_;
    void* systemWindow_ = nullptr;
};

}  // namespace vst
