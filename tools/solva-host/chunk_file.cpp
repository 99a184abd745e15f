#include "chunk_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "host_error.h"

namespace solvahost {

std::vector<uint8_t> readBinaryFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) throw HostError("cannot read '" + path + "': " + std::strerror(errno));
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) throw HostError("error reading '" + path + "'");
    return bytes;
}

void writeBinaryFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw HostError("cannot write '" + path + "': " + std::strerror(errno));
    size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), file);
    bool closed = std::fclose(file) == 0;
    if (written != bytes.size() || !closed) throw HostError("error writing '" + path + "'");
}

}  // namespace solvahost
