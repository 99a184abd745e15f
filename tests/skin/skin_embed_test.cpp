// The library's embedded bitmaps are the committed files, byte for byte.
#include <gtest/gtest.h>

#include <cstring>

#include "bmp_reader.h"
#include "resources/skin/skin_resources.h"

namespace {

TEST(SkinEmbedding, EveryBitmapIsEmbeddedAsItsFile) {
    for (const solva::skin::BitmapInfo& info : solva::skin::kBitmaps) {
        const std::vector<std::uint8_t> file =
            skintest::readBytes(skintest::bitmapPath(skintest::skinDir(), info.id));
        ASSERT_FALSE(file.empty()) << "bitmap " << info.id;
        std::size_t size = 0;
        const unsigned char* bytes = solva::solvaSkinResource(info.id, &size);
        ASSERT_NE(bytes, nullptr) << "bitmap " << info.id;
        ASSERT_EQ(size, file.size()) << "bitmap " << info.id;
        EXPECT_EQ(std::memcmp(bytes, file.data(), size), 0) << "bitmap " << info.id;
    }
}

TEST(SkinEmbedding, UnknownIdGivesNullAndZeroSize) {
    for (int id : {0, -1, 23, 999, 3013, 10001}) {
        std::size_t size = 12345;
        EXPECT_EQ(solva::solvaSkinResource(id, &size), nullptr) << "id " << id;
        EXPECT_EQ(size, 0u) << "id " << id;
    }
    EXPECT_NE(solva::solvaSkinResource(10000, nullptr), nullptr);
}

}  // namespace
