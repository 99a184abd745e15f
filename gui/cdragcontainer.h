// File drag and drop into a frame. The platform back end wraps dropped
// files in a CDragContainer and offers it to the view under the pointer;
// CDropTarget is the frame's registration object. No view of this
// product accepts drops, so drops have no effect.
#pragma once

#include <string>
#include <vector>

#include "gui/creferencecounter.h"

namespace VSTGUI {

class CFrame;

class CDragContainer : public CReferenceCounter {
public:
    enum Type { kFile = 0, kText, kUnknown = -1 };

    explicit CDragContainer(std::vector<std::string> paths) : paths_(std::move(paths)) {}
    long getCount() const { return static_cast<long>(paths_.size()); }
    // The item's path, or null past the end; `type` receives its kind.
    const char* getItem(long index, long& type) const;

private:
    std::vector<std::string> paths_;
};

class CDropTarget {
public:
    explicit CDropTarget(CFrame* frame) : frame_(frame) {}
    // Offers dropped files at a frame point; true when a view took them.
    bool drop(const std::vector<std::string>& paths, long x, long y);

private:
    CFrame* frame_;
};

}  // namespace VSTGUI
