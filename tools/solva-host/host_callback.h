// The host side of the VST 2.4 callback (audioMasterCallback). solva-host
// runs one plug-in at a time on one thread, so the callback answers from a
// single process-wide HostState: the plug-in may call it from inside its
// entry point, before its AEffect exists, so the state cannot hang off the
// effect.
#pragma once

#include <string>
#include <vector>

#include "plugin/vst/vst_abi.h"

namespace solvahost {

// audioMasterGetCurrentProcessLevel answers.
enum class ProcessLevel : int { unknown = 0, user = 1, realtime = 2, offline = 4 };

// What the host tells the plug-in and what the plug-in told the host.
struct HostState {
    float sampleRateHz = 44100.0f;
    int blockSizeFrames = 512;
    ProcessLevel processLevel = ProcessLevel::user;

    // Notifications from the plug-in, counted for reports and tests.
    int automateCount = 0;
    int lastAutomatedIndex = -1;
    float lastAutomatedValue = 0.0f;
    int beginEditCount = 0;
    int endEditCount = 0;
    int updateDisplayCount = 0;
    int ioChangedCount = 0;
    int sizeWindowCount = 0;
    int lastWindowWidth = 0;
    int lastWindowHeight = 0;
    std::vector<std::string> canDoQueries;  // texts the plug-in asked about
};

HostState& hostState();

// Never throws and never allocates on the plug-in's audio calls; opcodes it
// does not know answer 0.
vst::VstIntPtr VSTCALLBACK hostCallback(vst::AEffect* effect, vst::VstInt32 opcode, vst::VstInt32 index,
                                        vst::VstIntPtr value, void* ptr, float opt);

// How the host answers the plug-in's audioMasterCanDo: 1 yes, -1 no, 0 unknown.
int hostCanDo(const char* text);

constexpr const char* kHostVendor = "Solva";
constexpr const char* kHostProduct = "Solva Host";
constexpr int kHostVersion = 1;

}  // namespace solvahost
