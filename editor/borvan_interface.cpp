#include "editor/borvan_interface.h"

#include <cstring>

#include "gui/cbuttons.h"
#include "plugin/borvan.h"

namespace solva {

namespace {
constexpr int kClipIndex = 115;
constexpr int kLastContinuousIndex = 20;
}  // namespace

int listenGainIndexForTag(int tag) {
    // Bands 1..5 hold frequency, Q and gain at 2 + 3b, 3 + 3b, 4 + 3b.
    if (tag < 2 || tag > 16) return -1;
    const int band = (tag - 2) / 3;
    const int gain = 4 + 3 * band;
    return tag == gain ? -1 : gain;
}

// --- CInterfaceEffetVst --------------------------------------------------------

void CInterfaceEffetVst::setValue(int index, float value) { functions_->fnSetParameter(index, value); }
void CInterfaceEffetVst::setValueAutomated(int index, float value) {
    functions_->fnSetParameterAutomated(index, value);
}
float CInterfaceEffetVst::getValue(int index) { return functions_->fnGetParameter(index); }
float CInterfaceEffetVst::getValueAndText(int index, char* text) {
    if (text) text[0] = 0;
    return functions_->fnGetParameter(index);
}
float CInterfaceEffetVst::getLiveValue(int index) {
    return index == kClipIndex ? functions_->readClipIndicator() : functions_->fnGetParameter(index);
}
int CInterfaceEffetVst::getChannelCount(int which) { return functions_->getLiveChannelCount(which); }
void CInterfaceEffetVst::reportMouseState(int buttons, int index) { functions_->reportMouseState(buttons, index); }
float CInterfaceEffetVst::getWheelIncrement() { return functions_->getWheelIncrement(); }
void CInterfaceEffetVst::getLongName(int index, char* text) {
    const char* name = functions_->getLongName(index);
    std::strcpy(text, name ? name : "");
}
const char* CInterfaceEffetVst::getDisplayText(int index) { return functions_->getDisplayText(index); }
void CInterfaceEffetVst::InitSettingsFromCurrent() { functions_->InitSettingsFromCurrent(); }
void CInterfaceEffetVst::setInitValue(int index, float value) { functions_->setInitValue(index, value); }
float CInterfaceEffetVst::getInitValue(int index) { return functions_->getInitValue(index); }
bool CInterfaceEffetVst::areFactoryPresetsShown() { return functions_->areFactoryPresetsShown(); }
int CInterfaceEffetVst::getSortMode() { return functions_->getSortMode(); }
int CInterfaceEffetVst::getCurrentGroup() { return functions_->getCurrentGroup(); }
bool CInterfaceEffetVst::isFactoryPreset() { return functions_->isCurrentSlotFactory(); }
int CInterfaceEffetVst::getChannelMode() { return functions_->getChannelMode(); }
int CInterfaceEffetVst::getCurrentPosition() { return functions_->getCurrentPosition(); }
int CInterfaceEffetVst::getGroupCount() { return functions_->getGroupCount(); }
int CInterfaceEffetVst::getGroupSize(int group) { return functions_->getGroupSize(group); }
void CInterfaceEffetVst::getEntryTexts(int group, int position, char* label, char* name) {
    functions_->getEntryTexts(group, position, label, name);
}
void CInterfaceEffetVst::getGroupLabel(int group, char* text) { functions_->getGroupLabel(group, text); }
void CInterfaceEffetVst::NewPreset(bool fromInit) { functions_->NewPreset(fromInit); }
void CInterfaceEffetVst::NewBank(bool fromInit) { functions_->NewBank(fromInit); }
void CInterfaceEffetVst::DeletePreset(int group, int position) { functions_->DeletePreset(group, position); }
void CInterfaceEffetVst::DeleteBank(int group) { functions_->DeleteBank(group); }
void CInterfaceEffetVst::SetSortMode(int mode) { functions_->SetSortMode(mode); }
void CInterfaceEffetVst::ToggleFactoryPresets() { functions_->ToggleFactoryPresets(); }
bool CInterfaceEffetVst::BankNameExists(const char* name) { return functions_->BankNameExists(name) != 0; }
void CInterfaceEffetVst::CopyBank(const char* name) { functions_->CopyBank(name); }
void CInterfaceEffetVst::RenameBank(const char* name) { functions_->RenameBank(name); }
void CInterfaceEffetVst::SetPresetBank(const char* name) { functions_->SetPresetBank(name); }
void CInterfaceEffetVst::RenamePreset(const char* name) { functions_->RenamePreset(name); }
void CInterfaceEffetVst::LoadPresetAtPosition(int position) { functions_->LoadPresetAtPosition(position); }
void CInterfaceEffetVst::LoadPresetAt(int group, int position) { functions_->LoadPresetAt(group, position); }
int CInterfaceEffetVst::ImportBank(const char* path) { return functions_->ImportBank(path); }
int CInterfaceEffetVst::ExportBank(const char* path) { return functions_->ExportBank(path); }
void CInterfaceEffetVst::refreshEditor() { functions_->refreshEditor(); }
void CInterfaceEffetVst::SetPresetAuthor(const char* text) { functions_->SetPresetAuthor(text); }
void CInterfaceEffetVst::SetPresetProject(const char* text) { functions_->SetPresetProject(text); }
bool CInterfaceEffetVst::beginEdit(int index) { return functions_->fnBeginEdit(index); }
bool CInterfaceEffetVst::endEdit(int index) { return functions_->fnEndEdit(index); }
bool CInterfaceEffetVst::sizeWindow(int width, int height) { return functions_->fnSizeWindow(width, height); }

// --- CBorvanInterface ----------------------------------------------------------

CBorvanInterface::CBorvanInterface(CFonctionsBorvan* functions, CBorvan* core)
    : CInterfaceEffetVst(functions), product_(functions), core_(core) {}

void CBorvanInterface::setBandName(int index, const char* name) { product_->setBandName(index, name); }
void CBorvanInterface::sortBandsByFrequency() { product_->sortBandsByFrequency(); }
void CBorvanInterface::SaveOptions() { product_->SaveOptions(); }
void CBorvanInterface::LoadOptions() { product_->LoadOptions(); }
bool CBorvanInterface::isFrequencyAsNotes() { return product_->isFrequencyAsNotes(); }
bool CBorvanInterface::isQAsOctaves() { return product_->isQAsOctaves(); }
void CBorvanInterface::setValueFromText(int index, const char* text) { product_->setValueFromText(index, text); }
void CBorvanInterface::setMidSideMode(bool midSide) { product_->setMidSideMode(midSide); }
void CBorvanInterface::swapSides() { product_->swapSides(); }

void CBorvanInterface::reportMouseState(int buttons, int index) {
    CInterfaceEffetVst::reportMouseState(buttons, index);
    if (!core_ || index < 0 || index > kLastContinuousIndex) return;
    using namespace VSTGUI;
    const bool held = (buttons & (kLButton | kRButton | kShift)) != 0;
    const bool fine = (buttons & (kRButton | kShift)) != 0;
    core_->setSnapFlags(held, fine);
    if (buttons & (kAlt | kApple)) listenSeen_ = true;
    if (buttons == 0) {
        // The gesture is over: a listen boost, if any, ends at the tick.
        const int gainIndex = listenGainIndexForTag(index);
        if (listenSeen_ && gainIndex >= 0) core_->setPendingReapply(gainIndex);
        listenSeen_ = false;
    }
}

void CBorvanInterface::setValueAutomated(int index, float value) {
    CInterfaceEffetVst::setValueAutomated(index, value);
    // Writing 0 to the clip indicator clears a held clip.
    if (index == kClipIndex && value < 0.5f) functions_->clearClipIndicator();
}

void CBorvanInterface::serviceEffect() {
    if (core_) core_->tick();
}

}  // namespace solva
