// The effect as a host sees it: AEffect fields and dispatcher answers.
#include <gtest/gtest.h>

#include <cstring>

#include "plugin_test_support.h"

namespace solva::test {
namespace {

using namespace vst;

TEST(AEffectFields, AreThoseOfAStereoChunkedEffect) {
    HostedEffect fx;
    const AEffect& e = *fx.aeffect;
    EXPECT_EQ(e.magic, kEffectMagic);
    EXPECT_EQ(e.numPrograms, 1);
    EXPECT_EQ(e.numParams, 34);
    EXPECT_EQ(e.numInputs, 2);
    EXPECT_EQ(e.numOutputs, 2);
    EXPECT_EQ(e.flags, effFlagsCanReplacing | effFlagsProgramChunks);
    EXPECT_EQ(e.initialDelay, 0);
    EXPECT_FLOAT_EQ(e.ioRatio, 1.0f);
    EXPECT_EQ(e.uniqueID, 0x536C7641);
    EXPECT_EQ(e.version, 1);
    EXPECT_EQ(e.object, static_cast<AudioEffect*>(fx.effect));
    EXPECT_NE(e.processReplacing, nullptr);
    EXPECT_NE(e.processDoubleReplacing, nullptr);
}

TEST(AEffectFields, EditorFlagFollowsAnAttachedEditor) {
    HostedEffect fx(true);
    EXPECT_TRUE(fx.aeffect->flags & effFlagsHasEditor);
}

TEST(AEffectFields, NullHostCallbackKeepsBaseDefaults) {
    ScopedInstallDir dir;
    CBorvan effect(nullptr);
    EXPECT_EQ(effect.getAeffect()->uniqueID, fourCC('N', 'o', 'E', 'f'));
    EXPECT_EQ(effect.getAeffect()->numInputs, 1);
}

TEST(FixedAnswers, IdentifyTheProduct) {
    HostedEffect fx;
    char text[256] = {};
    EXPECT_EQ(fx.dispatch(effGetEffectName, 0, 0, text), 1);
    EXPECT_STREQ(text, "Solva");
    EXPECT_EQ(fx.dispatch(effGetVendorString, 0, 0, text), 1);
    EXPECT_STREQ(text, "Marwen");
    EXPECT_EQ(fx.dispatch(effGetProductString, 0, 0, text), 1);
    EXPECT_STREQ(text, "Marwen Solva ");
    EXPECT_EQ(fx.dispatch(effGetVendorVersion), 1);
    EXPECT_EQ(fx.dispatch(effGetVstVersion), 2400);
    EXPECT_EQ(fx.dispatch(effGetPlugCategory), kPlugCategEffect);
    EXPECT_EQ(fx.dispatch(effGetTailSize), 0);
    EXPECT_EQ(fx.dispatch(effIdentify), fourCC('N', 'v', 'E', 'f'));
}

TEST(FixedAnswers, ParameterTextsAreLeftToTheEditor) {
    HostedEffect fx;
    for (int index : {0, 20, 33}) {
        char text[64] = "x";
        fx.dispatch(effGetParamLabel, index, 0, text);
        EXPECT_STREQ(text, "");
        std::strcpy(text, "x");
        fx.dispatch(effGetParamDisplay, index, 0, text);
        EXPECT_STREQ(text, "");
        EXPECT_EQ(fx.dispatch(effCanBeAutomated, index), 1);
        EXPECT_EQ(fx.dispatch(effString2Parameter, index, 0, text), 0);
    }
    char name[64] = {};
    fx.dispatch(effGetParamName, 0, 0, name);
    EXPECT_STREQ(name, "HPFreq  ");
    fx.dispatch(effGetParamName, 19, 0, name);
    EXPECT_STREQ(name, "AirGain ");
    std::strcpy(name, "untouched");
    fx.dispatch(effGetParamName, 34, 0, name);
    EXPECT_STREQ(name, "untouched");
}

TEST(FixedAnswers, UnsupportedFeaturesAnswerTheirNeutralValues) {
    HostedEffect fx;
    VstPinProperties pin{};
    EXPECT_EQ(fx.dispatch(effGetInputProperties, 0, 0, &pin), 0);
    void* arrangements[2] = {&pin, &pin};
    EXPECT_EQ(fx.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&arrangements[0]),
                          &arrangements[1]),
              0);
    EXPECT_EQ(arrangements[0], nullptr);
    EXPECT_EQ(arrangements[1], nullptr);
    EXPECT_EQ(fx.dispatch(effSetSpeakerArrangement), 0);
    EXPECT_EQ(fx.dispatch(effSetPanLaw), 0);
    EXPECT_EQ(fx.dispatch(effSetProcessPrecision, 0, 1), 0);
    EXPECT_EQ(fx.dispatch(effGetCurrentMidiProgram), -1);
    EXPECT_EQ(fx.dispatch(effGetMidiProgramName), 0);
    EXPECT_EQ(fx.dispatch(effGetNumMidiInputChannels), 0);
    EXPECT_EQ(fx.dispatch(effHasMidiProgramsChanged), 0);
    EXPECT_EQ(fx.dispatch(effBeginSetProgram), 0);
    EXPECT_EQ(fx.dispatch(effStartProcess), 0);
    EXPECT_EQ(fx.dispatch(effSetTotalSampleToProcess, 0, 12345), 12345);
}

TEST(CanDo, AnswersWholeStringsOnly) {
    HostedEffect fx;
    auto canDo = [&](const char* s) { return fx.dispatch(effCanDo, 0, 0, const_cast<char*>(s)); };
    EXPECT_EQ(canDo("receiveVstEvents"), 1);
    EXPECT_EQ(canDo("2in2out"), 1);
    EXPECT_EQ(canDo("1in1out"), 1);
    EXPECT_EQ(canDo("receiveVstMidiEvent"), -1);
    EXPECT_EQ(canDo("2in2out "), -1);
    EXPECT_EQ(canDo("sendVstEvents"), -1);
    EXPECT_EQ(canDo(""), -1);
}

TEST(MainsChanged, ResumeDoesNotAskTheHostForMidi) {
    HostedEffect fx;
    const int before = int(fx.host.calls.size());
    fx.dispatch(effMainsChanged, 0, 1);
    EXPECT_EQ(int(fx.host.calls.size()), before);
}

TEST(Programs, OnlyProgramZeroExists) {
    HostedEffect fx;
    EXPECT_EQ(fx.dispatch(effGetProgram), 0);
    fx.dispatch(effSetProgram, 0, 1);
    EXPECT_EQ(fx.dispatch(effGetProgram), 0);
    char name[64] = {};
    fx.dispatch(effGetProgramName, 0, 0, name);
    EXPECT_EQ(std::string(name).substr(0, 5), "Solva");
    EXPECT_EQ(name[std::strlen(name) - 1], 'A');
    char indexed[64] = {};
    EXPECT_EQ(fx.dispatch(effGetProgramNameIndexed, 0, 0, indexed), 1);
    EXPECT_STREQ(indexed, name);
    EXPECT_EQ(fx.dispatch(effGetProgramNameIndexed, 1, 0, indexed), 0);
    fx.dispatch(effSetProgramName, 0, 0, const_cast<char*>("ignored"));
    fx.dispatch(effGetProgramName, 0, 0, indexed);
    EXPECT_STREQ(indexed, name);
}

TEST(OutputProperties, FollowTheLiveOutputCount) {
    HostedEffect fx;
    VstPinProperties pin{};
    ASSERT_EQ(fx.dispatch(effGetOutputProperties, 1, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Solva 2");
    EXPECT_EQ(pin.flags, kVstPinIsActive | kVstPinIsStereo);
    EXPECT_EQ(fx.dispatch(effGetOutputProperties, 0, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Solva 1");
    EXPECT_EQ(fx.dispatch(effGetOutputProperties, 2, 0, &pin), 0);

    float in[64] = {}, out[64] = {};
    float* inputs[2] = {in, nullptr};
    float* outputs[2] = {out, nullptr};
    fx.aeffect->processReplacing(fx.aeffect, inputs, outputs, 64);
    std::memset(&pin, 0x55, sizeof pin);
    const VstPinProperties before = pin;
    EXPECT_EQ(fx.dispatch(effGetOutputProperties, 1, 0, &pin), 0);
    EXPECT_EQ(std::memcmp(&pin, &before, sizeof pin), 0);
}

TEST(ParameterProperties, NameSwitchesAndStopAt34) {
    HostedEffect fx;
    VstParameterProperties p{};
    ASSERT_EQ(fx.dispatch(effGetParameterProperties, 14, 0, &p), 1);
    EXPECT_STREQ(p.label, "Bell/High Shelf CutOff Frequenc");
    EXPECT_EQ(std::string(p.shortLabel, 8), "B5Freq  ");
    EXPECT_EQ(p.flags, 0);
    VstParameterProperties s{};
    ASSERT_EQ(fx.dispatch(effGetParameterProperties, 22, 0, &s), 1);
    EXPECT_EQ(s.flags, kVstParameterIsSwitch);
    EXPECT_EQ(s.stepInteger, 2);
    EXPECT_STREQ(s.label, "HighPass 6dB/12dB");
    VstParameterProperties none{};
    EXPECT_EQ(fx.dispatch(effGetParameterProperties, 34, 0, &none), 0);
}

TEST(Bypass, MapsOntoTheGeneralSwitch) {
    HostedEffect fx;
    fx.set(33, 1.0f);
    EXPECT_EQ(fx.dispatch(effSetBypass, 0, 1), 1);
    EXPECT_FLOAT_EQ(fx.get(33), 0.0f);
    EXPECT_EQ(fx.dispatch(effSetBypass, 0, 0), 1);
    EXPECT_FLOAT_EQ(fx.get(33), 1.0f);
}

TEST(PrivateOpcodes, NeedAnEditorExceptTheFilterReset) {
    HostedEffect fx;
    EXPECT_EQ(fx.dispatch(-1), 0);
    EXPECT_EQ(fx.dispatch(-2, 10, 20), 0);
    EXPECT_EQ(fx.dispatch(-3, 0, 0, nullptr, 1.0f), 0);
    EXPECT_EQ(fx.dispatch(-4), 0);
    EXPECT_EQ(fx.dispatch(-5), 0);
    EXPECT_EQ(fx.dispatch(-1000), 0);
}

TEST(PrivateOpcodes, ReachTheEditorWhenPresent) {
    HostedEffect fx(true);
    EXPECT_EQ(fx.dispatch(-2, 10, 20), 1);
    EXPECT_EQ(fx.editor()->lastClick, std::make_pair(10, 20));
    EXPECT_EQ(fx.dispatch(-3, 0, 0, nullptr, 2.0f), 1);
    EXPECT_FLOAT_EQ(fx.editor()->lastWheel, 2.0f);
    fx.dispatch(-1);
    EXPECT_EQ(fx.editor()->rectRedraws, 0);  // the frame is not open
    int parent = 0;
    fx.dispatch(effEditOpen, 0, 0, &parent);
    fx.dispatch(-1);
    EXPECT_EQ(fx.editor()->rectRedraws, 1);
}

TEST(VendorSpecific, OnlyTheWheelPairIsHandled) {
    HostedEffect fx(true);
    EXPECT_EQ(fx.dispatch(effVendorSpecific, fourCC('s', 't', 'C', 'A'), fourCC('W', 'h', 'e', 'e'), nullptr, -1.0f),
              1);
    EXPECT_FLOAT_EQ(fx.editor()->lastWheel, -1.0f);
    EXPECT_EQ(fx.dispatch(effVendorSpecific, fourCC('s', 't', 'C', 'A'), 0, nullptr, 1.0f), 0);
    HostedEffect noEditor;
    EXPECT_EQ(noEditor.dispatch(effVendorSpecific, fourCC('s', 't', 'C', 'A'), fourCC('W', 'h', 'e', 'e'), nullptr,
                                1.0f),
              0);
}

TEST(EditorOpcodes, AnswerZeroWithoutEditor) {
    HostedEffect fx;
    ERect* rect = nullptr;
    EXPECT_EQ(fx.dispatch(effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(fx.dispatch(effEditOpen, 0, 0, nullptr), 0);
    EXPECT_EQ(fx.dispatch(effEditIdle), 0);
    EXPECT_EQ(fx.dispatch(effEditKeyDown, 'a', 0), 0);
    EXPECT_EQ(fx.dispatch(effSetEditKnobMode, 0, 2), 0);
}

// A host that passes no pointer where an opcode reads or writes through one
// gets 0, with or without an editor, whatever the index and value; the
// effect still answers properly afterwards.
TEST(NullPointers, EveryOpcodeWithoutAPointerAnswersWithoutCrashing) {
    for (bool withEditor : {false, true}) {
        HostedEffect fx(withEditor);
        for (VstInt32 op = 0; op < 80; ++op) {
            if (op == effClose || op == effEditOpen) continue;
            for (VstIntPtr value : {VstIntPtr(0), VstIntPtr(1), VstIntPtr(-1), VstIntPtr(100000)}) {
                const VstIntPtr answer = fx.dispatch(op, VstInt32(value), value, nullptr, 1.0f);
                if (op == effGetChunk || op == effGetEffectName || op == effGetProgramNameIndexed) {
                    EXPECT_EQ(answer, 0) << op;
                }
            }
        }
        char name[64] = {};
        EXPECT_EQ(fx.dispatch(effGetEffectName, 0, 0, name), 1);
        EXPECT_STREQ(name, "Solva");
    }
}

TEST(Chunks, GetChunkHandsOverTheWholeBlock) {
    HostedEffect fx;
    void* data = nullptr;
    EXPECT_EQ(fx.dispatch(effGetChunk, 0, 0, &data), 1904);
    EXPECT_EQ(data, &fx.effect->settings());
    EXPECT_EQ(fx.dispatch(effSetChunk, 0, 3, data), 1);
}

}  // namespace
}  // namespace solva::test
