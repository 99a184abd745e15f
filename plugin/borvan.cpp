#include "params/param_table.h"
#include "plugin/borvan.h"
#include "plugin/borvan_storage.h"

#include <cstring>
#include <initializer_list>
#include <new>

namespace solva {

// ---------------------------------------------------------------------------
// Construction and destruction

CBorvan::CBorvan(vst::audioMasterCallback audioMaster, EditorFactory editorFactory)
    : vst::AudioEffectX(audioMaster, 1, kNumParams) {
    // Library containers and the engine exist as members; the base
    // directory, the stale notice and the instance identifier come next.
    constructStorage();

    if (editorFactory) {
        EditorHandle handle = editorFactory(this);
        if (handle.editor) {
            setEditor(handle.editor);
            editorSink_ = handle.sink;
            handle.editor->setKnobMode(2);  // linear dragging
        }
    }

    settings_ = new (std::nothrow) SettingsBlock;
    if (!settings_) return;  // left incomplete: processReplacing stays silent
    std::memset(settings_, 0, sizeof(SettingsBlock));
    liveOutputs_ = liveInputs_ = previousLiveOutputs_ = 2;

    if (audioMaster) {
        canProcessReplacing();
        programsAreChunks();
        setNumInputs(2);
        setNumOutputs(2);
        setUniqueID(kUniqueId);
    }

    engine_.setSampleRate(sampleRate);
    dspRate_ = sampleRate;
    dspRateInverse_ = 1.0f / sampleRate;

    loadStartupSettings();
    settings_->slot[0].modified = 1;

    curProgram = 1;
    setProgram(0);
    updateDisplay();
    ready_ = 1;
}

CBorvan::~CBorvan() {
    ready_ = 0;
    delete settings_;
    settings_ = nullptr;
    destroyStorage();
    // The VST base deletes the editor.
}

// ---------------------------------------------------------------------------
// Sample rate, block size, programs

void CBorvan::setSampleRate(float rate) {
    busy_ = 1;
    sampleRate = rate;
    dspRate_ = rate >= 1.0f ? rate : 1.0f;  // a NaN rate counts as below 1 Hz
    dspRateInverse_ = 1.0f / dspRate_;
    engine_.setSampleRate(dspRate_);
    busy_ = 0;
}

void CBorvan::setBlockSize(vst::VstInt32 size) {
    blockSize = size;
    dspBlockSize_ = size;
}

void CBorvan::setProgram(vst::VstInt32 program) {
    if (program == curProgram || !settings_) return;
    curProgram = program;
    programLoad_ = 1;
    editorGesture_ = 0;
    const int slot = currentSlotIndex(*settings_);
    const int shown = shownSide(settings_->slot[slot]);
    for (int index = 0; index <= 67; ++index) {
        applyToEngine(slot, index, shown);
        if (editorSink_) editorSink_->setParameter(index, getParameter(index));
        if (index <= kGeneralVolumeIndex) applyToEngine(slot, index, 1 - shown);
    }
    programLoad_ = 0;
    updateEditorImages();
}

void CBorvan::updateEditorImages() {
    if (!editorSink_ || !settings_) return;
    const SettingsSlot& slot = currentSlot(*settings_);
    editorSink_->selectImage(71, currentSlotIndex(*settings_));
    editorSink_->selectImage(73, slot.info.factory == 1 ? 1 : 0);
    const int variant = (slot.info.channelMode == 2 ? 2 : 0) + shownSide(slot);
    for (int tag : {72, 108, 109}) editorSink_->selectImage(tag, variant);
}

void CBorvan::reapplyProgram(int forcedProgram) {
    curProgram = forcedProgram;
    setProgram(0);
}

void CBorvan::getProgramName(char* name) {
    if (!settings_) {
        *name = 0;
        return;
    }
    const SettingsSlot& slot = currentSlot(*settings_);
    std::strncpy(name, slot.name, vst::kVstMaxProgNameLen - 1);
    name[vst::kVstMaxProgNameLen - 1] = 0;
}

bool CBorvan::getProgramNameIndexed(vst::VstInt32, vst::VstInt32 index, char* text) {
    if (index != 0) return false;
    getProgramName(text);
    return true;
}

// ---------------------------------------------------------------------------
// Edit gestures and window size

bool CBorvan::beginEdit(vst::VstInt32 index) {
    if (settings_ && index >= 0 && index <= 109) {
        SettingsSlot& slot = currentSlot(*settings_);
        const int shown = shownSide(slot);
        startValues_[0] = getParameter(index);
        const float* other = sideValuePtr(slot, 1 - shown, index);
        startValues_[1] = other ? *other : startValues_[0];
        startValues_[2] = slot.side[0].generalVolume;
        startValues_[3] = slot.side[1].generalVolume;
    } else {
        for (float& v : startValues_) v = 0.0f;
    }
    return AudioEffect::beginEdit(index);
}

bool CBorvan::endEdit(vst::VstInt32 index) { return AudioEffect::endEdit(index); }

bool CBorvan::sizeWindow(vst::VstInt32 width, vst::VstInt32 height) {
    return AudioEffectX::sizeWindow(width, height);
}

// ---------------------------------------------------------------------------
// Periodic tick (UI thread, from the editor's idle)

void CBorvan::tick() {
    if (!settings_) return;
    if (redrawRequest_) {
        redrawRequest_ = 0;
        if (editorSink_) editorSink_->redrawFrame();
    }

    // A listen boost is over: put the band back to its stored gain and the
    // general volumes back to where they were.
    if (pendingFlag_ && !(snapEnabled_ && !snapSuspended_) && pendingIndex_ >= 0) {
        pendingFlag_ = 0;
        modifierState_[kListen] = 0;
        modifierState_[kListenSeen] = 0;
        setParameter(pendingIndex_, getParameter(pendingIndex_));
        if (settings_->options[kOptAltGainDrop] != 0.0f) {
            SettingsSlot& slot = currentSlot(*settings_);
            for (int side = 0; side < 2; ++side) {
                if (savedVolume_[side] == -1.0f) continue;
                slot.side[side].generalVolume = savedVolume_[side];
                applyToEngine(currentSlotIndex(*settings_), kGeneralVolumeIndex, side);
                if (editorSink_ && side == shownSide(slot))
                    editorSink_->setParameter(kGeneralVolumeIndex, savedVolume_[side]);
            }
        }
        savedVolume_[0] = savedVolume_[1] = -1.0f;
        pendingIndex_ = -1;
    }

    if (liveOutputs_ != previousLiveOutputs_) {
        previousLiveOutputs_ = liveOutputs_;
        if (editorSink_) {
            editorSink_->rebuildSideMenus();
            editorSink_->setChannelModeDisplay(liveOutputs_ == 2 ? currentSlot(*settings_).info.channelMode : 0);
        }
    }

    if (++tickCounter_ >= 8) {
        tickCounter_ = 0;
        if (checkLibraryChanged()) ReloadLibrary();
    }
}

}  // namespace solva
