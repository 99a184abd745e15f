// CBorvan: the effect object the host talks to. It owns the settings block,
// the audio engine, the preset library state and the editor, and serves
// both the VST dispatcher (AudioEffectX) and the editor's function table
// (CFonctionsBorvan).
//
// Threads: the dispatcher, the editor, the function table and the periodic
// tick run on the host's UI thread; processReplacing and processEvents on
// its audio thread; setParameter/getParameter on either. No locks: values
// cross threads as single 32-bit stores; the busy flag keeps the audio
// thread out while the sample rate changes.
#pragma once

#include <cstdint>
#include <memory>

#include "dsp/eq_engine.h"
#include "dsp/midi_event_queue.h"
#include "params/settings_block.h"
#include "plugin/editor_factory.h"
#include "plugin/fonctions_borvan.h"
#include "plugin/vst/audio_effect.h"

namespace solva {

struct BorvanStorage;  // preset library, base directory, init settings

class CBorvan : public vst::AudioEffectX, public CFonctionsBorvan {
public:
    static constexpr vst::VstInt32 kUniqueId = vst::fourCC('S', 'l', 'v', 'A');
    static constexpr int kNumParams = 34;
    static constexpr int kGeneralOnIndex = 33;
    static constexpr int kGeneralVolumeIndex = 20;

    // `editorFactory` may be null: the effect then runs without an editor.
    explicit CBorvan(vst::audioMasterCallback audioMaster, EditorFactory editorFactory = nullptr);
    ~CBorvan() override;

    // --- VST dispatcher operations (UI thread) -------------------------------
    void setSampleRate(float rate) override;
    void setBlockSize(vst::VstInt32 size) override;
    void suspend() override {}
    void setProgram(vst::VstInt32 program) override;
    void setProgramName(char*) override {}
    void getProgramName(char* name) override;
    bool getProgramNameIndexed(vst::VstInt32 category, vst::VstInt32 index, char* text) override;
    void getParameterName(vst::VstInt32 index, char* text) override;
    void getParameterLabel(vst::VstInt32, char* label) override { *label = 0; }
    void getParameterDisplay(vst::VstInt32, char* text) override { *text = 0; }
    vst::VstInt32 getChunk(void** data, bool isPreset) override;
    vst::VstInt32 setChunk(void* data, vst::VstInt32 byteSize, bool isPreset) override;
    bool beginEdit(vst::VstInt32 index) override;
    bool endEdit(vst::VstInt32 index) override;
    bool sizeWindow(vst::VstInt32 width, vst::VstInt32 height) override;

    vst::VstIntPtr dispatcher(vst::VstInt32 opcode, vst::VstInt32 index, vst::VstIntPtr value, void* ptr,
                              float opt) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    vst::VstInt32 getVendorVersion() override { return 1; }
    vst::VstInt32 getPlugCategory() override { return vst::kPlugCategEffect; }
    vst::VstInt32 canDo(char* text) override;
    bool getOutputProperties(vst::VstInt32 index, vst::VstPinProperties* properties) override;
    bool getParameterProperties(vst::VstInt32 index, vst::VstParameterProperties* properties) override;
    bool setBypass(bool onOff) override;
    vst::VstIntPtr vendorSpecific(vst::VstInt32 lArg, vst::VstIntPtr lArg2, void* ptr, float opt) override;

    // --- Parameters (host or UI thread) --------------------------------------
    float getParameter(vst::VstInt32 index) override;
    void setParameter(vst::VstInt32 index, float value) override;
    void setParameterAutomated(vst::VstInt32 index, float value) override;
    int getParameterKind(int index) const;

    // --- Audio (audio thread) -------------------------------------------------
    void processReplacing(float** inputs, float** outputs, vst::VstInt32 frames) override;
    vst::VstInt32 processEvents(vst::VstEvents* events) override;
    // Chunks played as silence because they came out with a NaN or an
    // infinity, since construction (read from any thread).
    int32_t silencedChunks() const { return silencedChunks_; }

    // Periodic tick, from the editor's idle at most every 150 ms (UI thread).
    void tick();

    // --- CFonctionsBorvan (UI thread) ------------------------------------------
    void fnSetParameter(int index, float value) override { setParameter(index, value); }
    void fnSetParameterAutomated(int index, float value) override { setParameterAutomated(index, value); }
    float fnGetParameter(int index) override { return getParameter(index); }
    void reportMouseState(int buttons, int index) override;
    float getWheelIncrement() override;
    float readClipIndicator() override;
    void clearClipIndicator() override;
    int getLiveChannelCount(int which) override { return which == 0 ? liveInputs_ : liveOutputs_; }
    void onMidiNote(int, int, int) override {}
    void InitSettingsFromCurrent() override;
    void setInitValue(int index, float value) override;
    float getInitValue(int index) override;
    bool isCurrentSlotFactory() override;
    bool areFactoryPresetsShown() override;
    int getSortMode() override;
    int getCurrentGroup() override;
    int getChannelMode() override;
    int getCurrentPosition() override;
    int getGroupCount() override;
    int getGroupSize(int group) override;
    void getEntryTexts(int group, int position, char* label, char* name) override;
    void getGroupLabel(int group, char* text) override;
    void NewPreset(bool fromInit) override;
    void NewBank(bool fromInit) override;
    void DeletePreset(int group, int position) override;
    void DeleteBank(int group) override;
    void SetSortMode(int mode) override;
    void ToggleFactoryPresets() override;
    int BankNameExists(const char* name) override;
    void CopyBank(const char* name) override;
    void RenameBank(const char* name) override;
    void SetPresetBank(const char* name) override;
    void RenamePreset(const char* name) override;
    int ImportBank(const char* path) override;
    void LoadPresetAtPosition(int position) override;
    void LoadPresetAt(int group, int position) override;
    int ExportBank(const char* path) override;
    void refreshEditor() override;
    void ReloadLibrary() override;
    void SetPresetAuthor(const char* name) override;
    void SetPresetProject(const char* name) override;
    const char* getDisplayText(int index) override;
    const char* getLongName(int index) override;
    const char* emptyText() override;
    int getKind(int index) override { return getParameterKind(index); }
    bool fnBeginEdit(int index) override { return beginEdit(index); }
    bool fnEndEdit(int index) override { return endEdit(index); }
    bool fnSizeWindow(int width, int height) override { return sizeWindow(width, height); }
    bool fnGetVendorString(char* text) override { return getVendorString(text); }
    void setBandName(int index, const char* name) override;
    void sortBandsByFrequency() override;
    void SaveOptions() override;
    void LoadOptions() override;
    bool isFrequencyAsNotes() override;
    bool isQAsOctaves() override;
    void setValueFromText(int index, const char* text) override;
    void LoadInitSettings() override;
    void SaveInitSettings() override;
    void setMidSideMode(bool midSide) override;
    int getMidSideMode() override { return msMode_; }
    void swapSides() override;

    // --- Access for the storage code, the editor factory and tests ---------------
    SettingsBlock& settings() { return *settings_; }
    const SettingsBlock& settings() const { return *settings_; }
    EqEngine& engine() { return engine_; }
    EditorSink* editorSink() { return editorSink_; }
    int32_t effectInstanceId() const { return effectInstanceId_; }
    float dspSampleRate() const { return dspRate_; }
    float dspSampleRateInverse() const { return dspRateInverse_; }
    int bandSlot(int band) const { return bandSlot_[band]; }
    bool isReady() const { return ready_ != 0; }

    // Forces re-application of the whole current slot: current program
    // becomes `forcedProgram` (1 or -1), then setProgram(0).
    void reapplyProgram(int forcedProgram = 1);
    // Recomputes msMode from the current slot's left-right flag and the
    // live output count, then tells the engine (Part of every slot switch,
    // preset load and chunk load).
    void refreshMidSideFromSlot();
    // Sends the engine its mid/side flags from msMode and options 64/65.
    void applyMidSideFlags();
    // Translates stored values of `index` on `side` of `slot` into engine
    // settings.
    void applyToEngine(int slot, int index, int side);
    // The editor-notification step of setParameter, carrying the listen boost.
    void notifyEditor(int index, int side);
    // Chooses the editor's image variants that follow the settings: the
    // copy direction (71), the factory mark (73) and the L/R-M/S pairs
    // (72, 108, 109).
    void updateEditorImages();

    // Mouse-state fields written by reportMouseState.
    enum ModifierField { kFineAdjust = 0, kButtonDown, kListen, kListenSeen, kControl, kNumModifierFields };
    int modifierState(int field) const { return modifierState_[field]; }

private:
    friend struct BorvanStorage;

    void constructStorage();      // construction steps 3, 4
    void loadStartupSettings();   // steps 9..12
    void destroyStorage();
    void applyLinks(SettingsSlot& slot, int index, int shown, float value);
    void runEditorRules(SettingsSlot& slot, int index, float value);
    void runOnceCommand(int index, float value);
    void storeValue(SettingsSlot& slot, int side, int index, float value);
    void savePresetInPlace();     // command 73
    bool checkLibraryChanged();   // tick step 4

    SettingsBlock* settings_ = nullptr;
    EqEngine engine_;
    MidiEventQueue midiQueue_;
    std::unique_ptr<BorvanStorage> storage_;
    EditorSink* editorSink_ = nullptr;

    int32_t effectInstanceId_ = 0;
    char scratch_[256] = {};
    float startValues_[4] = {};
    int32_t editorGesture_ = 0;
    int32_t programLoad_ = 0;
    int32_t msMode_ = 0;
    float dspRate_ = 44100.0f;
    float dspRateInverse_ = 1.0f / 44100.0f;
    int32_t dspBlockSize_ = 1024;
    volatile int32_t liveOutputs_ = 2;
    volatile int32_t liveInputs_ = 2;
    int32_t previousLiveOutputs_ = 2;
    volatile int32_t busy_ = 0;
    volatile int32_t silencedChunks_ = 0;
    volatile int32_t ready_ = 0;
    int32_t tickCounter_ = 0;
    int32_t redrawRequest_ = 0;
    int32_t pendingFlag_ = 0;
    int32_t pendingIndex_ = -1;
    float savedVolume_[2] = {-1.0f, -1.0f};
    int32_t bandSwitchedOff_[2][kNumBands] = {};
    int32_t generalSwitchedOff_[2] = {};
    int32_t commandLatch_ = 0;
    int32_t bandSlot_[kNumBands] = {0, 1, 2, 3, 4, 5, 6, 7};
    int32_t modifierState_[kNumModifierFields] = {};
    float dropLevel_ = 0.5f;
    // Set by the editor bridge: snapping applies to stores while enabled
    // and not suspended.
    int32_t snapEnabled_ = 0;
    int32_t snapSuspended_ = 0;

public:
    // Bridge flags (editor side).
    void setSnapFlags(bool enabled, bool suspended) {
        snapEnabled_ = enabled ? 1 : 0;
        snapSuspended_ = suspended ? 1 : 0;
    }
    // Periodic-tick requests from the bridge / storage.
    void requestRedraw() { redrawRequest_ = 1; }
    // Deferred re-apply of `index` at the next tick (listen boost end).
    void setPendingReapply(int index) {
        pendingIndex_ = index;
        pendingFlag_ = 1;
    }
};

}  // namespace solva
