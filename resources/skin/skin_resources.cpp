#include "resources/skin/skin_resources.h"

#include "skin_blob.h"

namespace solva {

const unsigned char* solvaSkinResource(int id, std::size_t* sizeOut) {
    for (std::size_t i = 0; i < skin_blob::kEntryCount; ++i) {
        const skin_blob::Entry& e = skin_blob::kEntries[i];
        if (e.id == id) {
            if (sizeOut) *sizeOut = static_cast<std::size_t>(e.end - e.begin);
            return e.begin;
        }
    }
    if (sizeOut) *sizeOut = 0;
    return nullptr;
}

}  // namespace solva
