// Fuzz target: importing an arbitrary file as a bank into a scratch
// library. Whatever the file holds, only numbered preset files appear in the
// base directory and every imported record is a user preset.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "storage/preset_storage.h"
#include "storage/storage_host.h"

namespace {

using QuietHost = solva::DetachedStorageHost;

const std::filesystem::path& scratch() {
    static const std::filesystem::path dir = [] {
        auto p = std::filesystem::temp_directory_path() / ("solva-fuzz-bank-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(p);
        return p;
    }();
    return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    namespace fs = std::filesystem;
    const fs::path base = scratch() / "lib";
    std::error_code ignored;
    fs::remove_all(base, ignored);
    fs::create_directories(base);
    const std::string bankPath = (scratch() / "in.solva").string();
    if (std::FILE* f = std::fopen(bankPath.c_str(), "wb")) {
        if (size) std::fwrite(data, 1, size, f);
        std::fclose(f);
    }

    QuietHost host;
    solva::PresetStorage storage(host);
    storage.startWith(base.string() + "/", 9);
    solva::SettingsBlock block;
    storage.attachBlock(&block);
    storage.loadStartupSettings();
    storage.ImportBank(bankPath.c_str());

    for (const auto& entry : storage.library().byNumber())
        if (entry.first < 501 || entry.second.factory != 0) std::abort();
    for (const auto& file : fs::directory_iterator(base)) {
        const std::string name = file.path().filename().string();
        const bool known = name == "Modif" || (name.rfind("preset", 0) == 0 && name.size() == 14);
        if (!known) std::abort();
    }
    return 0;
}
