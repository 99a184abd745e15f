// The built plug-in module, loaded the way a host loads it.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>

#include "plugin_test_support.h"

namespace solva::test {
namespace {

using EntryPoint = vst::AEffect* (*)(vst::audioMasterCallback);

class Module : public ::testing::Test {
protected:
    void SetUp() override {
        handle_ = dlopen(SOLVA_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << dlerror();
    }
    void TearDown() override {
        if (handle_) dlclose(handle_);
    }
    EntryPoint entry(const char* name) { return reinterpret_cast<EntryPoint>(dlsym(handle_, name)); }

    void* handle_ = nullptr;
    ScopedInstallDir dir_;
};

TEST_F(Module, ExportsBothEntryPointsToTheSameFunction) {
    EntryPoint vstMain = entry("VSTPluginMain");
    EntryPoint legacy = entry("main");
    ASSERT_NE(vstMain, nullptr);
    ASSERT_NE(legacy, nullptr);
    RecordingHost host;
    for (EntryPoint e : {vstMain, legacy}) {
        vst::AEffect* effect = e(RecordingHost::callback);
        ASSERT_NE(effect, nullptr);
        EXPECT_EQ(effect->magic, vst::kEffectMagic);
        EXPECT_EQ(effect->uniqueID, 0x536C7641);
        effect->dispatcher(effect, vst::effClose, 0, 0, nullptr, 0.0f);
    }
}

TEST_F(Module, HidesEveryOtherSymbol) {
    EXPECT_EQ(dlsym(handle_, "_ZN5solva7CBorvanC1EPFlPN3vst7AEffectEiilPvfEPFNS_12EditorHandleEPS0_E"), nullptr);
    EXPECT_EQ(dlsym(handle_, "createBorvanEditor"), nullptr);
}

TEST_F(Module, RefusesHostsThatDoNotAnswerTheVersion) {
    RecordingHost host;
    host.versionAnswer = 0;
    EXPECT_EQ(entry("VSTPluginMain")(RecordingHost::callback), nullptr);
    EXPECT_EQ(entry("VSTPluginMain")(nullptr), nullptr);
    ASSERT_FALSE(host.calls.empty());
    EXPECT_EQ(host.calls[0].opcode, vst::audioMasterVersion);
}

TEST_F(Module, ProcessesAudioThroughTheAEffect) {
    RecordingHost host;
    vst::AEffect* effect = entry("VSTPluginMain")(RecordingHost::callback);
    ASSERT_NE(effect, nullptr);
    effect->dispatcher(effect, vst::effOpen, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, vst::effSetSampleRate, 0, 0, nullptr, 48000.0f);
    effect->dispatcher(effect, vst::effSetBlockSize, 0, 256, nullptr, 0.0f);
    effect->dispatcher(effect, vst::effMainsChanged, 0, 1, nullptr, 0.0f);
    float l[256], r[256], outL[256], outR[256];
    for (int i = 0; i < 256; ++i) {
        l[i] = 0.5f * float(i % 17) / 17.0f;
        r[i] = -l[i];
    }
    float* in[2] = {l, r};
    float* out[2] = {outL, outR};
    // The general switch of the default settings is off; once the start-up
    // crossfade to "off" has run, the effect is bit-transparent.
    for (int block = 0; block < 100; ++block) effect->processReplacing(effect, in, out, 256);
    effect->processReplacing(effect, in, out, 256);
    EXPECT_EQ(std::memcmp(l, outL, sizeof l), 0);
    EXPECT_EQ(std::memcmp(r, outR, sizeof r), 0);
    effect->dispatcher(effect, vst::effMainsChanged, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, vst::effClose, 0, 0, nullptr, 0.0f);
}

}  // namespace
}  // namespace solva::test
