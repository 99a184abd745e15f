// "info": everything a plug-in says about itself.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "chunk_file.h"
#include "cli_args.h"
#include "command.h"
#include "host_callback.h"
#include "host_error.h"
#include "plugin_instance.h"

namespace solvahost {

namespace {

// The plug-in capabilities a host usually asks about.
constexpr const char* kStandardCanDos[] = {
    "sendVstEvents",
    "sendVstMidiEvent",
    "receiveVstEvents",
    "receiveVstMidiEvent",
    "receiveVstTimeInfo",
    "offline",
    "midiProgramNames",
    "bypass",
    "noRealTime",
    "plugAsChannelInsert",
    "plugAsSend",
    "mixDryWet",
    "1in1out",
    "1in2out",
    "2in1out",
    "2in2out",
    "2in4out",
    "4in2out",
    "4in4out",
    "8in8out",
};

constexpr int kMaxListedPrograms = 128;

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

std::string decodeEffectFlags(vst::VstInt32 flags) {
    struct Flag {
        vst::VstInt32 bit;
        const char* name;
    };
    static const Flag kFlags[] = {
        {vst::effFlagsHasEditor, "HasEditor"},         {vst::effFlagsCanReplacing, "CanReplacing"},
        {vst::effFlagsProgramChunks, "ProgramChunks"}, {vst::effFlagsIsSynth, "IsSynth"},
        {vst::effFlagsNoSoundInStop, "NoSoundInStop"}, {vst::effFlagsCanDoubleReplacing, "CanDoubleReplacing"},
    };
    std::string text;
    vst::VstInt32 known = 0;
    for (const Flag& flag : kFlags) {
        known |= flag.bit;
        if (flags & flag.bit) text += std::string(text.empty() ? "" : " ") + flag.name;
    }
    if (flags & ~known) {
        char rest[32];
        std::snprintf(rest, sizeof(rest), "%s+0x%X", text.empty() ? "" : " ", unsigned(flags & ~known));
        text += rest;
    }
    return text.empty() ? "none" : text;
}

const char* categoryName(vst::VstIntPtr category) {
    static const char* const kNames[] = {"unknown",     "effect",      "synth",   "analysis",
                                         "mastering",   "spacializer", "room fx", "surround fx",
                                         "restoration", "offline",     "shell",   "generator"};
    return category >= 0 && category < vst::VstIntPtr(sizeof(kNames) / sizeof(kNames[0])) ? kNames[category] : "?";
}

const char* canDoText(vst::VstIntPtr answer) {
    if (answer > 0) return "yes";
    if (answer < 0) return "no";
    return "don't know";
}

void printIdentity(PluginInstance& plugin) {
    const vst::AEffect& effect = plugin.effect();
    std::printf("Plug-in:        %s\n", plugin.path().c_str());
    std::printf("Effect name:    %s\n", quoted(plugin.queryString(vst::effGetEffectName)).c_str());
    std::printf("Vendor:         %s\n", quoted(plugin.queryString(vst::effGetVendorString)).c_str());
    std::printf("Product:        %s\n", quoted(plugin.queryString(vst::effGetProductString)).c_str());
    std::printf("Vendor version: %ld\n", long(plugin.dispatch(vst::effGetVendorVersion)));
    std::printf("VST version:    %ld\n", long(plugin.dispatch(vst::effGetVstVersion)));
    std::printf("Unique ID:      '%s' (0x%08X)\n", fourCCText(effect.uniqueID).c_str(), unsigned(effect.uniqueID));
    std::printf("Version:        %d\n", int(effect.version));
    vst::VstIntPtr category = plugin.dispatch(vst::effGetPlugCategory);
    std::printf("Category:       %ld (%s)\n", long(category), categoryName(category));
    std::printf("Inputs:         %d\n", plugin.numInputs());
    std::printf("Outputs:        %d\n", plugin.numOutputs());
    std::printf("Initial delay:  %d frames\n", int(effect.initialDelay));
    std::printf("Tail size:      %ld frames\n", long(plugin.dispatch(vst::effGetTailSize)));
    std::printf("Flags:          0x%X %s\n", unsigned(effect.flags), decodeEffectFlags(effect.flags).c_str());
}

void printPrograms(PluginInstance& plugin) {
    std::printf("Programs:       %d\n", plugin.numPrograms());
    std::printf("Current program: %ld %s\n", long(plugin.dispatch(vst::effGetProgram)),
                quoted(plugin.queryString(vst::effGetProgramName)).c_str());
    for (int program = 0; program < plugin.numPrograms() && program < kMaxListedPrograms; ++program)
        std::printf("  program %3d  %s\n", program,
                    quoted(plugin.queryString(vst::effGetProgramNameIndexed, program)).c_str());
}

std::string parameterPropertiesText(PluginInstance& plugin, int index) {
    vst::VstParameterProperties properties{};
    if (plugin.dispatch(vst::effGetParameterProperties, index, 0, &properties) == 0) return "";
    properties.label[sizeof(properties.label) - 1] = '\0';
    std::string text = "  long=" + quoted(properties.label);
    if (properties.flags & vst::kVstParameterIsSwitch) text += " switch";
    if (properties.flags & vst::kVstParameterUsesIntegerMinMax)
        text += " int " + std::to_string(properties.minInteger) + ".." + std::to_string(properties.maxInteger);
    if (properties.flags & vst::kVstParameterUsesIntStep) text += " step " + std::to_string(properties.stepInteger);
    if (properties.flags & vst::kVstParameterCanRamp) text += " ramp";
    return text;
}

void printParameters(PluginInstance& plugin) {
    std::printf("Parameters:     %d\n", plugin.numParams());
    for (int index = 0; index < plugin.numParams(); ++index) {
        std::string name = plugin.queryString(vst::effGetParamName, index);
        std::string display = plugin.queryString(vst::effGetParamDisplay, index);
        std::string label = plugin.queryString(vst::effGetParamLabel, index);
        bool automatable = plugin.dispatch(vst::effCanBeAutomated, index) != 0;
        std::printf("  param %3d  %-20s value=%.6f display=%s label=%s%s%s\n", index, quoted(name).c_str(),
                    double(plugin.getParameter(index)), quoted(display).c_str(), quoted(label).c_str(),
                    automatable ? "" : " not-automatable", parameterPropertiesText(plugin, index).c_str());
    }
}

void printCanDos(PluginInstance& plugin) {
    std::printf("Can do:\n");
    for (const char* text : kStandardCanDos) {
        vst::VstIntPtr answer = plugin.canDo(text);
        std::printf("  %-20s %s (%ld)\n", text, canDoText(answer), long(answer));
    }
}

std::string pinFlagsText(vst::VstInt32 flags) {
    std::string text;
    if (flags & vst::kVstPinIsActive) text += " active";
    if (flags & vst::kVstPinIsStereo) text += " stereo";
    if (flags & vst::kVstPinUseSpeaker) text += " speaker";
    return text.empty() ? " none" : text;
}

void printPins(PluginInstance& plugin, const char* title, vst::VstInt32 opcode, int count) {
    std::printf("%s:\n", title);
    for (int pin = 0; pin < count; ++pin) {
        vst::VstPinProperties properties{};
        if (plugin.dispatch(opcode, pin, 0, &properties) == 0) {
            std::printf("  pin %d  (no properties)\n", pin);
            continue;
        }
        properties.label[sizeof(properties.label) - 1] = '\0';
        std::string shortLabel(properties.shortLabel, strnlen(properties.shortLabel, sizeof(properties.shortLabel)));
        std::printf("  pin %d  label=%s short=%s flags=0x%X%s arrangement=%d\n", pin, quoted(properties.label).c_str(),
                    quoted(shortLabel).c_str(), unsigned(properties.flags), pinFlagsText(properties.flags).c_str(),
                    int(properties.arrangementType));
    }
}

// What the plug-in told the host while being created and queried.
void printHostCalls() {
    const HostState& state = hostState();
    std::printf("Host calls:     automate=%d beginEdit=%d endEdit=%d updateDisplay=%d sizeWindow=%d ioChanged=%d\n",
                state.automateCount, state.beginEditCount, state.endEditCount, state.updateDisplayCount,
                state.sizeWindowCount, state.ioChangedCount);
    std::printf("Host canDo asked:");
    for (const std::string& text : state.canDoQueries) std::printf(" \"%s\"", text.c_str());
    std::printf("%s\n", state.canDoQueries.empty() ? " none" : "");
}

int runInfo(const ArgList& args) {
    ParsedArgs parsed = parseArgs(
        args, {{"rate", true}, {"block", true}, {"load-chunk", true}, {"program-chunk", false}, {"set", true}});
    requirePositional(parsed, 1, "info PLUGIN [options]");
    float rateHz = parseSampleRate(parsed.value("rate", "44100"));
    int blockFrames = parseBlockSize(parsed.value("block", "512"));
    std::vector<ParamAssignment> settings = parseAssignments(parsed.values("set"));
    PluginInstance plugin(parsed.positional[0], rateHz, blockFrames);
    if (parsed.has("load-chunk"))
        plugin.setChunk(readBinaryFile(parsed.value("load-chunk")), !parsed.has("program-chunk"));
    plugin.applyParameters(settings);
    printIdentity(plugin);
    printPrograms(plugin);
    printParameters(plugin);
    printCanDos(plugin);
    printPins(plugin, "Input pins", vst::effGetInputProperties, plugin.numInputs());
    printPins(plugin, "Output pins", vst::effGetOutputProperties, plugin.numOutputs());
    printHostCalls();
    return kExitOk;
}

}  // namespace

SOLVA_HOST_COMMAND(info, "show a plug-in's names, IDs, pins, parameters and capabilities",
                   "info PLUGIN [options]\n\n"
                   "  --rate R           sample rate told to the plug-in before the queries (default 44100)\n"
                   "  --block N          block size told to the plug-in (default 512)\n"
                   "  --load-chunk F     hand the bytes of F to the plug-in (effSetChunk) first\n"
                   "  --program-chunk    use the program chunk instead of the bank chunk\n"
                   "  --set INDEX=VALUE  set a parameter (normalised 0..1) before the queries; repeatable",
                   runInfo);

}  // namespace solvahost
