// Host dispatch: the fixed answers of the effect, pin and parameter
// properties, bypass, the vendor-specific wheel call and the private
// negative opcodes used by host-side wrappers.
#include <cstdio>
#include <cstring>

#include "params/param_table.h"
#include "plugin/borvan.h"

namespace solva {

namespace {

constexpr vst::VstInt32 kVendorWheelA = vst::fourCC('s', 't', 'C', 'A');
constexpr vst::VstInt32 kVendorWheelB = vst::fourCC('W', 'h', 'e', 'e');

void copyText(char* dst, const char* src, std::size_t capacity) {
    std::strncpy(dst, src, capacity - 1);
    dst[capacity - 1] = 0;
}

}  // namespace

vst::VstIntPtr CBorvan::dispatcher(vst::VstInt32 opcode, vst::VstInt32 index, vst::VstIntPtr value, void* ptr,
                                   float opt) {
    if (opcode >= 0) return AudioEffectX::dispatcher(opcode, index, value, ptr, opt);
    switch (opcode) {
    case -1:  // redraw a rectangle of the open frame, or all of it
        if (editorSink_ && editor && editor->isOpen()) editorSink_->redrawRect(static_cast<const short*>(ptr));
        return 0;
    case -2:  // a click at (index, value) in frame coordinates
        return editorSink_ ? editorSink_->clickAt(index, int(value)) : 0;
    case -3:  // wheel at the pointer
        return editor ? (editor->onWheel(opt) ? 1 : 0) : 0;
    case -4:  // reset the audio state of every band filter
        engine_.resetBandHistories();
        return 0;
    default:
        return 0;
    }
}

bool CBorvan::getEffectName(char* name) {
    copyText(name, "Solva", vst::kVstMaxEffectNameLen);
    return true;
}

bool CBorvan::getVendorString(char* text) {
    copyText(text, "Marwen", vst::kVstMaxVendorStrLen);
    return true;
}

bool CBorvan::getProductString(char* text) {
    copyText(text, "Marwen Solva ", vst::kVstMaxProductStrLen);
    return true;
}

vst::VstInt32 CBorvan::canDo(char* text) {
    if (!text) return -1;
    if (!std::strcmp(text, "receiveVstEvents") || !std::strcmp(text, "2in2out") || !std::strcmp(text, "1in1out"))
        return 1;
    return -1;
}

bool CBorvan::getOutputProperties(vst::VstInt32 index, vst::VstPinProperties* properties) {
    if (!properties || index < 0 || index >= liveOutputs_) return false;
    std::snprintf(properties->label, sizeof properties->label, "%s %1d", "Solva", int(index) + 1);
    properties->flags = vst::kVstPinIsActive | vst::kVstPinIsStereo;
    return true;
}

bool CBorvan::getParameterProperties(vst::VstInt32 index, vst::VstParameterProperties* properties) {
    if (!properties) return false;
    const ParamInfo* info = paramInfo(index);
    if (info) {
        copyText(properties->label, info->longName, sizeof properties->label);
        std::memcpy(properties->shortLabel, info->shortName, 8);  // eight characters, no terminator
    }
    if (index >= kNumParams || index < 0) return false;
    if (index >= 21 && index <= 33) {
        properties->flags = vst::kVstParameterIsSwitch;
        properties->stepInteger = 2;
    }
    return true;
}

bool CBorvan::setBypass(bool onOff) {
    setParameter(kGeneralOnIndex, onOff ? 0.0f : 1.0f);
    return true;
}

vst::VstIntPtr CBorvan::vendorSpecific(vst::VstInt32 lArg, vst::VstIntPtr lArg2, void*, float opt) {
    if (lArg == kVendorWheelA && lArg2 == kVendorWheelB && editor) return editor->onWheel(opt) ? 1 : 0;
    return 0;
}

void CBorvan::getParameterName(vst::VstInt32 index, char* text) {
    const ParamInfo* info = paramInfo(index);
    if (!info) return;
    copyText(text, info->shortName, vst::kVstMaxParamStrLen + 1);
}

const char* CBorvan::getLongName(int index) {
    const ParamInfo* info = paramInfo(index);
    if (info) copyText(scratch_, info->longName, sizeof scratch_);
    return scratch_;
}

const char* CBorvan::emptyText() {
    scratch_[0] = 0;
    return scratch_;
}

}  // namespace solva
