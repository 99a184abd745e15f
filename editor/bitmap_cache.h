// The editor-wide bitmap cache shared by every editor of the process: a
// bitmap is loaded from the skin the first time any code asks for its
// resource id and then shared. Editors register themselves; when the last
// one goes, the whole cache is released. UI thread only.
#pragma once

#include <cstddef>

namespace VSTGUI {
class CBitmap;
}

namespace solva {

class BitmapCache {
public:
    // The shared bitmap for `resourceId` (the cache keeps one reference;
    // views that use it remember it). Null when the skin has no such id.
    static VSTGUI::CBitmap* get(long resourceId);
    // Editor instance counting: the cache is emptied when the count drops
    // to zero.
    static void addEditor();
    static void removeEditor();
    static int editorCount();
    // Number of bitmaps loaded now, and loads since the start (tests).
    static std::size_t size();
    static std::size_t loadCount();
    // Installs the skin as the toolkit's bitmap resource provider.
    static void installSkinProvider();
};

}  // namespace solva
