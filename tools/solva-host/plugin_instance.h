// One loaded and opened VST 2.4 effect. Construction loads the library,
// calls its entry point ("VSTPluginMain", else "main") with the host
// callback, checks the magic number, then sends effOpen, the sample rate and
// the block size. Destruction stops processing if it was started, sends
// effClose and unloads the library. Every query survives a plug-in that
// returns null or leaves a string unterminated.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cli_args.h"
#include "module_loader.h"
#include "plugin/vst/vst_abi.h"

namespace solvahost {

class PluginInstance {
public:
    // Throws HostError when the library cannot be loaded, has no entry
    // point, returns no effect or an effect without the 'VstP' magic.
    PluginInstance(const std::string& path, float sampleRateHz, int blockSizeFrames);
    ~PluginInstance();

    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    const vst::AEffect& effect() const { return *effect_; }
    const std::string& path() const { return path_; }
    int numInputs() const { return effect_->numInputs; }
    int numOutputs() const { return effect_->numOutputs; }
    int numParams() const { return effect_->numParams; }
    int numPrograms() const { return effect_->numPrograms; }

    vst::VstIntPtr dispatch(vst::VstInt32 opcode, vst::VstInt32 index = 0, vst::VstIntPtr value = 0,
                            void* ptr = nullptr, float opt = 0.0f);
    // A string opcode answered into a generous zeroed buffer, cut at its end.
    std::string queryString(vst::VstInt32 opcode, vst::VstInt32 index = 0);
    // effCanDo: 1 yes, -1 no, 0 unknown.
    vst::VstIntPtr canDo(const std::string& text);

    // Changes the rate and block size told to the plug-in (while suspended).
    void setSampleRate(float sampleRateHz);
    void setBlockSize(int blockSizeFrames);

    // Normalised 0..1 parameters; an index outside 0..numParams-1 throws a
    // UsageError (checkParameterIndex alone checks without setting).
    void checkParameterIndex(int index) const;
    void setParameter(int index, float value);
    float getParameter(int index);
    void applyParameters(const std::vector<ParamAssignment>& assignments);

    // effMainsChanged 1 then effStartProcess; the reverse for suspend.
    void resume();
    void suspend();
    bool isResumed() const { return resumed_; }

    // processReplacing, or the accumulating process() onto zeroed outputs
    // for a plug-in that offers only that. Buffers hold numInputs() and
    // numOutputs() channel pointers of at least `frames` samples.
    void process(float** inputs, float** outputs, int frames);
    bool canProcess() const;

    // effGetChunk / effSetChunk; `bank` selects the bank (index 0) or the
    // program (index 1) chunk. Throws when the plug-in keeps no chunks.
    std::vector<uint8_t> getChunk(bool bank = true);
    void setChunk(const std::vector<uint8_t>& bytes, bool bank = true);

private:
    std::string path_;
    std::unique_ptr<PluginModule> module_;
    vst::AEffect* effect_ = nullptr;
    bool resumed_ = false;
};

// Four-character code as text ("SlvA"), with unprintable bytes as '.'.
std::string fourCCText(vst::VstInt32 code);

}  // namespace solvahost
