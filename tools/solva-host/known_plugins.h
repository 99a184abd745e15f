// What the host knows about particular plug-ins: our own equaliser is
// recognised by its unique ID, and the bench command drives it into a
// typical "all bands working" configuration without being told how.
#pragma once

#include <vector>

#include "cli_args.h"
#include "plugin/vst/vst_abi.h"

namespace solvahost {

constexpr vst::VstInt32 kSolvaUniqueId = vst::fourCC('S', 'l', 'v', 'A');  // 0x536C7641

bool isSolva(const vst::AEffect& effect);

// Solva with every band switched on, the five bells boosting or cutting, the
// air band lifted and the general switch on; empty for any other plug-in.
std::vector<ParamAssignment> defaultBusySettings(const vst::AEffect& effect);

// Solva's parameters that the bench's automated run moves every block: the
// seven band frequencies and the Air level; empty for any other plug-in.
std::vector<int> defaultAutomatedParameters(const vst::AEffect& effect);

}  // namespace solvahost
