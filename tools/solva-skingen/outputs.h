// Generated outputs besides the bitmaps: the id header and the previews.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "file_formats.h"

namespace skingen {

// Flattened pixels of every generated bitmap by id.
using BitmapSet = std::map<int, std::vector<Rgb8>>;

// Text of skin_ids.h: every id with its size and frame count.
std::string skinIdsHeader();

// Contact sheet of all bitmaps (knob strips shown by five frames).
bool writeContactSheet(const BitmapSet& set, const std::string& path);
// Background with every main-window and top-bar control at its default
// frame; withOverlays adds the value strips, name strip and clip panel.
bool writeWindowPreview(const BitmapSet& set, const std::string& path, bool withOverlays);

// Dialogs and panels with their buttons and fields in place.
bool writePanelsPreview(const BitmapSet& set, const std::string& path);

}  // namespace skingen
