// The options menu's commands (options files, Misc resets, display,
// snap, wheel and gain-drop choices) and the L/R–M/S commands with the
// panel. Option values are written with the bridge's plain set; after
// every command the options menu's marks follow at once.
#include "editor/borvan_commands.h"
#include "editor/borvan_edit.h"
#include "editor/borvan_interface.h"
#include "gui/coptionmenu.h"

namespace solva {
namespace menus {

namespace {

// Option and editor value indices.
constexpr int kAutoSaveIndex = 50;
constexpr int kValueDisplayIndex = 51;
constexpr int kNameDisplayIndex = 52;
constexpr int kOptionsInHostIndex = 54;
constexpr int kAutoOnIndex = 55;
constexpr int kOutGainActiveIndex = 56;
constexpr int kFrequencySnapIndex = 57;
constexpr int kQSnapIndex = 58;
constexpr int kGainSnapIndex = 59;
constexpr int kNotesIndex = 60;
constexpr int kOctavesIndex = 61;
constexpr int kShowClipIndex = 62;
constexpr int kHoldClipIndex = 63;
constexpr int kInputMsCodingIndex = 64;
constexpr int kOutputMsDecodingIndex = 65;
constexpr int kWheelIncrementIndex = 66;
constexpr int kGainDropIndex = 67;
constexpr int kSideShownIndex = 43;
constexpr int kCopySideIndex = 72;
constexpr int kGeneralVolumeIndex = 20;
constexpr int kGeneralOnIndex = 33;

// One band's indices; -1 where the band has no such value. `typeReset`
// is what "Reset ... Bands" writes to the type switch.
struct BandIndices {
    int on, freq, q, gain, type;
    float typeReset;
};
constexpr BandIndices kBands[] = {
    {21, 0, 1, -1, 22, 0.0f},    // high-pass
    {23, 2, 3, 4, 24, 1.0f},     // band 1
    {25, 5, 6, 7, -1, 0.0f},     // band 2
    {26, 8, 9, 10, -1, 0.0f},    // band 3
    {27, 11, 12, 13, -1, 0.0f},  // band 4
    {28, 14, 15, 16, 29, 1.0f},  // band 5
    {30, 17, 18, -1, 31, 0.0f},  // low-pass
    {32, -1, -1, 19, -1, 0.0f},  // Air
};

float onOff(float value) { return value >= 0.5f ? 1.0f : 0.0f; }

void toggle(CBorvanInterface* bridge, int index) {
    bridge->setValue(index, bridge->getValue(index) >= 0.5f ? 0.0f : 1.0f);
}

// The value and name strips and the clip indicator follow their options.
void followDisplayOptions(BorvanEdit& edit) {
    CBorvanInterface* bridge = edit.getBridge();
    const bool values = bridge->getValue(kValueDisplayIndex) >= 0.5f;
    for (int strip : {111, 112, 113}) edit.showComponent(strip, values);
    edit.showComponent(114, bridge->getValue(kNameDisplayIndex) >= 0.5f);
    edit.showComponent(115, bridge->getValue(kShowClipIndex) >= 0.5f);
    edit.redrawFrame();
}

void resetBandGains(CBorvanInterface* bridge) {
    for (const BandIndices& b : kBands) {
        if (b.gain < 0) continue;  // bands 1..5 and Air have a gain
        const float on = onOff(bridge->getValue(b.on));
        bridge->setValue(b.gain, 0.5f);
        bridge->setValue(b.on, on);
    }
}

void resetOutputGain(CBorvanInterface* bridge) {
    const float on = onOff(bridge->getValue(kGeneralOnIndex));
    bridge->setValue(kGeneralVolumeIndex, 0.5f);
    bridge->setValue(kGeneralOnIndex, on);
}

void resetBands(CBorvanInterface* bridge, bool active) {
    for (const BandIndices& b : kBands) {
        const float on = bridge->getValue(b.on);
        if (active ? !(on > 0.5f) : !(on < 0.5f)) continue;
        for (int index : {b.freq, b.q, b.gain})
            if (index >= 0) bridge->setValue(index, 0.5f);
        if (b.type >= 0) bridge->setValue(b.type, b.typeReset);
    }
}

void runOptionsEntry(BorvanEdit& edit, long entry) {
    CBorvanInterface* bridge = edit.getBridge();
    switch (entry) {
    case 6: toggle(bridge, kOptionsInHostIndex); break;
    case 8:
        bridge->LoadOptions();
        for (int index : {kNameDisplayIndex, kValueDisplayIndex, kNotesIndex, kOctavesIndex})
            bridge->setValue(index, bridge->getValue(index));
        followDisplayOptions(edit);
        break;
    case 10: bridge->SaveOptions(); break;
    default: break;
    }
}

void runMiscEntry(BorvanEdit& edit, long entry) {
    CBorvanInterface* bridge = edit.getBridge();
    switch (entry) {
    case 0:
        bridge->sortBandsByFrequency();
        edit.redrawFrame();
        break;
    case 2: resetBandGains(bridge); break;
    case 3: resetOutputGain(bridge); break;
    case 4: resetBands(bridge, true); break;
    case 5: resetBands(bridge, false); break;
    case 7: bridge->InitSettingsFromCurrent(); break;
    case 9: toggle(bridge, kAutoOnIndex); break;
    case 10: toggle(bridge, kOutGainActiveIndex); break;
    case 12: toggle(bridge, kAutoSaveIndex); break;
    case 14: openExclusive(edit, kAboutPanel); break;
    default: break;
    }
}

void runDisplayEntry(BorvanEdit& edit, long entry) {
    CBorvanInterface* bridge = edit.getBridge();
    const int toggles[8] = {kValueDisplayIndex, kNameDisplayIndex, -1, kNotesIndex,
                            kOctavesIndex,      -1,                kShowClipIndex, kHoldClipIndex};
    if (entry >= 0 && entry < 8 && toggles[entry] >= 0) {
        toggle(bridge, toggles[entry]);
        followDisplayOptions(edit);
    } else if (entry >= 9 && entry <= 11) {
        bridge->setValue(kWheelIncrementIndex, static_cast<float>(entry - 9));
    } else if (entry >= 13 && entry <= 15) {
        bridge->setValue(kGainDropIndex, static_cast<float>(entry - 13));
    }
}

void runSnapEntry(CBorvanInterface* bridge, long entry) {
    if (entry >= 0 && entry <= 3) {
        bridge->setValue(kFrequencySnapIndex, static_cast<float>(entry));
    } else if (entry >= 5 && entry <= 7) {
        bridge->setValue(kQSnapIndex, static_cast<float>(entry - 5));
    } else if (entry >= 9 && entry <= 11) {
        bridge->setValue(kGainSnapIndex, static_cast<float>(entry - 9));
    } else if (entry >= 13 && entry <= 15) {
        for (int index : {kFrequencySnapIndex, kQSnapIndex, kGainSnapIndex})
            bridge->setValue(index, static_cast<float>(entry - 13));
    }
}

// "Show L/R Settings" (midSide false) or "Show M/S Settings".
void showSides(BorvanEdit& edit, bool midSide) {
    MenuState& state = edit.menuState();
    if (!hasTwoChannels(edit) || edit.isOverlayShown(kChannelPanel)) return;
    if (midSide ? state.lrMode : state.msMode) return;
    CBorvanInterface* bridge = edit.getBridge();
    const float values[] = {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f};  // 43..48
    for (int i = 0; i < 6; ++i) bridge->setValue(kSideShownIndex + i, values[i]);
    edit.showChannelPanel(midSide ? 2 : 1);
    if (midSide) bridge->setMidSideMode(true);
}

void discardSides(BorvanEdit& edit, bool midSide) {
    const MenuState& state = edit.menuState();
    const OverlayId dialog = midSide ? kDiscardMSDialog : kDiscardLRDialog;
    if (!hasTwoChannels(edit) || !(midSide ? state.msMode : state.lrMode) || edit.isOverlayShown(dialog)) return;
    edit.showOverlay(dialog, true);
}

void runSideEntry(BorvanEdit& edit, bool midSide, long entry) {
    CBorvanInterface* bridge = edit.getBridge();
    switch (entry) {
    case 0: showSides(edit, midSide); break;
    case 1: discardSides(edit, midSide); break;
    case 3:
        if (hasTwoChannels(edit)) bridge->swapSides();
        break;
    case 5:
        if (midSide && hasTwoChannels(edit)) toggle(bridge, kInputMsCodingIndex);
        break;
    case 6:
        if (midSide && hasTwoChannels(edit)) toggle(bridge, kOutputMsDecodingIndex);
        break;
    default: break;
    }
}

}  // namespace

bool hasTwoChannels(BorvanEdit& edit) {
    CBorvanInterface* bridge = edit.getBridge();
    return bridge && bridge->getChannelCount(1) >= 2;
}

void runOptionsCommand(BorvanEdit& edit, long tag, long entry) {
    if (!edit.getBridge()) return;
    switch (tag) {
    case kOptionsMenuTag: runOptionsEntry(edit, entry); break;
    case kMiscMenuTag: runMiscEntry(edit, entry); break;
    case kDisplayMenuTag: runDisplayEntry(edit, entry); break;
    case kSnapMenuTag: runSnapEntry(edit.getBridge(), entry); break;
    case kLRMenuTag: runSideEntry(edit, false, entry); break;
    case kMSMenuTag: runSideEntry(edit, true, entry); break;
    default: return;
    }
    if (edit.getBridge()) edit.refreshOptionMarks();
}

void keepOneSide(BorvanEdit& edit, bool keepFirst) {
    CBorvanInterface* bridge = edit.getBridge();
    if (!bridge) return;
    edit.hideAllDialogs();
    bridge->setValueAutomated(kSideShownIndex, keepFirst ? 1.0f : 0.0f);
    bridge->setValueAutomated(kCopySideIndex, 1.0f);
    bridge->setValueAutomated(kCopySideIndex, 0.0f);
    if (edit.isOverlayShown(kChannelPanel)) {
        edit.showChannelPanel(0);
        bridge->setMidSideMode(false);
    }
    bridge->setValue(44, 1.0f);
    bridge->setValue(45, 0.0f);
    bridge->setValue(46, 0.0f);
    edit.refreshOptionMarks();
}

}  // namespace menus
}  // namespace solva
