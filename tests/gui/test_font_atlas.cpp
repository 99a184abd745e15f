// The embedded font: the committed atlas is exactly what tools/solva-fontgen
// makes from the DejaVu fonts, and its faces are complete and well formed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "gui/font_atlas.h"

namespace {

namespace fs = std::filesystem;
using namespace VSTGUI::font_atlas;

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(FontAtlas, FacesCoverPrintableAsciiAndLatin1WithSaneMetrics) {
    ASSERT_GE(kFaceCount, 5);
    bool hasBold = false;
    for (int f = 0; f < kFaceCount; ++f) {
        const Face& face = kFaces[f];
        hasBold = hasBold || face.bold;
        EXPECT_GE(face.sizePx, 9);
        EXPECT_GT(face.ascent, 0);
        EXPECT_GE(face.lineHeight, face.ascent);
        for (int code = 32; code <= 126; ++code) {
            bool found = false;
            for (int g = 0; g < face.glyphCount; ++g) found = found || face.glyphs[g].code == code;
            EXPECT_TRUE(found) << "face " << f << " lacks " << code;
        }
        for (int g = 1; g < face.glyphCount; ++g)
            EXPECT_LT(face.glyphs[g - 1].code, face.glyphs[g].code);  // sorted for lookup
        // Letters have ink; the space has none but advances.
        for (int g = 0; g < face.glyphCount; ++g) {
            const Glyph& glyph = face.glyphs[g];
            if (glyph.code == 'M') {
                EXPECT_GT(glyph.width * glyph.height, 0);
            }
            if (glyph.code == ' ') {
                EXPECT_GT(glyph.advance, 0);
            }
        }
    }
    EXPECT_TRUE(hasBold);
}

#ifdef SOLVA_FONTGEN_PATH
TEST(FontAtlas, CommittedAtlasIsWhatTheGeneratorProduces) {
    const fs::path regular = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    const fs::path bold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    if (!fs::exists(regular) || !fs::exists(bold)) GTEST_SKIP() << "DejaVu fonts not installed";
    const fs::path out = fs::path(SOLVA_BINARY_DIR) / "test-output" / "gui" / "font_atlas_data.cpp";
    fs::create_directories(out.parent_path());
    const std::string command = std::string("\"") + SOLVA_FONTGEN_PATH + "\" \"" + regular.string() +
                                "\" \"" + bold.string() + "\" \"" + out.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(readAll(out), readAll(fs::path(SOLVA_SOURCE_DIR) / "gui/font_atlas_data.cpp"))
        << "regenerate gui/font_atlas_data.cpp with solva-fontgen";
}
#endif

}  // namespace
