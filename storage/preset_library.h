// PresetLibrary: the in-memory preset library of one effect instance,
// built from the information files. Every preset by number, a sorted and
// grouped view for the editor's preset browser, and the current group and
// position. UI thread only.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "params/preset_info.h"

namespace solva {

class PresetStore;

// Grouping of the view: by bank, author, project, band count, or one list.
enum SortMode : int { kSortByBank = 0, kSortByAuthor = 1, kSortByProject = 2, kSortByBandCount = 3, kSortFlat = 4 };

struct GroupRange {
    int first;  // view index of the group's first entry
    int last;   // view index of its last entry
    int count;
};

class PresetLibrary {
public:
    // Rebuilds the by-number map from the information files, then the view.
    void ScanLibrary(const PresetStore& store);
    // Appends the shown map entries in number order, then RebuildView.
    void rebuildViewFromMap();
    // Sorts and groups the view for the sort mode. An empty view leaves no
    // groups and no current entry, and raises the view-emptied note.
    void RebuildView();
    // True (once) when a RebuildView found the view empty: the owner then
    // clears the current slot's preset information.
    bool takeViewEmptied() {
        const bool was = viewEmptied_;
        viewEmptied_ = false;
        return was;
    }
    // Current group and position of `number` in the view (0, 0 when absent).
    void SelectPresetByNumber(int number);
    // Number the next new user preset gets: 501 upwards, filling a gap
    // from its top.
    int NextFreePresetNumber() const;
    // Adds or replaces a record in the map and appends it to the view
    // (when shown); the view is not re-sorted.
    void addRecord(const PresetInfo& info);
    // Applies `change` to the map entry and every view copy of `number`.
    template <typename Change>
    void updateRecord(int number, Change change) {
        auto it = byNumber_.find(number);
        if (it != byNumber_.end()) change(it->second);
        for (PresetInfo& entry : view_)
            if (entry.number == number) change(entry);
    }

    // Number of the view entry, -1 when an index is negative, out of range
    // or the library is empty.
    int PresetNumberAt(int group, int position) const;
    // View entry at (group, position), nullptr when there is none.
    const PresetInfo* entryAt(int group, int position) const;
    // Size of a group; in the flat mode the whole view.
    int getGroupSize(int group) const;
    // Label of a group as the sort mode defines it; "-" when empty.
    void getGroupLabel(int group, char* text) const;
    // 1 when the first entry of some group carries that bank name.
    int BankNameExists(const char* name) const;
    // View index range of a group ({0, size-1} in the flat mode); false when
    // the group does not exist.
    bool groupRange(int group, GroupRange& range) const;

    int presetCount() const { return presetCount_; }
    int groupCount() const { return groupCount_; }
    int currentGroup() const { return currentGroup_; }
    int currentPosition() const { return currentPosition_; }
    int sortMode() const { return sortMode_; }
    bool factoryShown() const { return showFactory_; }
    bool newPresetRequest() const { return newPresetRequest_; }

    void setCurrent(int group, int position) {
        currentGroup_ = group;
        currentPosition_ = position;
    }
    void setSortMode(int mode) {
        if (mode >= kSortByBank && mode <= kSortFlat) sortMode_ = mode;
    }
    void setFactoryShown(bool shown) { showFactory_ = shown; }
    void setNewPresetRequest(bool on) { newPresetRequest_ = on; }

    const std::map<int32_t, PresetInfo>& byNumber() const { return byNumber_; }
    const std::vector<PresetInfo>& view() const { return view_; }

private:
    std::map<int32_t, PresetInfo> byNumber_;
    std::vector<PresetInfo> view_;
    std::map<int, GroupRange> groups_;
    int presetCount_ = 0;
    int groupCount_ = -1;
    int currentGroup_ = -1;
    int currentPosition_ = -1;
    int sortMode_ = kSortByBank;
    bool showFactory_ = true;
    bool newPresetRequest_ = false;
    bool viewEmptied_ = false;
};

// Group key text of an entry for a sort mode ("%.2d" of the band count in
// mode 3, "All" in the flat mode).
void groupKeyText(const PresetInfo& info, int mode, char* out32);

}  // namespace solva
