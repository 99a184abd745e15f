// The factory library built into the plug-in: the exact bytes of every
// presetNNNN.prt and presetNNNN.inf file of resources/presets.
#pragma once

#include <cstddef>

namespace solva {

struct FactoryPresetFile {
    const char* name;            // "preset0000.prt" ...
    const unsigned char* bytes;
    std::size_t size;
};

// The files in name order; *count receives their number.
const FactoryPresetFile* factoryPresetFiles(std::size_t* count);

}  // namespace solva
