// The generator reproduces the committed skin byte for byte. A
// representative subset (one bitmap of each kind and every knob family)
// keeps the test fast.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <stdlib.h>
#include <unistd.h>

#include "bmp_reader.h"

namespace {

#ifdef SOLVA_SKINGEN_PATH
const char* const kSubset =
    "1,8,15,20,21,22,1005,1007,1010,1014,1017,1025,1028,1034,1039,1046,2000,2001,2005,"
    "2006,2007,2008,2009,2010,2011,2012,3000,3008,3010,3011,3012,4000,4002,4003,4006,10000";

TEST(SkinGenerator, ReproducesTheCommittedBitmapsAndHeader) {
    // The committed skin was drawn with Debian's DejaVu fonts; without them
    // the generator cannot run.
    if (access("/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf", R_OK) != 0) {
        GTEST_SKIP() << "DejaVu fonts (fonts-dejavu-core, fonts-dejavu-extra) not installed";
    }
    char dirTemplate[] = "/tmp/solva-skin-XXXXXX";
    const char* dir = mkdtemp(dirTemplate);
    ASSERT_NE(dir, nullptr);
    const std::string cmd = std::string("\"") + SOLVA_SKINGEN_PATH + "\" \"" + dir + "\" --only " + kSubset;
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    std::string list = kSubset;
    std::size_t pos = 0;
    int compared = 0;
    while (pos < list.size()) {
        const std::size_t comma = std::min(list.find(',', pos), list.size());
        const int id = std::atoi(list.substr(pos, comma - pos).c_str());
        pos = comma + 1;
        const std::string made = skintest::bitmapPath(dir, id);
        EXPECT_EQ(skintest::readBytes(made),
                  skintest::readBytes(skintest::bitmapPath(skintest::skinDir(), id)))
            << "bitmap " << id << " differs from the committed file";
        unlink(made.c_str());
        ++compared;
    }
    EXPECT_EQ(compared, 36);
    const std::string header = std::string(dir) + "/skin_ids.h";
    EXPECT_EQ(skintest::readBytes(header), skintest::readBytes(skintest::skinDir() + "/skin_ids.h"));
    unlink(header.c_str());
    rmdir(dir);
}
#else
TEST(SkinGenerator, DISABLED_GeneratorNotBuilt) {}
#endif

}  // namespace
