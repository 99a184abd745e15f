// The Windows build keeps the skin bitmaps as RT_BITMAP resources of the
// plug-in library (skin.rc, generated from resources/skin/<id>.bmp) and
// answers solvaSkinResource from them, so the editor code is the same on
// every platform. A BITMAP resource is a BMP file without its 14-byte file
// header; the first request for an id rebuilds the complete file image
// once and keeps it for the life of the process.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#include "plugin/module_handle.h"
#include "resources/skin/skin_resources.h"

namespace solva {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;

struct SkinImages {
    std::mutex lock;
    std::map<int, std::vector<unsigned char>> files;  // empty vector: id not in the library
};

SkinImages& images() {
    static SkinImages s;
    return s;
}

// The library's own module: the handle the process-attach handler kept,
// else the module that holds this code.
HMODULE resourceModule() {
    if (void* handle = moduleHandle()) return static_cast<HMODULE>(handle);
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&resourceModule), &module);
    return module;
}

void putLe16(unsigned char* out, uint16_t value) {
    out[0] = static_cast<unsigned char>(value);
    out[1] = static_cast<unsigned char>(value >> 8);
}

void putLe32(unsigned char* out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<unsigned char>(value >> (8 * i));
}

uint32_t readLe32(const unsigned char* in) {
    return uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24;
}

// The pixel offset of a packed DIB: header, colour masks, palette.
uint32_t pixelOffset(const unsigned char* dib, std::size_t size) {
    if (size < 40) return 0;
    const uint32_t headerBytes = readLe32(dib);
    const uint16_t bitCount = static_cast<uint16_t>(dib[14] | dib[15] << 8);
    const uint32_t compression = readLe32(dib + 16);
    uint32_t colours = readLe32(dib + 32);
    if (colours == 0 && bitCount <= 8) colours = 1u << bitCount;
    uint32_t masks = (headerBytes == 40 && compression == BI_BITFIELDS) ? 12 : 0;
    return static_cast<uint32_t>(kFileHeaderBytes) + headerBytes + masks + colours * 4;
}

std::vector<unsigned char> loadFileImage(int id) {
    std::vector<unsigned char> file;
    const HMODULE module = resourceModule();
    const HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    if (!info) return file;
    const DWORD size = SizeofResource(module, info);
    const HGLOBAL loaded = LoadResource(module, info);
    const auto* dib = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
    if (!dib || size < 40) return file;
    file.resize(kFileHeaderBytes + size);
    file[0] = 'B';
    file[1] = 'M';
    putLe32(&file[2], static_cast<uint32_t>(file.size()));
    putLe16(&file[6], 0);
    putLe16(&file[8], 0);
    putLe32(&file[10], pixelOffset(dib, size));
    std::memcpy(&file[kFileHeaderBytes], dib, size);
    return file;
}

}  // namespace

const unsigned char* solvaSkinResource(int id, std::size_t* sizeOut) {
    SkinImages& s = images();
    std::lock_guard<std::mutex> guard(s.lock);
    auto it = s.files.find(id);
    if (it == s.files.end()) it = s.files.emplace(id, loadFileImage(id)).first;
    const std::vector<unsigned char>& file = it->second;
    if (sizeOut) *sizeOut = file.size();
    return file.empty() ? nullptr : file.data();
}

}  // namespace solva
