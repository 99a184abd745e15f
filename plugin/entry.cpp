// The plug-in's exported entry points: VSTPluginMain, also exported as
// "main" for hosts that look for the older name.
#include <new>

#include "plugin/borvan.h"
#include "plugin/editor_factory.h"
#include "plugin/module_handle.h"

#if defined(_WIN32)
#include <windows.h>
#define SOLVA_EXPORT extern "C"  // exported through Solva.def
#else
#define SOLVA_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

vst::AEffect* createEffectInstance(vst::audioMasterCallback audioMaster) {
    // A host that does not answer audioMasterVersion is not a VST 2 host.
    if (!audioMaster || audioMaster(nullptr, vst::audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
        return nullptr;
    try {
        auto* effect = new (std::nothrow) solva::CBorvan(audioMaster, &solva::createBorvanEditor);
        return effect ? effect->getAeffect() : nullptr;
    } catch (...) {
        return nullptr;
    }
}

}  // namespace

SOLVA_EXPORT vst::AEffect* VSTPluginMain(vst::audioMasterCallback audioMaster) {
    return createEffectInstance(audioMaster);
}

#if !defined(_WIN32)
// "main" cannot be declared as a C++ function returning a pointer, so the
// second export is the same function under an assembler name. Windows
// builds export the alias through the module definition file instead.
SOLVA_EXPORT vst::AEffect* VSTPluginMainLegacy(vst::audioMasterCallback audioMaster) __asm__("main");
vst::AEffect* VSTPluginMainLegacy(vst::audioMasterCallback audioMaster) {
    return createEffectInstance(audioMaster);
}
#endif

#if defined(_WIN32)
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) solva::setModuleHandle(instance);
    return TRUE;
}
#endif
