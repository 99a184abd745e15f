// Shared set-up for the storage tests: a fresh base directory per test
// (never the user's home), a recording StorageHost, and file helpers.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "params/settings_block.h"
#include "storage/preset_storage.h"
#include "storage/storage_host.h"

namespace solva::test {

inline std::string readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline bool fileExists(const std::string& path) { return std::filesystem::exists(path); }

// A unique empty directory under the system temporary directory, removed
// with the object.
class TempDirectory {
public:
    TempDirectory() {
        static std::atomic<int> counter{0};
        static const unsigned processTag = std::random_device{}();
        const auto base = std::filesystem::temp_directory_path();
        for (;;) {
            path_ = (base / ("solva-storage-" + std::to_string(processTag) + "-" + std::to_string(counter++))).string();
            if (std::filesystem::create_directory(path_)) break;
        }
        path_ += '/';
    }
    ~TempDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

// Records what the storage asks of the effect.
class RecordingHost : public StorageHost {
public:
    void reapplyCurrentSlot(int forcedProgram) override { reapplies.push_back(forcedProgram); }
    int liveOutputCount() override { return outputs; }
    void setMidSideFlag(bool midSide) override { midSideFlag = midSide ? 1 : 0; }
    void updateHostDisplay() override { ++displayUpdates; }
    void editorSetParameter(int tag, float value) override { editorValues.emplace_back(tag, value); }
    void editorRequestRedraw() override { ++redraws; }
    void editorSetChannelMode(int mode) override { channelMode = mode; }
    void alert(const char* message) override { alerts.push_back(message); }

    // Last value the editor received for `tag`, or -99 when none.
    float lastEditorValue(int tag) const {
        for (auto it = editorValues.rbegin(); it != editorValues.rend(); ++it)
            if (it->first == tag) return it->second;
        return -99.0f;
    }

    int outputs = 2;
    int midSideFlag = -1;
    int channelMode = -1;
    int displayUpdates = 0;
    int redraws = 0;
    std::vector<int> reapplies;
    std::vector<std::pair<int, float>> editorValues;
    std::vector<std::string> alerts;
};

// A storage over a temporary base directory with its own settings block.
struct StorageFixture {
    explicit StorageFixture(int32_t instanceId = 17, bool withFactory = false) : storage(host) {
        block = std::make_unique<SettingsBlock>();
        storage.startWith(dir.path(), instanceId);
        if (withFactory) storage.installFactoryPresets();
        storage.attachBlock(block.get());
        storage.loadStartupSettings();
    }
    SettingsSlot& slot() { return currentSlot(*block); }

    TempDirectory dir;
    RecordingHost host;
    std::unique_ptr<SettingsBlock> block;
    PresetStorage storage;
};

// Writes a user preset's two files directly (information records as the
// store writes them, settings from `slot` or none).
void writeUserPreset(const std::string& dir, int number, const char* name, const char* bank,
                     const char* author = "me", const char* project = "p", int bandCount = 0, int factory = 0);

}  // namespace solva::test
