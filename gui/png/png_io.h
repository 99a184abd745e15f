// PNG files for tests and tools (libpng). Not part of the plug-in.
#pragma once

#include <string>

#include "gui/cpixelbuffer.h"

namespace VSTGUI {

// Writes an opaque 8-bit RGB PNG; false on any failure.
bool writePng(const CPixelBuffer& pixels, const std::string& path);
// Reads any 8-bit PNG (palette, grey and alpha are expanded; alpha is
// dropped); false on failure.
bool readPng(const std::string& path, CPixelBuffer& out);

}  // namespace VSTGUI
