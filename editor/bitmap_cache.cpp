#include "editor/bitmap_cache.h"

#include <map>

#include "gui/cbitmap.h"
#include "resources/skin/skin_resources.h"

namespace solva {

namespace {

struct CacheState {
    std::map<long, VSTGUI::CBitmap*> bitmaps;
    int editors = 0;
    std::size_t loads = 0;
    bool providerInstalled = false;
};

CacheState& state() {
    static CacheState s;
    return s;
}

void releaseAll() {
    for (auto& entry : state().bitmaps)
        if (entry.second) entry.second->forget();
    state().bitmaps.clear();
}

}  // namespace

void BitmapCache::installSkinProvider() {
    if (state().providerInstalled) return;
    state().providerInstalled = true;
    VSTGUI::setBitmapResourceProvider([](long id, std::size_t* size) -> const unsigned char* {
        return solvaSkinResource(static_cast<int>(id), size);
    });
}

VSTGUI::CBitmap* BitmapCache::get(long resourceId) {
    auto& bitmaps = state().bitmaps;
    auto it = bitmaps.find(resourceId);
    if (it != bitmaps.end()) return it->second;
    installSkinProvider();
    auto* bitmap = new VSTGUI::CBitmap(resourceId);
    ++state().loads;
    if (!bitmap->isLoaded()) {
        bitmap->forget();
        bitmap = nullptr;
    } else {
        // Every skin bitmap keys out pure green, but only where the view
        // asks for it (controls do, backgrounds and panels are opaque).
        bitmap->setTransparentColor(VSTGUI::kColorKeyGreen);
        bitmap->setTransparencyEnabled(false);
    }
    bitmaps[resourceId] = bitmap;
    return bitmap;
}

void BitmapCache::addEditor() { ++state().editors; }

void BitmapCache::removeEditor() {
    if (state().editors > 0 && --state().editors == 0) releaseAll();
}

int BitmapCache::editorCount() { return state().editors; }
std::size_t BitmapCache::size() { return state().bitmaps.size(); }
std::size_t BitmapCache::loadCount() { return state().loads; }

}  // namespace solva
