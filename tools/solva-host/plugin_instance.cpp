#include "plugin_instance.h"

#include <cstring>

#include "host_callback.h"
#include "host_error.h"

namespace solvahost {

namespace {

using PluginEntry = vst::AEffect*(VSTCALLBACK*)(vst::audioMasterCallback);

// Longer than any VST string limit: plug-ins are known to overrun them.
constexpr size_t kStringBufferSize = 1024;

PluginEntry findEntry(const PluginModule& module) {
    void* address = module.symbol("VSTPluginMain");
    if (!address) address = module.symbol("main");
    return reinterpret_cast<PluginEntry>(address);
}

}  // namespace

std::string fourCCText(vst::VstInt32 code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        char c = char((uint32_t(code) >> shift) & 0xFF);
        text += (c >= 32 && c < 127) ? c : '.';
    }
    return text;
}

PluginInstance::PluginInstance(const std::string& path, float sampleRateHz, int blockSizeFrames) : path_(path) {
    HostState& state = hostState();
    state.sampleRateHz = sampleRateHz;
    state.blockSizeFrames = blockSizeFrames;
    module_ = PluginModule::load(path);
    PluginEntry entry = findEntry(*module_);
    if (!entry) throw HostError("'" + path + "' is not a VST 2.4 plug-in: no VSTPluginMain or main entry point");
    effect_ = entry(&hostCallback);
    if (!effect_) throw HostError("plug-in '" + path + "' refused to create an effect (entry point returned null)");
    if (effect_->magic != vst::kEffectMagic) {
        effect_ = nullptr;  // not ours to close: nothing is known about it
        throw HostError("plug-in '" + path + "' returned an effect without the 'VstP' magic number");
    }
    if (!effect_->dispatcher) {
        effect_ = nullptr;
        throw HostError("plug-in '" + path + "' returned an effect without a dispatcher");
    }
    dispatch(vst::effOpen);
    setSampleRate(sampleRateHz);
    setBlockSize(blockSizeFrames);
}

PluginInstance::~PluginInstance() {
    if (!effect_) return;
    if (resumed_) suspend();
    // A plug-in built on the usual base classes deletes itself here.
    dispatch(vst::effClose);
    effect_ = nullptr;
}

vst::VstIntPtr PluginInstance::dispatch(vst::VstInt32 opcode, vst::VstInt32 index, vst::VstIntPtr value, void* ptr,
                                        float opt) {
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string PluginInstance::queryString(vst::VstInt32 opcode, vst::VstInt32 index) {
    char buffer[kStringBufferSize] = {};
    dispatch(opcode, index, 0, buffer);
    buffer[kStringBufferSize - 1] = '\0';
    return buffer;
}

vst::VstIntPtr PluginInstance::canDo(const std::string& text) {
    std::vector<char> copy(text.begin(), text.end());
    copy.push_back('\0');
    return dispatch(vst::effCanDo, 0, 0, copy.data());
}

void PluginInstance::setSampleRate(float sampleRateHz) {
    hostState().sampleRateHz = sampleRateHz;
    dispatch(vst::effSetSampleRate, 0, 0, nullptr, sampleRateHz);
}

void PluginInstance::setBlockSize(int blockSizeFrames) {
    hostState().blockSizeFrames = blockSizeFrames;
    dispatch(vst::effSetBlockSize, 0, blockSizeFrames);
}

void PluginInstance::checkParameterIndex(int index) const {
    if (index < 0 || index >= numParams())
        throw UsageError("parameter index " + std::to_string(index) + " is out of range: the plug-in has " +
                         std::to_string(numParams()) + " parameters" +
                         (numParams() > 0 ? " (0.." + std::to_string(numParams() - 1) + ")" : ""));
}

void PluginInstance::setParameter(int index, float value) {
    checkParameterIndex(index);
    if (!effect_->setParameter) throw HostError("plug-in offers no setParameter function");
    effect_->setParameter(effect_, index, value);
}

float PluginInstance::getParameter(int index) {
    if (index < 0 || index >= numParams() || !effect_->getParameter) return 0.0f;
    return effect_->getParameter(effect_, index);
}

void PluginInstance::applyParameters(const std::vector<ParamAssignment>& assignments) {
    for (const ParamAssignment& assignment : assignments) setParameter(assignment.index, assignment.value);
}

void PluginInstance::resume() {
    if (resumed_) return;
    dispatch(vst::effMainsChanged, 0, 1);
    dispatch(vst::effStartProcess);
    resumed_ = true;
}

void PluginInstance::suspend() {
    if (!resumed_) return;
    dispatch(vst::effStopProcess);
    dispatch(vst::effMainsChanged, 0, 0);
    resumed_ = false;
}

bool PluginInstance::canProcess() const { return effect_->processReplacing || effect_->process; }

void PluginInstance::process(float** inputs, float** outputs, int frames) {
    if (effect_->processReplacing) {
        effect_->processReplacing(effect_, inputs, outputs, frames);
        return;
    }
    for (int channel = 0; channel < numOutputs(); ++channel)
        std::memset(outputs[channel], 0, sizeof(float) * size_t(frames));
    if (effect_->process) effect_->process(effect_, inputs, outputs, frames);
}

std::vector<uint8_t> PluginInstance::getChunk(bool bank) {
    if (!(effect_->flags & vst::effFlagsProgramChunks))
        throw HostError("plug-in keeps its state in parameters, not in chunks (no effFlagsProgramChunks)");
    void* data = nullptr;
    vst::VstIntPtr size = dispatch(vst::effGetChunk, bank ? 0 : 1, 0, &data);
    if (size <= 0 || !data) throw HostError("plug-in returned no chunk");
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

void PluginInstance::setChunk(const std::vector<uint8_t>& bytes, bool bank) {
    if (!(effect_->flags & vst::effFlagsProgramChunks))
        throw HostError("plug-in keeps its state in parameters, not in chunks (no effFlagsProgramChunks)");
    if (bytes.empty()) throw HostError("chunk file is empty");
    // The plug-in reads the bytes during the call and keeps no pointer to them.
    std::vector<uint8_t> copy = bytes;
    dispatch(vst::effSetChunk, bank ? 0 : 1, vst::VstIntPtr(copy.size()), copy.data());
}

}  // namespace solvahost
