// The editor's layout: every control of the main window, the top bar and
// the overlays with its kind, style, tag and position (pixels; overlay
// contents relative to the overlay's top-left corner). BorvanEdit builds
// the window from these tables.
#pragma once

#include <cstddef>

namespace solva {

enum class ControlKind { Knob, Switch, SlideSwitch, Led, Kick, TextDisplay, TextField, Choice };

struct Placement {
    ControlKind kind;
    int style;
    long tag;
    int x;
    int y;
};

struct PlacementList {
    const Placement* items;
    std::size_t count;
    const Placement* begin() const { return items; }
    const Placement* end() const { return items + count; }
};

// The seventeen overlays, in the order open() builds them.
enum OverlayId {
    kInfoPanel,
    kHelpPanel,
    kChannelPanel,
    kAboutPanel,
    kDiscardLRDialog,
    kDiscardMSDialog,
    kCreateNewDialog,
    kBankNameExistsDialog,
    kBankDialog,
    kPresetDialog,
    kDeletePresetDialog,
    kDeleteBankDialog,
    kClipIndicator,
    kFrequencyStrip,
    kGainStrip,
    kQStrip,
    kNameStrip,
    kOverlayCount
};

struct OverlayLayout {
    OverlayId id;
    int bitmap;  // background resource id
    int x;
    int y;
    PlacementList controls;
};

namespace layout {

constexpr int kBackgroundBitmap = 10000;
constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 267;
constexpr int kFrequencyNotesBitmap = 4002;
constexpr int kFrequencyHzBitmap = 4001;
constexpr int kQOctavesBitmap = 4005;
constexpr int kQFactorBitmap = 4004;

// Main window, in creation order (per band: on switch, frequency, Q, gain,
// type switch).
PlacementList mainWindow();
// Top bar controls, in creation order (the options menu, tag 82, first).
PlacementList topBar();
const OverlayLayout& overlay(OverlayId id);

}  // namespace layout

}  // namespace solva
