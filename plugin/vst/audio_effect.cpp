#include "plugin/vst/audio_effect.h"

#include <cstring>

namespace vst {

// ---------------------------------------------------------------------------
// Host-facing trampolines. A C++ exception must never unwind into the host,
// so each one catches everything and answers the neutral value.

namespace {

// Opcodes that read or write through their pointer argument: without one
// they answer 0 instead of dereferencing it.
bool needsPointer(VstInt32 opcode) {
    switch (opcode) {
    case effSetProgramName:
    case effGetProgramName:
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
    case effEditGetRect:
    case effGetChunk:
    case effSetChunk:
    case effString2Parameter:
    case effGetProgramNameIndexed:
    case effGetInputProperties:
    case effGetOutputProperties:
    case effGetSpeakerArrangement:
    case effGetEffectName:
    case effGetVendorString:
    case effGetProductString:
    case effGetParameterProperties:
        return true;
    default:
        return false;
    }
}

}  // namespace

VstIntPtr VSTCALLBACK AudioEffect::dispatchEffectClass(AEffect* e, VstInt32 opcode, VstInt32 index,
                                                       VstIntPtr value, void* ptr, float opt) {
    if (!e || !e->object) return 0;
    if (!ptr && needsPointer(opcode)) return 0;
    auto* ae = static_cast<AudioEffect*>(e->object);
    try {
        if (opcode == effClose) {
            ae->dispatcher(opcode, index, value, ptr, opt);
            delete ae;
            return 1;
        }
        return ae->dispatcher(opcode, index, value, ptr, opt);
    } catch (...) {
        return 0;
    }
}

float VSTCALLBACK AudioEffect::getParameterClass(AEffect* e, VstInt32 index) {
    try {
        return static_cast<AudioEffect*>(e->object)->getParameter(index);
    } catch (...) {
        return 0.0f;
    }
}

void VSTCALLBACK AudioEffect::setParameterClass(AEffect* e, VstInt32 index, float value) {
    try {
        static_cast<AudioEffect*>(e->object)->setParameter(index, value);
    } catch (...) {
    }
}

// The accumulating process() of VST 1 is not offered; hosts that still call
// it get silence added, which leaves their buffers as they were.
void VSTCALLBACK AudioEffect::processClass(AEffect*, float**, float**, VstInt32) {}

void VSTCALLBACK AudioEffect::processReplacingClass(AEffect* e, float** inputs, float** outputs,
                                                    VstInt32 frames) {
    static_cast<AudioEffect*>(e->object)->processReplacing(inputs, outputs, frames);
}

void VSTCALLBACK AudioEffect::processDoubleReplacingClass(AEffect* e, double** inputs, double** outputs,
                                                          VstInt32 frames) {
    static_cast<AudioEffect*>(e->object)->processDoubleReplacing(inputs, outputs, frames);
}

// ---------------------------------------------------------------------------

AudioEffect::AudioEffect(audioMasterCallback master, VstInt32 programs, VstInt32 params)
    : audioMaster(master), numPrograms(programs), numParams(params) {
    std::memset(&cEffect, 0, sizeof(cEffect));
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchEffectClass;
    cEffect.process = processClass;
    cEffect.setParameter = setParameterClass;
    cEffect.getParameter = getParameterClass;
    cEffect.numPrograms = programs;
    cEffect.numParams = params;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.flags = 0;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = fourCC('N', 'o', 'E', 'f');
    cEffect.version = 1;
    cEffect.processReplacing = processReplacingClass;
    cEffect.processDoubleReplacing = processDoubleReplacingClass;
}

AudioEffect::~AudioEffect() {
    delete editor;
    editor = nullptr;
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    if (!audioMaster) return 0;
    return audioMaster(&cEffect, opcode, index, value, ptr, opt);
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

void AudioEffect::canProcessReplacing(bool state) {
    if (state)
        cEffect.flags |= effFlagsCanReplacing;
    else
        cEffect.flags &= ~effFlagsCanReplacing;
}

void AudioEffect::programsAreChunks(bool state) {
    if (state)
        cEffect.flags |= effFlagsProgramChunks;
    else
        cEffect.flags &= ~effFlagsProgramChunks;
}

void AudioEffect::setEditor(AEffEditor* newEditor) {
    editor = newEditor;
    if (editor)
        cEffect.flags |= effFlagsHasEditor;
    else
        cEffect.flags &= ~effFlagsHasEditor;
}

VstInt32 AudioEffect::getMasterVersion() {
    VstInt32 version = 1;
    if (audioMaster) {
        version = VstInt32(callHost(audioMasterVersion));
        if (!version) version = 1;  // hosts answering 0 are VST 1.0 hosts
    }
    return version;
}

bool AudioEffect::beginEdit(VstInt32 index) { return callHost(audioMasterBeginEdit, index) != 0; }
bool AudioEffect::endEdit(VstInt32 index) { return callHost(audioMasterEndEdit, index) != 0; }

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    VstIntPtr v = 0;
    switch (opcode) {
    case effOpen: open(); break;
    case effClose: close(); break;
    case effSetProgram:
        if (value < numPrograms) setProgram(VstInt32(value));
        break;
    case effGetProgram: v = getProgram(); break;
    case effSetProgramName: setProgramName(static_cast<char*>(ptr)); break;
    case effGetProgramName: getProgramName(static_cast<char*>(ptr)); break;
    case effGetParamLabel: getParameterLabel(index, static_cast<char*>(ptr)); break;
    case effGetParamDisplay: getParameterDisplay(index, static_cast<char*>(ptr)); break;
    case effGetParamName: getParameterName(index, static_cast<char*>(ptr)); break;
    case effSetSampleRate: setSampleRate(opt); break;
    case effSetBlockSize: setBlockSize(VstInt32(value)); break;
    case effMainsChanged:
        if (!value)
            suspend();
        else
            resume();
        break;
    case effEditGetRect:
        if (editor) v = editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
        break;
    case effEditOpen:
        if (editor) v = editor->open(ptr) ? 1 : 0;
        break;
    case effEditClose:
        if (editor) editor->close();
        break;
    case effEditIdle:
        if (editor) editor->idle();
        break;
    case effIdentify: v = fourCC('N', 'v', 'E', 'f'); break;
    case effGetChunk: v = getChunk(static_cast<void**>(ptr), index != 0); break;
    case effSetChunk: v = setChunk(ptr, VstInt32(value), index != 0); break;
    default: break;
    }
    return v;
}

// ---------------------------------------------------------------------------

AudioEffectX::AudioEffectX(audioMasterCallback master, VstInt32 programs, VstInt32 params)
    : AudioEffect(master, programs, params) {}

void AudioEffectX::resume() {
    if (canDo(const_cast<char*>("receiveVstMidiEvent")) == 1) wantEvents();
}

// MIDI intake is requested through the host's "wantEvents" opcode of
// VST 2.0; 2.4 hosts send events to any plug-in that answers canDo.
void AudioEffectX::wantEvents(VstInt32 filter) { callHost(6 /* audioMasterWantMidi */, 0, filter); }

void AudioEffectX::isSynth(bool state) {
    if (state)
        cEffect.flags |= effFlagsIsSynth;
    else
        cEffect.flags &= ~effFlagsIsSynth;
}

void AudioEffectX::noTail(bool state) {
    if (state)
        cEffect.flags |= effFlagsNoSoundInStop;
    else
        cEffect.flags &= ~effFlagsNoSoundInStop;
}

bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height) {
    return callHost(audioMasterSizeWindow, width, height) != 0;
}

bool AudioEffectX::updateDisplay() { return callHost(audioMasterUpdateDisplay) != 0; }

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    VstIntPtr v = 0;
    switch (opcode) {
    case effProcessEvents: v = processEvents(static_cast<VstEvents*>(ptr)); break;
    case effCanBeAutomated: v = canParameterBeAutomated(index) ? 1 : 0; break;
    case effString2Parameter: v = string2parameter(index, static_cast<char*>(ptr)) ? 1 : 0; break;
    case effGetProgramNameIndexed:
        v = getProgramNameIndexed(VstInt32(value), index, static_cast<char*>(ptr)) ? 1 : 0;
        break;
    case effGetInputProperties:
        v = getInputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
        break;
    case effGetOutputProperties:
        v = getOutputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
        break;
    case effGetPlugCategory: v = getPlugCategory(); break;
    case effSetSpeakerArrangement:
        v = setSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
                                  static_cast<VstSpeakerArrangement*>(ptr))
                ? 1
                : 0;
        break;
    case effGetSpeakerArrangement:
        v = getSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement**>(value),
                                  static_cast<VstSpeakerArrangement**>(ptr))
                ? 1
                : 0;
        break;
    case effProcessVarIo: v = processVariableIo(ptr) ? 1 : 0; break;
    case effSetBypass: v = setBypass(value != 0) ? 1 : 0; break;
    case effGetEffectName: v = getEffectName(static_cast<char*>(ptr)) ? 1 : 0; break;
    case effGetVendorString: v = getVendorString(static_cast<char*>(ptr)) ? 1 : 0; break;
    case effGetProductString: v = getProductString(static_cast<char*>(ptr)) ? 1 : 0; break;
    case effGetVendorVersion: v = getVendorVersion(); break;
    case effVendorSpecific: v = vendorSpecific(index, value, ptr, opt); break;
    case effCanDo: v = ptr ? canDo(static_cast<char*>(ptr)) : 0; break;
    case effGetTailSize: v = getGetTailSize(); break;
    case effGetParameterProperties:
        v = getParameterProperties(index, static_cast<VstParameterProperties*>(ptr)) ? 1 : 0;
        break;
    case effGetVstVersion: v = getVstVersion(); break;
    case effEditKeyDown:
        if (editor) {
            VstKeyCode key{index, static_cast<unsigned char>(value), static_cast<unsigned char>(opt)};
            v = editor->onKeyDown(key) ? 1 : 0;
        }
        break;
    case effEditKeyUp:
        if (editor) {
            VstKeyCode key{index, static_cast<unsigned char>(value), static_cast<unsigned char>(opt)};
            v = editor->onKeyUp(key) ? 1 : 0;
        }
        break;
    case effSetEditKnobMode:
        if (editor) v = editor->setKnobMode(VstInt32(value)) ? 1 : 0;
        break;
    case effGetMidiProgramName: v = getMidiProgramName(index, ptr); break;
    case effGetCurrentMidiProgram: v = getCurrentMidiProgram(index, ptr); break;
    case effGetMidiProgramCategory: v = getMidiProgramCategory(index, ptr); break;
    case effHasMidiProgramsChanged: v = hasMidiProgramsChanged(index) ? 1 : 0; break;
    case effGetMidiKeyName: v = getMidiKeyName(index, ptr) ? 1 : 0; break;
    case effBeginSetProgram: v = beginSetProgram() ? 1 : 0; break;
    case effEndSetProgram: v = endSetProgram() ? 1 : 0; break;
    case effShellGetNextPlugin: v = getNextShellPlugin(static_cast<char*>(ptr)); break;
    case effStartProcess: v = startProcess(); break;
    case effStopProcess: v = stopProcess(); break;
    case effSetTotalSampleToProcess: v = setTotalSampleToProcess(VstInt32(value)); break;
    case effSetPanLaw: v = setPanLaw(VstInt32(value), opt) ? 1 : 0; break;
    case effBeginLoadBank: v = beginLoadBank(ptr); break;
    case effBeginLoadProgram: v = beginLoadProgram(ptr); break;
    case effSetProcessPrecision: v = setProcessPrecision(VstInt32(value)) ? 1 : 0; break;
    case effGetNumMidiInputChannels: v = getNumMidiInputChannels(); break;
    case effGetNumMidiOutputChannels: v = getNumMidiOutputChannels(); break;
    default: v = AudioEffect::dispatcher(opcode, index, value, ptr, opt); break;
    }
    return v;
}

}  // namespace vst
