#include "editor/borvan_layout.h"

namespace solva {

namespace {

using K = ControlKind;

template <std::size_t N>
constexpr PlacementList listOf(const Placement (&items)[N]) {
    return {items, N};
}

constexpr Placement kMain[] = {
    {K::Switch, 0, 21, 130, 37},  {K::Knob, 0, 0, 132, 89},     {K::Knob, 7, 1, 134, 148},
    {K::Switch, 8, 22, 109, 151},  // high-pass
    {K::Switch, 1, 23, 186, 37},  {K::Knob, 1, 2, 190, 89},     {K::Knob, 8, 3, 191, 148},
    {K::Knob, 14, 4, 189, 203},   {K::Switch, 10, 24, 164, 206},  // band 1
    {K::Switch, 2, 25, 242, 37},  {K::Knob, 2, 5, 247, 89},     {K::Knob, 9, 6, 249, 148},
    {K::Knob, 15, 7, 247, 203},  // band 2
    {K::Switch, 3, 26, 299, 37},  {K::Knob, 3, 8, 305, 89},     {K::Knob, 10, 9, 306, 148},
    {K::Knob, 16, 10, 304, 203},  // band 3
    {K::Switch, 4, 27, 355, 37},  {K::Knob, 4, 11, 361, 89},    {K::Knob, 11, 12, 363, 148},
    {K::Knob, 17, 13, 361, 203},  // band 4
    {K::Switch, 5, 28, 412, 37},  {K::Knob, 5, 14, 417, 89},    {K::Knob, 12, 15, 419, 148},
    {K::Knob, 18, 16, 417, 203},  {K::Switch, 11, 29, 450, 206},  // band 5
    {K::Switch, 6, 30, 468, 37},  {K::Knob, 6, 17, 474, 89},    {K::Knob, 13, 18, 475, 148},
    {K::Switch, 9, 31, 506, 150},  // low-pass
    {K::Switch, 7, 32, 551, 37},  {K::Knob, 19, 19, 558, 89},  // Air
    {K::Switch, 12, 33, 552, 142}, {K::Knob, 20, 20, 558, 203},  // general on, volume
};

constexpr Placement kTopBar[] = {
    {K::Choice, 4, 82, 513, 3},    {K::Switch, 13, 106, 363, 3}, {K::Switch, 14, 107, 406, 3},
    {K::Kick, 0, 71, 449, 3},      {K::Switch, 15, 110, 607, 3}, {K::Choice, 1, 69, 5, 3},
    {K::TextField, 1, 74, 53, 7},  {K::Choice, 2, 70, 152, 3},   {K::TextField, 1, 75, 201, 7},
    {K::Kick, 1, 73, 300, 3},
};

constexpr Placement kInfo[] = {
    {K::Kick, 2, 92, 283, 8},           {K::TextField, 0, 75, 135, 53},   {K::TextField, 0, 76, 135, 84},
    {K::TextField, 0, 77, 135, 114},    {K::TextField, 0, 79, 135, 145},  {K::TextDisplay, 0, 80, 135, 175},
    {K::TextDisplay, 0, 81, 135, 206},
};
constexpr Placement kAbout[] = {{K::Kick, 2, 92, 287, 4}, {K::TextDisplay, 4, 105, 80, 210}};
constexpr Placement kChannel[] = {
    {K::Switch, 16, 108, 11, 12},      {K::Switch, 17, 109, 52, 12},      {K::Kick, 5, 72, 11, 38},
    {K::Switch, 18, 44, 27, 83},       {K::Switch, 19, 45, 27, 109},      {K::SlideSwitch, 0, 48, 27, 146},
    {K::SlideSwitch, 1, 46, 11, 176},  {K::SlideSwitch, 2, 47, 11, 202},
};
constexpr Placement kClip[] = {{K::Led, 0, 115, 5, 4}};
constexpr Placement kFrequency[] = {
    {K::TextField, 3, 0, 2, 1},    {K::TextField, 3, 2, 58, 1},   {K::TextField, 3, 5, 114, 1},
    {K::TextField, 3, 8, 170, 1},  {K::TextField, 3, 11, 226, 1}, {K::TextField, 3, 14, 282, 1},
    {K::TextField, 3, 17, 338, 1}, {K::TextField, 3, 19, 425, 1},
};
constexpr Placement kGain[] = {
    {K::TextField, 3, 4, 2, 1},     {K::TextField, 3, 7, 58, 1},   {K::TextField, 3, 10, 114, 1},
    {K::TextField, 3, 13, 170, 1},  {K::TextField, 3, 16, 226, 1}, {K::TextField, 3, 20, 369, 1},
};
constexpr Placement kQ[] = {
    {K::TextField, 3, 1, 2, 1},     {K::TextField, 3, 3, 58, 1},   {K::TextField, 3, 6, 114, 1},
    {K::TextField, 3, 9, 170, 1},   {K::TextField, 3, 12, 226, 1}, {K::TextField, 3, 15, 282, 1},
    {K::TextField, 3, 18, 338, 1},
};
constexpr Placement kNames[] = {
    {K::TextField, 2, 35, 1, 1},    {K::TextField, 2, 36, 57, 1},  {K::TextField, 2, 37, 113, 1},
    {K::TextField, 2, 38, 169, 1},  {K::TextField, 2, 39, 226, 1}, {K::TextField, 2, 40, 282, 1},
    {K::TextField, 2, 41, 338, 1},  {K::TextField, 2, 42, 423, 1},
};
constexpr Placement kDiscard[] = {{K::Kick, 3, 96, 25, 94}, {K::Kick, 3, 97, 124, 94}, {K::Kick, 4, 95, 222, 94}};
constexpr Placement kCreateNew[] = {{K::Kick, 3, 94, 39, 62}, {K::Kick, 3, 93, 162, 63}, {K::Kick, 4, 95, 101, 100}};
constexpr Placement kNameExists[] = {{K::Kick, 3, 99, 41, 65}, {K::Kick, 3, 98, 165, 65}, {K::Kick, 4, 95, 103, 99}};
constexpr Placement kBank[] = {
    {K::Kick, 3, 99, 25, 68}, {K::Kick, 3, 98, 124, 68}, {K::Kick, 3, 100, 222, 68}, {K::Kick, 4, 95, 124, 103}};
constexpr Placement kPreset[] = {{K::Kick, 3, 101, 39, 62}, {K::Kick, 3, 102, 162, 62}, {K::Kick, 4, 95, 101, 100}};
constexpr Placement kDelete[] = {{K::Kick, 3, 103, 38, 49}, {K::Kick, 4, 95, 161, 49}};

constexpr PlacementList kNone = {nullptr, 0};

const OverlayLayout kOverlays[kOverlayCount] = {
    {kInfoPanel, 2000, 160, 27, listOf(kInfo)},
    {kHelpPanel, 2008, 25, 27, kNone},
    {kChannelPanel, 2009, 19, 27, listOf(kChannel)},
    {kAboutPanel, 2006, 160, 27, listOf(kAbout)},
    {kDiscardLRDialog, 2012, 160, 65, listOf(kDiscard)},
    {kDiscardMSDialog, 2013, 160, 65, listOf(kDiscard)},
    {kCreateNewDialog, 2001, 183, 62, listOf(kCreateNew)},
    {kBankNameExistsDialog, 2003, 183, 65, listOf(kNameExists)},
    {kBankDialog, 2002, 160, 59, listOf(kBank)},
    {kPresetDialog, 2004, 183, 65, listOf(kPreset)},
    {kDeletePresetDialog, 2005, 186, 88, listOf(kDelete)},
    {kDeleteBankDialog, 2005, 186, 88, listOf(kDelete)},
    {kClipIndicator, 4006, 501, 195, listOf(kClip)},
    {kFrequencyStrip, 4001, 135, 127, listOf(kFrequency)},
    {kGainStrip, 4000, 191, 239, listOf(kGain)},
    {kQStrip, 4004, 135, 180, listOf(kQ)},
    {kNameStrip, 4003, 125, 70, listOf(kNames)},
};

}  // namespace

namespace layout {

PlacementList mainWindow() { return listOf(kMain); }
PlacementList topBar() { return listOf(kTopBar); }
const OverlayLayout& overlay(OverlayId id) { return kOverlays[id]; }

}  // namespace layout

}  // namespace solva
