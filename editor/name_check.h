// The check every name typed into the editor passes: at least one
// character, fewer than `limit`, and only A-Z, a-z, 0-9, blank and
// _ ( ) + - / &. Names that fail are ignored without a message.
#pragma once

#include <cstddef>

namespace solva {

constexpr std::size_t kNameLimit = 32;      // bank, preset, author, project
constexpr std::size_t kBandNameLimit = 24;  // band names

bool isValidEditorName(const char* text, std::size_t limit);

}  // namespace solva
