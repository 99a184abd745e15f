// Updates the effect sends its editor from a thread other than the
// editor's: hosts play automation through setParameter on their audio
// thread, and the controls (strings, bitmaps, dirty flags) belong to the UI
// thread. Each tag has a slot for a value and one for an image variant;
// the newest post wins, and the editor applies what is pending at its next
// idle. Posting takes no lock and allocates nothing.
#pragma once

#include <atomic>
#include <cstdint>

namespace solva {

class DeferredUpdates {
public:
    static constexpr int kTags = 128;  // the editor's tags are 0..115

    // False when the tag has no slot (the update is then dropped).
    bool postValue(int tag, float value) {
        if (tag < 0 || tag >= kTags) return false;
        values_[tag].store(value, std::memory_order_relaxed);
        pending_[tag].fetch_or(kValue, std::memory_order_release);
        any_.store(1, std::memory_order_release);
        return true;
    }
    bool postImage(int tag, int variant) {
        if (tag < 0 || tag >= kTags) return false;
        images_[tag].store(variant, std::memory_order_relaxed);
        pending_[tag].fetch_or(kImage, std::memory_order_release);
        any_.store(1, std::memory_order_release);
        return true;
    }

    // An update made on the editor's thread supersedes what was posted
    // before it for the same tag.
    void supersedeValue(int tag) {
        if (tag >= 0 && tag < kTags) pending_[tag].fetch_and(uint8_t(~kValue), std::memory_order_relaxed);
    }
    void supersedeImage(int tag) {
        if (tag >= 0 && tag < kTags) pending_[tag].fetch_and(uint8_t(~kImage), std::memory_order_relaxed);
    }

    // Hands every pending update to onValue(tag, value) and
    // onImage(tag, variant), on the editor's thread.
    template <class OnValue, class OnImage>
    void drain(OnValue&& onValue, OnImage&& onImage) {
        if (!any_.exchange(0, std::memory_order_acquire)) return;
        for (int tag = 0; tag < kTags; ++tag) {
            if (pending_[tag].load(std::memory_order_relaxed) == 0) continue;
            const uint8_t what = pending_[tag].exchange(0, std::memory_order_acquire);
            if (what & kValue) onValue(tag, values_[tag].load(std::memory_order_relaxed));
            if (what & kImage) onImage(tag, images_[tag].load(std::memory_order_relaxed));
        }
    }

    // Forgets everything pending (a window that opens reads every value
    // afresh).
    void clear() {
        drain([](int, float) {}, [](int, int) {});
    }

private:
    static constexpr uint8_t kValue = 1, kImage = 2;
    std::atomic<float> values_[kTags] = {};
    std::atomic<int> images_[kTags] = {};
    std::atomic<uint8_t> pending_[kTags] = {};
    std::atomic<int> any_{0};
};

}  // namespace solva
