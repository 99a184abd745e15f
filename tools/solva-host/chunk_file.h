// Whole binary files for --load-chunk / --save-chunk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace solvahost {

// Throws HostError when the file cannot be read.
std::vector<uint8_t> readBinaryFile(const std::string& path);
// Throws HostError when the file cannot be written completely.
void writeBinaryFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace solvahost
