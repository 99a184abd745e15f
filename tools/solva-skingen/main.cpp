// solva-skingen: renders every skin bitmap of the editor.
//
//   solva-skingen <output dir> [--docs <dir>] [--fonts <dir>] [--only <id,id,...>]
//
// Writes <output dir>/<id>.bmp for every id of the skin table and
// <output dir>/skin_ids.h; with --docs also preview.png,
// main-window-preview.png, main-window-overlays-preview.png and
// panels-preview.png.
// Output is deterministic: the same inputs give byte-identical files.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <exception>
#include <set>
#include <string>
#include <vector>

#include "file_formats.h"
#include "outputs.h"
#include "skin_table.h"
#include "text.h"

namespace {

struct Options {
    std::string outDir;
    std::string docsDir;
    std::string fontDir = "/usr/share/fonts/truetype/dejavu";
    std::set<int> onlyIds;  // empty: every bitmap
};

std::set<int> parseIdList(const std::string& list) {
    std::set<int> ids;
    std::size_t pos = 0;
    while (pos < list.size()) {
        const std::size_t comma = std::min(list.find(',', pos), list.size());
        ids.insert(std::atoi(list.substr(pos, comma - pos).c_str()));
        pos = comma + 1;
    }
    return ids;
}

bool parseArgs(int argc, char** argv, Options* opt) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if ((a == "--docs" || a == "--fonts" || a == "--only") && i + 1 < argc) {
            const std::string v = argv[++i];
            if (a == "--docs") opt->docsDir = v;
            else if (a == "--fonts") opt->fontDir = v;
            else opt->onlyIds = parseIdList(v);
        } else if (!a.empty() && a[0] != '-' && opt->outDir.empty()) {
            opt->outDir = a;
        } else {
            return false;
        }
    }
    return !opt->outDir.empty();
}

int run(const Options& opt) {
    skingen::initFonts(opt.fontDir);
    skingen::BitmapSet set;
    for (const skingen::BitmapEntry& e : skingen::skinTable()) {
        if (!opt.onlyIds.empty() && opt.onlyIds.count(e.id) == 0) continue;
        const skingen::Image img = e.painter(e);
        if (img.width() != e.width || img.height() != e.height) {
            std::fprintf(stderr, "bitmap %d painted at %dx%d, expected %dx%d\n", e.id, img.width(),
                         img.height(), e.width, e.height);
            return 1;
        }
        std::vector<skingen::Rgb8> px = skingen::flattenForBitmap(img, e.matte);
        const std::string path = opt.outDir + "/" + std::to_string(e.id) + ".bmp";
        if (!skingen::writeFile(path, skingen::encodeBmp(e.width, e.height, px))) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        set.emplace(e.id, std::move(px));
    }
    const std::string header = skingen::skinIdsHeader();
    if (!skingen::writeFile(opt.outDir + "/skin_ids.h",
                            std::vector<std::uint8_t>(header.begin(), header.end()))) {
        std::fprintf(stderr, "cannot write skin_ids.h\n");
        return 1;
    }
    if (!opt.docsDir.empty() && opt.onlyIds.empty()) {
        const bool ok = skingen::writeContactSheet(set, opt.docsDir + "/preview.png") &&
                        skingen::writeWindowPreview(set, opt.docsDir + "/main-window-preview.png", false) &&
                        skingen::writeWindowPreview(
                            set, opt.docsDir + "/main-window-overlays-preview.png", true) &&
                        skingen::writePanelsPreview(set, opt.docsDir + "/panels-preview.png");
        if (!ok) {
            std::fprintf(stderr, "cannot write previews to %s\n", opt.docsDir.c_str());
            return 1;
        }
    }
    skingen::shutdownFonts();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options opt;
    if (!parseArgs(argc, argv, &opt)) {
        std::fprintf(stderr,
                     "usage: solva-skingen <output dir> [--docs <dir>] [--fonts <dir>] [--only <id,id,...>]\n");
        return 2;
    }
    try {
        return run(opt);
    } catch (const std::exception& ex) {
        std::fprintf(stderr, "solva-skingen: %s\n", ex.what());
        return 1;
    }
}
