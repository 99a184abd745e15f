#include "editor/aeffguieditor.h"

#include <chrono>

#if defined(_WIN32)
#include <windows.h>
#else
#include <pthread.h>
#include <time.h>
#endif

#include "plugin/vst/audio_effect.h"

namespace solva {

namespace {

uint64_t wallClockMs() {
    using namespace std::chrono;
    const auto sinceEpoch = system_clock::now().time_since_epoch();
    const auto seconds = duration_cast<std::chrono::seconds>(sinceEpoch);
    const auto millis = duration_cast<milliseconds>(sinceEpoch - seconds);
    return uint64_t(seconds.count()) * 1000u + uint64_t(millis.count());
}

AEffGUIEditor::Clock& clockSlot() {
    static AEffGUIEditor::Clock clock = nullptr;
    return clock;
}

}  // namespace

int AEffGUIEditor::knobMode_ = 0;

AEffGUIEditor::AEffGUIEditor(vst::AudioEffect* effect) : vst::AEffEditor(effect) {}

AEffGUIEditor::~AEffGUIEditor() = default;

void AEffGUIEditor::setClock(Clock clock) { clockSlot() = clock; }

uint64_t AEffGUIEditor::nowMs() { return clockSlot() ? clockSlot()() : wallClockMs(); }

bool AEffGUIEditor::getRect(vst::ERect** rect) {
    *rect = &rect_;
    return true;
}

bool AEffGUIEditor::open(void* parentWindow) {
    systemWindow_ = parentWindow;
    return true;
}

void AEffGUIEditor::close() { systemWindow_ = nullptr; }

void AEffGUIEditor::idle() {
    if (inIdle_ || !frame_) return;
    inIdle_ = true;
    frame_->idle();
    inIdle_ = false;
}

bool AEffGUIEditor::onKeyDown(vst::VstKeyCode& key) {
    if (!frame_) return false;
    VSTGUI::CKeyCode code;
    code.character = key.character;
    code.virt = key.virt;
    code.modifier = key.modifier;
    return frame_->onKeyDown(code) >= 0;
}

bool AEffGUIEditor::onKeyUp(vst::VstKeyCode&) { return false; }

bool AEffGUIEditor::setKnobMode(vst::VstInt32 mode) {
    knobMode_ = mode;
    return true;
}

void AEffGUIEditor::beginEdit(long index) {
    if (effect_) effect_->beginEdit(static_cast<vst::VstInt32>(index));
}

void AEffGUIEditor::endEdit(long index) {
    if (effect_) effect_->endEdit(static_cast<vst::VstInt32>(index));
}

void AEffGUIEditor::doIdleStuff() {}

// Milliseconds since start (double clicks), independent of the idle clock.
unsigned long AEffGUIEditor::getTicks() { return VSTGUIEditorInterface::getTicks(); }

uint64_t AEffGUIEditor::currentThreadId() {
#if defined(_WIN32)
    return uint64_t(GetCurrentThreadId());
#else
    return uint64_t(pthread_self());
#endif
}

// Plain system sleeps: std::this_thread is missing from some MinGW
// thread models.
void AEffGUIEditor::wait(unsigned long milliseconds) {
#if defined(_WIN32)
    Sleep(static_cast<DWORD>(milliseconds));
#else
    timespec delay{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    nanosleep(&delay, nullptr);
#endif
}

}  // namespace solva
