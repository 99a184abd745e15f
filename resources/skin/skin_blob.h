// Table of the embedded bitmaps, defined by the source that CMake generates
// from the committed <id>.bmp files (skin_blob.cpp in the build directory).
#pragma once

#include <cstddef>

namespace solva {
namespace skin_blob {

struct Entry {
    int id;
    const unsigned char* begin;
    const unsigned char* end;
};

extern const Entry kEntries[];
extern const std::size_t kEntryCount;

}  // namespace skin_blob
}  // namespace solva
