// The effect's storage state: the preset storage (base directory, preset
// library, init settings) and the bridge through which it reaches the
// effect and its editor. Private to the effect object (UI thread only).
#pragma once

#include "storage/preset_storage.h"
#include "storage/storage_host.h"

namespace solva {

class CBorvan;

struct BorvanStorage final : StorageHost {
    explicit BorvanStorage(CBorvan& owner) : effect(owner), storage(*this) {}

    CBorvan& effect;
    PresetStorage storage;

    // StorageHost, forwarded to the effect and its editor.
    void reapplyCurrentSlot(int forcedProgram) override;
    int liveOutputCount() override;
    void setMidSideFlag(bool midSide) override;
    void updateHostDisplay() override;
    void editorSetParameter(int tag, float value) override;
    void editorRequestRedraw() override;
    void editorSetChannelMode(int mode) override;
    void alert(const char* message) override;

    // Display texts 74..81 (bank and preset names, preset information).
    static void displayText(CBorvan& effect, int index, char* out);
};

}  // namespace solva
