// A probe plug-in for the host tests, built in several variants from this
// one file (PROBE_VARIANT_* set by tests/tools/CMakeLists.txt):
//   NORMAL       a 2-in/2-out gain: out = in * 2 * parameter 0; its chunk is a
//                text report of everything the host told it
//   MAIN_ENTRY   NORMAL exported only under the old name "main"
//   NULL_EFFECT  the entry point returns null
//   BAD_MAGIC    the entry point returns an effect without 'VstP'
//   NO_ENTRY     no entry point at all
//   MINIMAL      a dispatcher that answers 0 to everything and no other
//                functions: every null a plug-in can return
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "plugin/vst/vst_abi.h"

#define PROBE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using namespace vst;

constexpr VstInt32 kProbeId = fourCC('S', 'P', 'r', 'b');
constexpr int kProbeParams = 2;

struct Probe {
    AEffect effect{};
    audioMasterCallback host = nullptr;
    float gain = 0.5f;  // parameter 0; 0.5 = unity
    float tag = 0.0f;   // parameter 1, only stored
    float rateHz = 0.0f;
    int blockFrames = 0;
    bool resumed = false;
    int resumeCount = 0;
    int startCount = 0;
    int stopCount = 0;
    int processLevel = -1;  // host's answer during the last process call
    long long frames = 0;
    int blocks = 0;
    int maxFrames = 0;
    int suspendedCalls = 0;  // process calls while suspended
    int nullBuffers = 0;     // process calls with a null pin
    std::string chunk;
};

Probe* probeOf(AEffect* effect) { return static_cast<Probe*>(effect->object); }

void copyString(void* ptr, const char* text, size_t capacity) {
    std::strncpy(static_cast<char*>(ptr), text, capacity - 1);
    static_cast<char*>(ptr)[capacity - 1] = '\0';
}

std::string hostString(Probe& probe, VstInt32 opcode) {
    char text[256] = {};
    probe.host(&probe.effect, opcode, 0, 0, text, 0.0f);
    return text;
}

// "key=value;" pairs, read back by the tests.
void buildReport(Probe& probe) {
    char text[1024];
    std::snprintf(text, sizeof(text),
                  "gain=%g;tag=%g;rate=%g;block=%d;hostrate=%ld;hostblock=%ld;hostversion=%ld;vendor=%s;"
                  "product=%s;level=%d;resumes=%d;starts=%d;stops=%d;blocks=%d;frames=%lld;maxframes=%d;"
                  "suspendedcalls=%d;nullbuffers=%d;",
                  double(probe.gain), double(probe.tag), double(probe.rateHz), probe.blockFrames,
                  long(probe.host(&probe.effect, audioMasterGetSampleRate, 0, 0, nullptr, 0.0f)),
                  long(probe.host(&probe.effect, audioMasterGetBlockSize, 0, 0, nullptr, 0.0f)),
                  long(probe.host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f)),
                  hostString(probe, audioMasterGetVendorString).c_str(),
                  hostString(probe, audioMasterGetProductString).c_str(), probe.processLevel, probe.resumeCount,
                  probe.startCount, probe.stopCount, probe.blocks, probe.frames, probe.maxFrames, probe.suspendedCalls,
                  probe.nullBuffers);
    probe.chunk = text;
}

float readKey(const char* text, const char* key, float fallback) {
    const char* found = std::strstr(text, key);
    return found ? float(std::atof(found + std::strlen(key))) : fallback;
}

VstIntPtr stringOpcode(Probe& probe, VstInt32 opcode, VstInt32 index, void* ptr) {
    switch (opcode) {
        case effGetEffectName: copyString(ptr, "Probe", kVstMaxEffectNameLen); return 1;
        case effGetVendorString: copyString(ptr, "Solva Tests", kVstMaxVendorStrLen); return 1;
        case effGetProductString: copyString(ptr, "Probe Gain", kVstMaxProductStrLen); return 1;
        case effGetParamName: copyString(ptr, index == 0 ? "Gain" : "Tag", kVstMaxParamStrLen); return 0;
        case effGetParamLabel: copyString(ptr, index == 0 ? "x" : "", kVstMaxParamStrLen); return 0;
        case effGetParamDisplay: {
            char text[32];
            std::snprintf(text, sizeof(text), "%.3f", double(index == 0 ? probe.gain * 2.0f : probe.tag));
            copyString(ptr, text, kVstMaxParamStrLen);
            return 0;
        }
        default: return 0;
    }
}

VstIntPtr VSTCALLBACK probeDispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                      float opt) {
    Probe& probe = *probeOf(effect);
    switch (opcode) {
        case effClose: delete &probe; return 0;
        case effSetSampleRate: probe.rateHz = opt; return 0;
        case effSetBlockSize: probe.blockFrames = int(value); return 0;
        case effMainsChanged:
            probe.resumed = value != 0;
            probe.resumeCount += value != 0 ? 1 : 0;
            return 0;
        case effStartProcess: ++probe.startCount; return 0;
        case effStopProcess: ++probe.stopCount; return 0;
        case effGetChunk:
            buildReport(probe);
            *static_cast<void**>(ptr) = &probe.chunk[0];
            return VstIntPtr(probe.chunk.size());
        case effSetChunk: {
            std::string text(static_cast<const char*>(ptr), size_t(value));
            probe.gain = readKey(text.c_str(), "gain=", probe.gain);
            probe.tag = readKey(text.c_str(), "tag=", probe.tag);
            return 1;
        }
        case effGetVendorVersion: return 7;
        case effGetVstVersion: return kVstVersion;
        case effGetPlugCategory: return kPlugCategEffect;
        case effCanBeAutomated: return 1;
        case effCanDo: return std::strcmp(static_cast<const char*>(ptr), "2in2out") == 0 ? 1 : -1;
        default: return stringOpcode(probe, opcode, index, ptr);
    }
}

void VSTCALLBACK probeSetParameter(AEffect* effect, VstInt32 index, float value) {
    if (index == 0) probeOf(effect)->gain = value;
    if (index == 1) probeOf(effect)->tag = value;
}

float VSTCALLBACK probeGetParameter(AEffect* effect, VstInt32 index) {
    return index == 0 ? probeOf(effect)->gain : probeOf(effect)->tag;
}

void VSTCALLBACK probeProcess(AEffect* effect, float** inputs, float** outputs, VstInt32 frames) {
    Probe& probe = *probeOf(effect);
    probe.processLevel = int(probe.host(effect, audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0.0f));
    if (!probe.resumed) ++probe.suspendedCalls;
    ++probe.blocks;
    probe.frames += frames;
    if (frames > probe.maxFrames) probe.maxFrames = frames;
    for (int channel = 0; channel < 2; ++channel) {
        if (!inputs[channel] || !outputs[channel]) {
            ++probe.nullBuffers;
            continue;
        }
        for (VstInt32 i = 0; i < frames; ++i) outputs[channel][i] = inputs[channel][i] * 2.0f * probe.gain;
    }
}

[[maybe_unused]] AEffect* createProbe(audioMasterCallback host) {
    if (!host || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    Probe* probe = new Probe;
    probe->host = host;
    AEffect& effect = probe->effect;
    effect.magic = kEffectMagic;
    effect.dispatcher = probeDispatcher;
    effect.setParameter = probeSetParameter;
    effect.getParameter = probeGetParameter;
    effect.processReplacing = probeProcess;
    effect.numPrograms = 0;
    effect.numParams = kProbeParams;
    effect.numInputs = 2;
    effect.numOutputs = 2;
    effect.flags = effFlagsCanReplacing | effFlagsProgramChunks;
    effect.ioRatio = 1.0f;
    effect.object = probe;
    effect.uniqueID = kProbeId;
    effect.version = 3;
    return &effect;
}

VstIntPtr VSTCALLBACK silentDispatcher(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) { return 0; }

[[maybe_unused]] AEffect* createMinimal() {
    static AEffect effect{};
    effect.magic = kEffectMagic;
    effect.dispatcher = silentDispatcher;
    effect.numParams = 3;
    effect.numPrograms = 2;
    effect.numInputs = 2;
    effect.numOutputs = 2;
    effect.flags = effFlagsProgramChunks;
    return &effect;
}

}  // namespace

#if defined(PROBE_VARIANT_NORMAL)
PROBE_EXPORT AEffect* VSTPluginMain(audioMasterCallback host) { return createProbe(host); }
#elif defined(PROBE_VARIANT_MAIN_ENTRY)
PROBE_EXPORT AEffect* probeLegacyMain(audioMasterCallback host) __asm__("main");
AEffect* probeLegacyMain(audioMasterCallback host) { return createProbe(host); }
#elif defined(PROBE_VARIANT_NULL_EFFECT)
PROBE_EXPORT AEffect* VSTPluginMain(audioMasterCallback) { return nullptr; }
#elif defined(PROBE_VARIANT_BAD_MAGIC)
PROBE_EXPORT AEffect* VSTPluginMain(audioMasterCallback host) {
    AEffect* effect = createMinimal();
    (void)host;
    effect->magic = fourCC('N', 'o', 'p', 'e');
    return effect;
}
#elif defined(PROBE_VARIANT_NO_ENTRY)
PROBE_EXPORT int probeUnused() { return 0; }
#elif defined(PROBE_VARIANT_MINIMAL)
PROBE_EXPORT AEffect* VSTPluginMain(audioMasterCallback) { return createMinimal(); }
#endif
