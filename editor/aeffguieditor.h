// AEffGUIEditor: the host-facing editor contract on top of the VST layer's
// AEffEditor and the toolkit's editor interface. It hands the host the
// window rectangle, keeps the frame, runs the frame's idle work, forwards
// host keys (effEditKeyDown) to the frame's focused view and frames edit
// gestures. All calls come from the host's UI thread.
#pragma once

#include <cstdint>

#include "gui/cframe.h"
#include "plugin/vst/aeff_editor.h"

namespace solva {

class AEffGUIEditor : public vst::AEffEditor, public VSTGUI::VSTGUIEditorInterface {
public:
    // Milliseconds of the wall clock (seconds × 1000 + milliseconds).
    using Clock = uint64_t (*)();

    explicit AEffGUIEditor(vst::AudioEffect* effect);
    ~AEffGUIEditor() override;

    bool getRect(vst::ERect** rect) override;
    bool open(void* parentWindow) override;
    void close() override;
    void idle() override;
    bool onKeyDown(vst::VstKeyCode& key) override;
    bool onKeyUp(vst::VstKeyCode& key) override;
    bool setKnobMode(vst::VstInt32 mode) override;
    static int getKnobMode() { return knobMode_; }

    // A value changed on the effect side.
    virtual void setParameter(long index, float value) { (void)index, (void)value; }

    // VSTGUIEditorInterface.
    void beginEdit(long index) override;
    void endEdit(long index) override;
    void doIdleStuff() override;
    unsigned long getTicks() override;
    void wait(unsigned long milliseconds);

    VSTGUI::CFrame* getFrame() const { return frame_; }

    // The clock idle and getTicks read; tests inject their own. Null
    // restores the wall clock.
    static void setClock(Clock clock);
    static uint64_t nowMs();

    // The calling thread, as a number that differs between live threads.
    static uint64_t currentThreadId();

protected:
    vst::ERect rect_{};
    VSTGUI::CFrame* frame_ = nullptr;
    bool inIdle_ = false;
    static int knobMode_;
};

}  // namespace solva
