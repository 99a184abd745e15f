// Dependencies point one way: the DSP, parameter and storage code builds
// anywhere, and only the platform back ends touch the platform.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> includesOf(const fs::path& file) {
    std::vector<std::string> result;
    std::ifstream in(file);
    static const std::regex include(R"(^\s*#\s*include\s*[<"]([^>"]+)[>"])");
    std::string line;
    std::smatch m;
    while (std::getline(in, line))
        if (std::regex_search(line, m, include)) result.push_back(m[1]);
    return result;
}

bool isSource(const fs::path& p) {
    const std::string ext = p.extension().string();
    return ext == ".h" || ext == ".cpp" || ext == ".hpp";
}

// Lists "file: include" for every include of the folder's sources that
// matches one of the forbidden patterns.
std::vector<std::string> violations(const std::string& folder, const std::vector<std::string>& forbidden,
                                    bool recursive = false) {
    std::vector<std::string> found;
    const fs::path root = fs::path(SOLVA_SOURCE_DIR) / folder;
    if (!fs::exists(root)) return found;
    auto check = [&](const fs::path& file) {
        if (!isSource(file)) return;
        for (const std::string& inc : includesOf(file))
            for (const std::string& bad : forbidden)
                if (inc.rfind(bad, 0) == 0) found.push_back(file.string() + ": " + inc);
    };
    if (recursive) {
        for (const auto& entry : fs::recursive_directory_iterator(root)) check(entry.path());
    } else {
        for (const auto& entry : fs::directory_iterator(root)) check(entry.path());
    }
    return found;
}

const std::vector<std::string> kPlatform = {"windows.h", "X11/", "Xlib", "unistd.h", "dlfcn.h", "pthread",
                                            "ole2.h",    "shlobj", "commdlg"};

TEST(Layering, DspParamsAndStorageUseTheStandardLibraryOnly) {
    std::vector<std::string> forbidden = kPlatform;
    for (const char* upper : {"plugin/", "editor/", "gui/", "tools/"}) forbidden.push_back(upper);
    for (const char* folder : {"dsp", "params"}) {
        const auto found = violations(folder, forbidden, true);
        EXPECT_TRUE(found.empty()) << found.front();
    }
    // Storage may reach the file system through the standard library; the
    // install-directory lookup is its one platform seam.
    std::vector<std::string> storageForbidden = {"plugin/", "editor/", "gui/", "tools/", "X11/"};
    const auto found = violations("storage", storageForbidden, true);
    EXPECT_TRUE(found.empty()) << found.front();
}

TEST(Layering, DspAndParamsDoNotReachUpIntoStorage) {
    for (const char* folder : {"dsp", "params"}) {
        const auto found = violations(folder, {"storage/"}, true);
        EXPECT_TRUE(found.empty()) << found.front();
    }
}

TEST(Layering, ToolkitCoreIsPlatformFree) {
    std::vector<std::string> forbidden = kPlatform;
    for (const char* upper : {"plugin/", "editor/", "storage/", "dsp/"}) forbidden.push_back(upper);
    const auto found = violations("gui", forbidden, false);
    EXPECT_TRUE(found.empty()) << found.front();
}

TEST(Layering, OnlyThePluginTouchesTheVstInterface) {
    for (const char* folder : {"dsp", "params", "storage", "gui"}) {
        const auto found = violations(folder, {"plugin/vst/"}, true);
        EXPECT_TRUE(found.empty()) << found.front();
    }
}

}  // namespace
