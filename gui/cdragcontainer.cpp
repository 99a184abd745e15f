#include "gui/cdragcontainer.h"

#include "gui/cframe.h"

namespace VSTGUI {

const char* CDragContainer::getItem(long index, long& type) const {
    if (index < 0 || index >= getCount()) {
        type = kUnknown;
        return nullptr;
    }
    type = kFile;
    return paths_[static_cast<size_t>(index)].c_str();
}

bool CDropTarget::drop(const std::vector<std::string>& paths, long x, long y) {
    if (!frame_ || paths.empty()) return false;
    CDragContainer* drag = new CDragContainer(paths);
    const bool taken = frame_->onDrop(drag, CPoint(static_cast<CCoord>(x), static_cast<CCoord>(y)));
    drag->forget();
    return taken;
}

}  // namespace VSTGUI
