// The editor's only way to the effect: CInterfaceEffetVst forwards the
// product-independent operations (parameters, mouse reports, texts,
// presets, banks) to the effect's function table, CBorvanInterface adds
// the equaliser's own (band names, sorting, options files, display flags,
// the two sides). Created with the window and destroyed with it; holds no
// state besides the table pointers, the snap/listen bookkeeping of the
// gesture in progress and the effect core's periodic service.
//
// UI thread only. Returned texts stay valid until the next call of the
// same operation (they live in the effect's scratch buffer).
#pragma once

#include "plugin/fonctions_borvan.h"

namespace solva {

class CBorvan;

class CInterfaceEffetVst {
public:
    explicit CInterfaceEffetVst(CFonctionsVST* functions) : functions_(functions) {}
    virtual ~CInterfaceEffetVst() = default;

    virtual void setOwner(void* owner) { owner_ = owner; }
    virtual void* getOwner() { return owner_; }
    // Plain set (no host automation) and automated set of any index.
    virtual void setValue(int index, float value);
    virtual void setValueAutomated(int index, float value);
    virtual float getValue(int index);
    // As getValue; `text` (when not null) is emptied.
    virtual float getValueAndText(int index, char* text);
    // What a live indicator shows; for 115 the clip flag (cleared by the
    // read unless "Hold Clip Indicator" is on).
    virtual float getLiveValue(int index);
    // 0 = inputs, other = outputs.
    virtual int getChannelCount(int which);
    // Buttons and modifier bits of the gesture on control `index`; 0 at
    // its end.
    virtual void reportMouseState(int buttons, int index);
    // 0.01, 0.05 or 0.1 by the "Wheel Incr" option.
    virtual float getWheelIncrement();
    virtual void getLongName(int index, char* text);
    virtual const char* getDisplayText(int index);
    virtual void InitSettingsFromCurrent();
    virtual void setInitValue(int index, float value);
    virtual float getInitValue(int index);
    virtual bool areFactoryPresetsShown();
    virtual int getSortMode();
    virtual int getCurrentGroup();
    virtual bool isFactoryPreset();
    virtual int getChannelMode();
    virtual int getCurrentPosition();
    virtual int getGroupCount();
    virtual int getGroupSize(int group);
    virtual void getEntryTexts(int group, int position, char* label, char* name);
    virtual void getGroupLabel(int group, char* text);
    virtual void NewPreset(bool fromInit);
    virtual void NewBank(bool fromInit);
    virtual void DeletePreset(int group, int position);
    virtual void DeleteBank(int group);
    virtual void SetSortMode(int mode);
    virtual void ToggleFactoryPresets();
    virtual bool BankNameExists(const char* name);
    virtual void CopyBank(const char* name);
    virtual void RenameBank(const char* name);
    virtual void SetPresetBank(const char* name);
    virtual void RenamePreset(const char* name);
    virtual void LoadPresetAtPosition(int position);
    virtual void LoadPresetAt(int group, int position);
    virtual int ImportBank(const char* path);
    virtual int ExportBank(const char* path);
    // The effect pushes every value the editor shows back to it.
    virtual void refreshEditor();
    virtual void SetPresetAuthor(const char* text);
    virtual void SetPresetProject(const char* text);
    // Host gesture framing and window size.
    virtual bool beginEdit(int index);
    virtual bool endEdit(int index);
    virtual bool sizeWindow(int width, int height);

protected:
    void* owner_ = nullptr;
    CFonctionsVST* functions_;
};

class CBorvanInterface : public CInterfaceEffetVst {
public:
    // `core` may be null (no snap flags, listen re-apply or periodic
    // service then).
    CBorvanInterface(CFonctionsBorvan* functions, CBorvan* core);

    virtual void setBandName(int index, const char* name);
    virtual void sortBandsByFrequency();
    virtual void SaveOptions();
    virtual void LoadOptions();
    virtual bool isFrequencyAsNotes();
    virtual bool isQAsOctaves();
    virtual void setValueFromText(int index, const char* text);
    virtual void setMidSideMode(bool midSide);
    virtual void swapSides();

    // Also drives the effect's snap flags: snapping is enabled while a
    // button gesture on a continuous control (tags 0..20) is held and
    // suspended while it is a Fine one (right button or Shift); a gesture
    // on a band 1..5 frequency or Q knob during which Alt was seen asks
    // the effect to put the band's gain back at its next tick.
    void reportMouseState(int buttons, int index) override;
    void setValueAutomated(int index, float value) override;
    // The effect's periodic service (idle, at most every 150 ms).
    void serviceEffect();

private:
    CFonctionsBorvan* product_;
    CBorvan* core_;
    bool listenSeen_ = false;
};

// Gain index (4, 7, 10, 13, 16) of the band whose frequency or Q has tag
// `tag`, or -1 when `tag` is not a band 1..5 frequency or Q.
int listenGainIndexForTag(int tag);

}  // namespace solva
