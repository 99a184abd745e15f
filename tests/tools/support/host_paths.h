// Paths of the binaries the host tests drive, set by tests/tools/CMakeLists.txt.
#pragma once

namespace solvatest {

constexpr const char* kSolvaPlugin = SOLVA_PLUGIN_PATH;
constexpr const char* kProbePlugin = SOLVA_PROBE_NORMAL;
constexpr const char* kProbeMainEntry = SOLVA_PROBE_MAIN_ENTRY;
constexpr const char* kProbeNullEffect = SOLVA_PROBE_NULL_EFFECT;
constexpr const char* kProbeBadMagic = SOLVA_PROBE_BAD_MAGIC;
constexpr const char* kProbeNoEntry = SOLVA_PROBE_NO_ENTRY;
constexpr const char* kProbeMinimal = SOLVA_PROBE_MINIMAL;

// A third-party VST 2.4 plug-in from Debian's lsp-plugins-vst package.
constexpr const char* kLspParametricEq = "/usr/lib/vst/lsp-plugins/para-equalizer-x16-stereo.so";

}  // namespace solvatest
