#include "library_session.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>

#include "host_error.h"
#include "storage/install_directory.h"
#include "storage/preset_storage.h"
#include "storage/storage_host.h"

namespace solvahost {

// The storage code's view of "the effect": the tool has no engine and no
// editor; alerts become notes on standard error.
class LibrarySession::ToolHost : public solva::DetachedStorageHost {
public:
    void alert(const char* message) override { std::fprintf(stderr, "solva-host: note: %s\n", message); }
};

LibrarySession::LibrarySession(const std::string& directory)
    : host_(std::make_unique<ToolHost>()),
      block_(std::make_unique<solva::SettingsBlock>()),
      storage_(std::make_unique<solva::PresetStorage>(*host_)) {
    std::string path = directory;
    if (path.empty()) {
        const solva::InstallDirectory found = solva::LookUpInstallDirectory();
        if (found.status != solva::InstallLookup::kFound) throw HostError(solva::installAlertText(found.status));
        path = found.path;
    } else {
        std::error_code error;
        std::filesystem::create_directories(path, error);
        if (!std::filesystem::is_directory(path))
            throw HostError("cannot use '" + directory + "' as the preset directory");
        if (path.back() != solva::pathSeparator()) path += solva::pathSeparator();
    }
    if (!solva::isUsableBaseDirectory(path)) throw HostError("preset directory path longer than 200 characters");
    directory_ = path;
    std::memset(block_.get(), 0, sizeof(solva::SettingsBlock));
    storage_->startWith(path, solva::drawEffectInstanceId());
    storage_->attachBlock(block_.get());
    storage_->installFactoryPresets();
    storage_->loadStartupSettings();
}

LibrarySession::~LibrarySession() = default;

std::vector<LibrarySession::Entry> LibrarySession::entries() const {
    std::vector<Entry> result;
    for (const solva::PresetInfo& info : storage_->library().view())
        result.push_back({info.number, info.bankName, info.presetName, info.author, info.project, info.factory == 1,
                          info.bandCount});
    return result;
}

int LibrarySession::findPreset(const std::string& key) const {
    if (!key.empty() && key.find_first_not_of("0123456789") == std::string::npos) {
        const int number = std::stoi(key);
        if (storage_->library().byNumber().count(number)) return number;
        throw UsageError("no preset number " + key + " in " + directory_);
    }
    const auto slash = key.find('/');
    const std::string bank = slash == std::string::npos ? "" : key.substr(0, slash);
    const std::string name = slash == std::string::npos ? key : key.substr(slash + 1);
    std::set<int> found;
    for (const auto& [number, info] : storage_->library().byNumber())
        if (name == info.presetName && (bank.empty() || bank == info.bankName)) found.insert(number);
    if (found.empty()) throw UsageError("no preset named '" + key + "' in " + directory_);
    if (found.size() > 1) throw UsageError("several presets are named '" + key + "'; use BANK/NAME or the number");
    return *found.begin();
}

std::vector<uint8_t> LibrarySession::blockWithPreset(int number) {
    block_->slotSelector = 0.0f;
    if (storage_->LoadPreset(number) != 0) throw HostError("cannot load preset " + std::to_string(number));
    const auto* bytes = reinterpret_cast<const uint8_t*>(block_.get());
    return std::vector<uint8_t>(bytes, bytes + sizeof(solva::SettingsBlock));
}

void LibrarySession::exportBank(const std::string& bank, const std::string& path) {
    solva::PresetLibrary& library = storage_->library();
    storage_->SetSortMode(solva::kSortByBank);
    for (int group = 0; group < library.groupCount(); ++group) {
        char label[64] = {};
        library.getGroupLabel(group, label);
        if (bank != label) continue;
        library.setCurrent(group, 0);
        if (storage_->ExportBank(path.c_str()) != 0) throw HostError("cannot write '" + path + "'");
        return;
    }
    throw UsageError("no bank named '" + bank + "' in " + directory_);
}

std::string LibrarySession::importBank(const std::string& path) {
    std::set<std::string> before;
    for (const auto& [number, info] : storage_->library().byNumber()) before.insert(info.bankName);
    if (storage_->ImportBank(path.c_str()) != 0) throw HostError("'" + path + "' is not a Solva bank file");
    storage_->ScanLibrary();
    for (const auto& [number, info] : storage_->library().byNumber())
        if (!before.count(info.bankName)) return info.bankName;
    return "";
}

}  // namespace solvahost
