#include "host_callback.h"

#include <cstring>

namespace solvahost {

namespace {

// audioMasterGetLanguage answer for English.
constexpr vst::VstIntPtr kLanguageEnglish = 1;

// Host capabilities: what this host does (1) and what it knowingly does not
// do (-1). The host sends no events and no time info, and keeps its channel
// count fixed once processing started.
struct CanDoAnswer {
    const char* text;
    int answer;
};
constexpr CanDoAnswer kCanDoAnswers[] = {
    {"sizeWindow", 1},
    {"startStopProcess", 1},
    {"sendVstEvents", -1},
    {"sendVstMidiEvent", -1},
    {"sendVstTimeInfo", -1},
    {"receiveVstEvents", -1},
    {"receiveVstMidiEvent", -1},
    {"reportConnectionChanges", -1},
    {"acceptIOChanges", -1},
    {"offline", -1},
    {"openFileSelector", -1},
    {"closeFileSelector", -1},
    {"shellCategory", -1},
    {"supportShell", -1},
};

void copyText(void* destination, const char* text, size_t capacity) {
    if (!destination) return;
    std::strncpy(static_cast<char*>(destination), text, capacity - 1);
    static_cast<char*>(destination)[capacity - 1] = '\0';
}

}  // namespace

HostState& hostState() {
    static HostState state;
    return state;
}

int hostCanDo(const char* text) {
    if (!text) return 0;
    for (const CanDoAnswer& entry : kCanDoAnswers)
        if (std::strcmp(entry.text, text) == 0) return entry.answer;
    return 0;
}

vst::VstIntPtr VSTCALLBACK hostCallback(vst::AEffect*, vst::VstInt32 opcode, vst::VstInt32 index,
                                        vst::VstIntPtr value, void* ptr, float opt) {
    HostState& state = hostState();
    switch (opcode) {
        case vst::audioMasterVersion: return vst::kVstVersion;
        case vst::audioMasterCurrentId: return 0;  // no shell plug-ins
        case vst::audioMasterIdle: return 0;
        case vst::audioMasterGetTime: return 0;  // no transport: null time info
        case vst::audioMasterAutomate:
            ++state.automateCount;
            state.lastAutomatedIndex = index;
            state.lastAutomatedValue = opt;
            return 1;
        case vst::audioMasterBeginEdit: ++state.beginEditCount; return 1;
        case vst::audioMasterEndEdit: ++state.endEditCount; return 1;
        case vst::audioMasterUpdateDisplay: ++state.updateDisplayCount; return 1;
        case vst::audioMasterIOChanged: ++state.ioChangedCount; return 0;  // not accepted
        case vst::audioMasterSizeWindow:
            ++state.sizeWindowCount;
            state.lastWindowWidth = index;
            state.lastWindowHeight = int(value);
            return 1;
        case vst::audioMasterGetSampleRate: return vst::VstIntPtr(state.sampleRateHz);
        case vst::audioMasterGetBlockSize: return state.blockSizeFrames;
        case vst::audioMasterGetCurrentProcessLevel: return vst::VstIntPtr(state.processLevel);
        case vst::audioMasterGetVendorString: copyText(ptr, kHostVendor, vst::kVstMaxVendorStrLen); return 1;
        case vst::audioMasterGetProductString: copyText(ptr, kHostProduct, vst::kVstMaxProductStrLen); return 1;
        case vst::audioMasterGetVendorVersion: return kHostVersion;
        case vst::audioMasterGetLanguage: return kLanguageEnglish;
        case vst::audioMasterCanDo: {
            const char* text = static_cast<const char*>(ptr);
            // Recording allocates, but canDo comes from the plug-in's
            // set-up calls, not from its audio processing.
            try {
                if (text && state.canDoQueries.size() < 64) state.canDoQueries.emplace_back(text);
            } catch (...) {
                // Out of memory: the query is answered without being recorded.
            }
            return hostCanDo(text);
        }
        default: return 0;
    }
}

}  // namespace solvahost
