// The effect's second interface: the table of operations through which the
// preset, bank and option code and the editor's bridge reach the effect.
// CFonctionsVST is the product-independent part, CFonctionsBorvan adds the
// equaliser's own operations. The declaration order below is the table's
// slot order and must not change.
//
// Threads: UI thread only (the editor and its bridge), except the value
// operations 1..3, which follow setParameter's rules.
#pragma once

#include <cstdint>

namespace solva {

class CFonctionsVST {
public:
    virtual ~CFonctionsVST() = default;                                 // 0
    virtual void fnSetParameter(int index, float value) = 0;           // 1
    virtual void fnSetParameterAutomated(int index, float value) = 0;  // 2
    virtual float fnGetParameter(int index) = 0;                       // 3
    // Modifier state of the editor's current gesture, from the button bits
    // (left 1, middle 2, right 4, Shift 8, Control 16, Alt 32); 0 when the
    // gesture ends. `index` is the control's tag.
    virtual void reportMouseState(int buttons, int index) = 0;         // 4
    virtual float getWheelIncrement() = 0;                             // 5
    virtual float readClipIndicator() = 0;                             // 6
    virtual void clearClipIndicator() = 0;                             // 7
    virtual int getLiveChannelCount(int which) = 0;                    // 8: 0 inputs, else outputs
    virtual void reserved9() {}                                        // 9
    virtual void reserved10() {}                                       // 10
    virtual void onMidiNote(int note, int velocity, int deltaFrames) = 0;  // 11
    virtual void InitSettingsFromCurrent() = 0;                        // 12
    virtual void setInitValue(int index, float value) = 0;             // 13
    virtual float getInitValue(int index) = 0;                         // 14
    virtual bool isCurrentSlotFactory() = 0;                           // 15
    virtual bool areFactoryPresetsShown() = 0;                         // 16
    virtual int getSortMode() = 0;                                     // 17
    virtual int getCurrentGroup() = 0;                                 // 18
    virtual int getChannelMode() = 0;                                  // 19
    virtual int getCurrentPosition() = 0;                              // 20
    virtual int getGroupCount() = 0;                                   // 21
    virtual int getGroupSize(int group) = 0;                           // 22
    virtual void getEntryTexts(int group, int position, char* label, char* name) = 0;  // 23
    virtual void getGroupLabel(int group, char* text) = 0;             // 24
    virtual void NewPreset(bool fromInit) = 0;                         // 25
    virtual void NewBank(bool fromInit) = 0;                           // 26
    virtual void DeletePreset(int group, int position) = 0;            // 27
    virtual void DeleteBank(int group) = 0;                            // 28
    virtual void SetSortMode(int mode) = 0;                            // 29
    virtual void ToggleFactoryPresets() = 0;                           // 30
    virtual int BankNameExists(const char* name) = 0;                  // 31
    virtual void CopyBank(const char* name) = 0;                       // 32
    virtual void RenameBank(const char* name) = 0;                     // 33
    virtual void SetPresetBank(const char* name) = 0;                  // 34
    virtual void RenamePreset(const char* name) = 0;                   // 35
    virtual int ImportBank(const char* path) = 0;                      // 36
    virtual void LoadPresetAtPosition(int position) = 0;               // 37
    virtual void LoadPresetAt(int group, int position) = 0;            // 38
    virtual int ExportBank(const char* path) = 0;                      // 39
    virtual void refreshEditor() = 0;                                  // 40
    virtual void ReloadLibrary() = 0;                                  // 41
    virtual void SetPresetAuthor(const char* name) = 0;                // 42
    virtual void SetPresetProject(const char* name) = 0;               // 43
    virtual const char* getDisplayText(int index) = 0;                 // 44
    virtual const char* getLongName(int index) = 0;                    // 45
    virtual const char* emptyText() = 0;                               // 46
    virtual int getKind(int index) = 0;                                // 47
    virtual int reserved48() { return 0; }                             // 48
    virtual void reserved49() {}                                       // 49
    virtual void reserved50() {}                                       // 50
    virtual void reserved51() {}                                       // 51
    virtual bool fnBeginEdit(int index) = 0;                           // 52
    virtual bool fnEndEdit(int index) = 0;                             // 53
    virtual bool fnSizeWindow(int width, int height) = 0;              // 54
    virtual bool fnGetVendorString(char* text) = 0;                    // 55
};

class CFonctionsBorvan : public CFonctionsVST {
public:
    virtual void setBandName(int index, const char* name) = 0;         // 56
    virtual void sortBandsByFrequency() = 0;                           // 57
    virtual void SaveOptions() = 0;                                    // 58
    virtual void LoadOptions() = 0;                                    // 59
    virtual bool isFrequencyAsNotes() = 0;                             // 60
    virtual bool isQAsOctaves() = 0;                                   // 61
    virtual void setValueFromText(int index, const char* text) = 0;    // 62
    virtual void LoadInitSettings() = 0;                               // 63
    virtual void SaveInitSettings() = 0;                               // 64
    // Enters (true) or leaves (false) separate mid/side settings and
    // refreshes the engine's M/S flags and the editor's side controls.
    virtual void setMidSideMode(bool midSide) = 0;                     // 65
    virtual int getMidSideMode() = 0;                                  // 66
    virtual void swapSides() = 0;                                      // 67
};

}  // namespace solva
