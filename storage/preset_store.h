// The preset store on disk: one flat base directory holding, per preset,
// "presetNNNN.prt" (settings records) and "presetNNNN.inf" (information
// records or the removal marker), plus "InitSettings", "options" and the
// change notice "Modif". Factory presets are numbered from 0, user presets
// from 501. UI thread; nothing is locked (the change notice is the only
// coordination between instances, in one process or several).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "params/preset_info.h"

namespace solva {

constexpr int kFirstUserPreset = 501;

// Results of LoadPresetInfo.
enum : int { kInfoLoaded = 0, kInfoMissing = 1, kInfoRemoved = 2 };
// Results of ReadInfoRecord.
enum : int { kRecordEnd = -1, kRecordOther = 0, kRecordNumberDiffers = 1, kRecordBegin = 2, kRecordFinish = 3 };

// The defaults of a record before its file is read: name "PresetDefault",
// bank "BankDefault", author "Marwen", project "Test", dates "-", integers
// 0, and the given number.
PresetInfo defaultPresetInfo(int32_t number);

// Reads one information record into `info` (see the result enum): text keys
// fill their field (cut to it), "NBR_BANDES", "USINE", "LEFT-RIGHT" their
// integer; "NUMERO_PRESET" is read but the record keeps its number.
int ReadInfoRecord(std::FILE* file, PresetInfo& info);

// Writes the ten information records of `info`.
void writeInfoRecords(std::FILE* file, const PresetInfo& info);

// Today's local date as "%.2d/%.2d/%.4d" (day, month, year).
void todayText(char* out16);

class PresetStore {
public:
    PresetStore() = default;
    PresetStore(std::string baseDirectory, int32_t instanceId)
        : base_(std::move(baseDirectory)), instanceId_(instanceId) {}

    const std::string& baseDirectory() const { return base_; }
    void setBaseDirectory(std::string path) { base_ = std::move(path); }
    int32_t instanceId() const { return instanceId_; }
    void setInstanceId(int32_t id) { instanceId_ = id; }
    // False when the base directory is over 200 characters: every
    // operation then does nothing (and fails where it has a result).
    // An empty base directory (no install directory found) is unusable too.
    bool usable() const;

    std::string filePath(const char* name) const;
    std::string settingsPath(int number) const;  // presetNNNN.prt
    std::string infoPath(int number) const;      // presetNNNN.inf

    // 0 loaded, 1 no information file, 2 removed or unusable (an unusable
    // file is replaced by the removal marker and deleted).
    int LoadPresetInfo(int number, PresetInfo& info) const;
    // Writes the record's information file with today's modification date
    // (stored back into `info`) and notifies other instances. 0 on
    // success, 1 when the file cannot be created.
    int WritePresetInfo(PresetInfo& info) const;
    // Marks a preset removed: its information file becomes "!removed#"
    // and its settings file is deleted.
    void removePresetFiles(int number) const;
    // Overwrites the information file with the removal marker and deletes it.
    void discardInfoFile(int number) const;
    // Copies both files of `source` to `target` when all four files open.
    // Returns true when copied.
    bool copyPresetFiles(int source, int target) const;

    // Change notice.
    void NotifyLibraryChanged() const;
    // 1 when another instance changed the library since this one last
    // took note, else 0.
    int CheckLibraryChanged() const;
    // Construction: a notice left over from an earlier session is removed.
    void clearStaleNotice() const;

private:
    std::string base_;
    int32_t instanceId_ = 0;
};

// Writes the removal marker "!removed#" as the whole content of `path`.
void writeRemovalMarker(const std::string& path);
// Appends the bytes of `source` to `target` in blocks of 256 bytes.
void copyFileBytes(std::FILE* source, std::FILE* target);

// Draws this instance's identifier: waits for the millisecond clock to move
// on (at most 100000 polls), then the next value of the classic runtime
// generator (state * 214013 + 2531011, bits 16..30) plus the low 16 bits of
// the first clock reading.
int32_t drawEffectInstanceId();

}  // namespace solva
