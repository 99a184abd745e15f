// The preset library as the plug-in keeps it on disk, opened by the tool
// with the plug-in's own storage code: listing presets, building the
// settings block of a preset (handed to Solva as its chunk), exporting and
// importing banks.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "params/settings_block.h"

namespace solva {
class PresetStorage;
}

namespace solvahost {

class LibrarySession {
public:
    // Opens the library in `directory`, or where the plug-in looks when it
    // is empty; writes the factory presets when they are missing. Throws
    // HostError when the directory cannot be used.
    explicit LibrarySession(const std::string& directory);
    ~LibrarySession();
    LibrarySession(const LibrarySession&) = delete;
    LibrarySession& operator=(const LibrarySession&) = delete;

    const std::string& directory() const { return directory_; }

    struct Entry {
        int number;
        std::string bank, name, author, project;
        bool factory;
        int bandCount;
    };
    // Every preset of the library, in bank order then by name.
    std::vector<Entry> entries() const;

    // Preset number for "NUMBER", "NAME" or "BANK/NAME"; throws UsageError
    // when none or several presets match.
    int findPreset(const std::string& key) const;

    // The settings block of a fresh instance with `number` loaded into slot
    // A: what the plug-in holds after loading that preset.
    std::vector<uint8_t> blockWithPreset(int number);

    // Writes the bank named `bank` to a ".solva" file; throws on failure.
    void exportBank(const std::string& bank, const std::string& path);
    // Imports a ".solva" file as a new bank; returns the bank's name.
    std::string importBank(const std::string& path);

private:
    class ToolHost;
    std::unique_ptr<ToolHost> host_;
    std::unique_ptr<solva::SettingsBlock> block_;
    std::unique_ptr<solva::PresetStorage> storage_;
    std::string directory_;
};

}  // namespace solvahost
