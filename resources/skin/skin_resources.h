// Access to the editor's skin bitmaps embedded in the plug-in library.
#pragma once

#include <cstddef>

namespace solva {

// Bytes of the skin bitmap with resource id `id`: a complete 24-bit BMP
// file (file header, BITMAPINFOHEADER, bottom-up rows padded to 4 bytes;
// pure green (0, 255, 0) is the transparent colour). Returns nullptr for an
// id that is not part of the skin. When sizeOut is not null it receives the
// byte count (0 for an unknown id). The bytes are read-only and live for the
// whole program; any thread may call this.
const unsigned char* solvaSkinResource(int id, std::size_t* sizeOut);

}  // namespace solva
