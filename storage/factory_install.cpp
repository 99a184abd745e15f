// Writing the built-in factory library into the base directory, so that a
// fresh installation has its presets without any setup.
#include <cstdio>
#include <cstring>
#include <string>

#include "storage/factory_presets.h"
#include "storage/preset_storage.h"

namespace solva {

namespace {

const FactoryPresetFile* findFile(const FactoryPresetFile* files, std::size_t count, const std::string& name) {
    for (std::size_t i = 0; i < count; ++i)
        if (name == files[i].name) return &files[i];
    return nullptr;
}

bool writeBytes(const std::string& path, const FactoryPresetFile& file) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    const bool ok = std::fwrite(file.bytes, 1, file.size, out) == file.size;
    return std::fclose(out) == 0 && ok;
}

bool exists(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f) std::fclose(f);
    return f != nullptr;
}

}  // namespace

int PresetStorage::installFactoryPresets() {
    if (!store_.usable()) return 0;
    std::size_t count = 0;
    const FactoryPresetFile* files = factoryPresetFiles(&count);
    int written = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string name = files[i].name;
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".inf") != 0) continue;
        // A preset whose information file exists (even as removed) is left alone.
        if (exists(store_.baseDirectory() + name)) continue;
        const std::string settingsName = name.substr(0, name.size() - 4) + ".prt";
        const FactoryPresetFile* settings = findFile(files, count, settingsName);
        // Settings first: an information file never points at missing settings.
        if (settings && !writeBytes(store_.baseDirectory() + settingsName, *settings)) continue;
        if (writeBytes(store_.baseDirectory() + name, files[i])) ++written;
    }
    return written;
}

}  // namespace solva
