#include "storage/preset_library.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "storage/preset_store.h"
#include "storage/record_format.h"

namespace solva {

namespace {

// Highest number a scan visits: far above anything NextFreePresetNumber
// hands out in practice, it only bounds a scan of a hostile directory.
constexpr int kMaxScannedNumber = 99999;

const char* textKey(const PresetInfo& info, int mode) {
    switch (mode) {
        case kSortByBank: return info.bankName;
        case kSortByAuthor: return info.author;
        case kSortByProject: return info.project;
        default: return info.presetName;
    }
}

// Byte-wise (unsigned) comparison of two 32-byte name fields.
int compareField(const char* a, const char* b) { return std::strncmp(a, b, 32); }

bool lessByName(const PresetInfo& a, const PresetInfo& b) { return compareField(a.presetName, b.presetName) < 0; }

}  // namespace

void groupKeyText(const PresetInfo& info, int mode, char* out32) {
    if (mode == kSortByBandCount) std::snprintf(out32, 32, "%.2d", int(info.bandCount));
    else if (mode == kSortFlat) copyToField(out32, 32, "All");
    else copyToField(out32, 32, textKey(info, mode));
}

void PresetLibrary::ScanLibrary(const PresetStore& store) {
    byNumber_.clear();
    if (store.usable()) {
        // Factory numbers run from 0 without holes and user numbers from 501;
        // a removed preset keeps its number with the removal marker. So the
        // first missing number below 501 moves the scan to 501, and the
        // first missing number from 501 on ends it.
        for (int number = 0; number <= kMaxScannedNumber; ++number) {
            PresetInfo info;
            const int result = store.LoadPresetInfo(number, info);
            if (result == kInfoLoaded) {
                byNumber_[number] = info;
            } else if (result == kInfoMissing) {
                if (number >= kFirstUserPreset) break;
                number = kFirstUserPreset - 1;
            }
        }
    }
    presetCount_ = int(byNumber_.size());
    if (presetCount_ > 0) {
        rebuildViewFromMap();
    } else {
        view_.clear();
        groups_.clear();
        groupCount_ = currentGroup_ = currentPosition_ = -1;
    }
}

void PresetLibrary::rebuildViewFromMap() {
    view_.clear();
    for (const auto& [number, info] : byNumber_)
        if (showFactory_ || info.factory == 0) view_.push_back(info);
    RebuildView();
}

void PresetLibrary::RebuildView() {
    groups_.clear();
    if (view_.empty()) {
        groupCount_ = currentGroup_ = currentPosition_ = -1;
        viewEmptied_ = true;
        return;
    }
    const int mode = sortMode_;
    if (mode == kSortFlat) {
        std::sort(view_.begin(), view_.end(), lessByName);
        groupCount_ = 0;
        return;
    }
    if (mode == kSortByBandCount) {
        std::sort(view_.begin(), view_.end(),
                  [](const PresetInfo& a, const PresetInfo& b) { return a.bandCount < b.bandCount; });
    } else {
        std::sort(view_.begin(), view_.end(), [mode](const PresetInfo& a, const PresetInfo& b) {
            return compareField(textKey(a, mode), textKey(b, mode)) < 0;
        });
    }
    char runKey[32], key[32];
    int runStart = 0;
    groupKeyText(view_[0], mode, runKey);
    const int size = int(view_.size());
    for (int i = 1; i <= size; ++i) {
        if (i < size) {
            groupKeyText(view_[i], mode, key);
            if (std::strcmp(key, runKey) == 0) continue;
        }
        std::sort(view_.begin() + runStart, view_.begin() + i, lessByName);
        const int group = int(groups_.size());
        groups_[group] = GroupRange{runStart, i - 1, i - runStart};
        runStart = i;
        if (i < size) std::memcpy(runKey, key, sizeof key);
    }
    groupCount_ = int(groups_.size());
}

void PresetLibrary::SelectPresetByNumber(int number) {
    currentGroup_ = currentPosition_ = 0;
    if (number < 0) {
        if (groupCount_ < 0) currentGroup_ = currentPosition_ = -1;
        return;
    }
    if (groupCount_ == 0) {
        for (int i = 0; i < int(view_.size()); ++i) {
            if (view_[i].number == number) {
                currentPosition_ = i;
                return;
            }
        }
        return;
    }
    for (const auto& [group, range] : groups_) {
        for (int i = range.first; i <= range.last; ++i) {
            if (view_[i].number == number) {
                currentGroup_ = group;
                currentPosition_ = i - range.first;
                return;
            }
        }
    }
}

int PresetLibrary::NextFreePresetNumber() const {
    if (presetCount_ < 1 && byNumber_.empty()) return kFirstUserPreset;
    int previous = kFirstUserPreset - 1;
    int last = -1;
    for (const auto& entry : byNumber_) {
        const int number = entry.first;
        last = number;
        if (number < kFirstUserPreset) continue;
        if (number != previous + 1 && number - 1 >= kFirstUserPreset) return number - 1;
        previous = number;
    }
    return std::max(last + 1, kFirstUserPreset);
}

void PresetLibrary::addRecord(const PresetInfo& info) {
    byNumber_[info.number] = info;
    presetCount_ = int(byNumber_.size());
    if (showFactory_ || info.factory == 0) {
        for (PresetInfo& entry : view_) {
            if (entry.number == info.number) {
                entry = info;
                return;
            }
        }
        view_.push_back(info);
    }
}

bool PresetLibrary::groupRange(int group, GroupRange& range) const {
    if (group < 0 || view_.empty()) return false;
    if (groupCount_ == 0) {
        range = GroupRange{0, int(view_.size()) - 1, int(view_.size())};
        return true;
    }
    const auto it = groups_.find(group);
    if (it == groups_.end()) return false;
    range = it->second;
    return true;
}

const PresetInfo* PresetLibrary::entryAt(int group, int position) const {
    GroupRange range;
    if (position < 0 || presetCount_ < 1 || !groupRange(group, range)) return nullptr;
    if (position >= range.count) return nullptr;
    return &view_[range.first + position];
}

int PresetLibrary::PresetNumberAt(int group, int position) const {
    const PresetInfo* entry = entryAt(group, position);
    return entry ? entry->number : -1;
}

int PresetLibrary::getGroupSize(int group) const {
    if (groupCount_ == 0) return int(view_.size());
    GroupRange range;
    return groupRange(group, range) ? range.count : 0;
}

void PresetLibrary::getGroupLabel(int group, char* text) const {
    GroupRange range;
    if (view_.empty() || !groupRange(group, range)) {
        copyToField(text, 32, "-");
        return;
    }
    groupKeyText(view_[range.first], sortMode_, text);
}

int PresetLibrary::BankNameExists(const char* name) const {
    for (const auto& entry : groups_)
        if (compareField(view_[entry.second.first].bankName, name) == 0) return 1;
    return 0;
}

}  // namespace solva
