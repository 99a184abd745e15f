// What the storage code needs from the effect object that owns it. The
// effect implements this interface by forwarding to itself and its editor;
// tests implement it with a recorder. All calls on the UI thread.
#pragma once

namespace solva {

class StorageHost {
public:
    virtual ~StorageHost() = default;

    // Re-applies the whole current slot to the engine and the editor: the
    // current program becomes `forcedProgram` (1 or -1), then setProgram(0).
    virtual void reapplyCurrentSlot(int forcedProgram) = 0;
    // Number of live output buffers (1 or 2).
    virtual int liveOutputCount() = 0;
    // The effect's mid/side flag; the DSP is told at once.
    virtual void setMidSideFlag(bool midSide) = 0;
    // The effect asks the host to refresh its display of the program.
    virtual void updateHostDisplay() = 0;

    // Editor notifications; ignored while the effect has no editor.
    virtual void editorSetParameter(int tag, float value) = 0;
    virtual void editorRequestRedraw() = 0;
    virtual void editorSetChannelMode(int mode) = 0;

    // An install problem the user must see: a box titled "Alert" on
    // Windows, standard error elsewhere.
    virtual void alert(const char* message) = 0;
};

// A host for storage work without an effect (tools, fuzzing): nothing to
// re-apply, no editor; alerts go nowhere unless a derived class says.
class DetachedStorageHost : public StorageHost {
public:
    void reapplyCurrentSlot(int) override {}
    int liveOutputCount() override { return 2; }
    void setMidSideFlag(bool) override {}
    void updateHostDisplay() override {}
    void editorSetParameter(int, float) override {}
    void editorRequestRedraw() override {}
    void editorSetChannelMode(int) override {}
    void alert(const char*) override {}
};

}  // namespace solva
