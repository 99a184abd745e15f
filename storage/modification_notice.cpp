// The change notice "Modif": the instance that changed the library writes
// its number as modifier; every instance that polls appends its own number
// once; the first instance that finds its own number already listed
// removes the notice.
#include <chrono>
#include <cstring>

#include "storage/preset_store.h"
#include "storage/record_format.h"

namespace solva {

namespace {
const char kNoticeName[] = "Modif";

int64_t millisecondClock() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// The runtime's classic generator, one state per process.
int nextRandom() {
    static uint32_t state = 1;
    state = state * 214013u + 2531011u;
    return int((state >> 16) & 0x7FFF);
}
}  // namespace

int32_t drawEffectInstanceId() {
    const int64_t first = millisecondClock();
    for (int poll = 0; poll < 100000 && millisecondClock() == first; ++poll) {
    }
    const int64_t sum = int64_t(nextRandom()) + (first & 0xFFFF);
    return sum < 0 ? 0 : int32_t(sum);
}

void PresetStore::NotifyLibraryChanged() const {
    if (!usable()) return;
    if (std::FILE* f = std::fopen(filePath(kNoticeName).c_str(), "wb")) {
        std::fprintf(f, "!NUM_INSTANCE_MOD#%.6d#\n", int(instanceId_));
        std::fclose(f);
    }
}

void PresetStore::clearStaleNotice() const {
    if (!usable()) return;
    const std::string path = filePath(kNoticeName);
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        std::fclose(f);
        writeRemovalMarker(path);
        std::remove(path.c_str());
    }
}

int PresetStore::CheckLibraryChanged() const {
    if (!usable()) return 0;
    const std::string path = filePath(kNoticeName);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return 0;
    char token[kTokenBufferSize];
    int end = ReadToken(f, token);
    if (std::strcmp(token, "removed") == 0) {
        std::fclose(f);
        std::remove(path.c_str());
        return 0;
    }
    bool seen = false, mine = false;
    // The first token is a key like any other: walk key/value pairs.
    while (token[0] != 0) {
        const bool isSeen = std::strcmp(token, "NUM_INSTANCE") == 0;
        const bool isMod = std::strcmp(token, "NUM_INSTANCE_MOD") == 0;
        if (end) break;
        if (isSeen || isMod) {
            char value[kTokenBufferSize];
            end = ReadToken(f, value);
            if (parseLeadingInt(value) == instanceId_ && value[0] != 0) (isSeen ? seen : mine) = true;
            if (end) break;
        }
        end = ReadToken(f, token);
    }
    std::fclose(f);
    if (seen) {
        writeRemovalMarker(path);
        std::remove(path.c_str());
        return 0;
    }
    std::FILE* append = std::fopen(path.c_str(), "ab");
    if (!append) return 0;
    std::fprintf(append, "!NUM_INSTANCE#%d#\n", int(instanceId_));
    std::fclose(append);
    return mine ? 0 : 1;
}

}  // namespace solva
