// The plug-in modules export exactly their two entry points and carry no
// dependency on a compiler runtime library.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <sstream>
#include <string>

namespace {

std::string run(const std::string& command) {
    std::string out;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return out;
    std::array<char, 512> buf{};
    while (fgets(buf.data(), int(buf.size()), pipe.get())) out += buf.data();
    return out;
}

std::set<std::string> lines(const std::string& text) {
    std::set<std::string> result;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        if (!line.empty()) result.insert(line);
    return result;
}

TEST(Exports, LinuxModuleExportsOnlyTheEntryPoints) {
    const std::string cmd = std::string("nm -D --defined-only '") + SOLVA_PLUGIN_PATH + "' | awk '{print $3}'";
    EXPECT_EQ(lines(run(cmd)), (std::set<std::string>{"VSTPluginMain", "main"}));
}

// The Windows builds sit in build directories named by SOLVA_WINDOWS_BUILDS
// (colon-separated), as the test script produces them.
TEST(Exports, WindowsDllsExportOnlyTheEntryPointsAndLinkTheRuntimeStatically) {
    const char* builds = std::getenv("SOLVA_WINDOWS_BUILDS");
    if (!builds || !*builds) GTEST_SKIP() << "no Windows builds given";
    std::istringstream dirs(builds);
    std::string dir;
    int checked = 0;
    while (std::getline(dirs, dir, ':')) {
        const std::string dll = dir + "/plugin/Solva.dll";
        if (std::FILE* f = std::fopen(dll.c_str(), "rb"))
            std::fclose(f);
        else
            continue;
        ++checked;
        const std::string dump = "objdump -p '" + dll + "'";
        const auto exports = lines(run(dump + " | sed -n '/Ordinal\\/Name Pointer/,/^$/p' | grep -E '^[[:space:]]*\\[ *[0-9]+\\]' | awk '{print $3}'"));
        EXPECT_EQ(exports, (std::set<std::string>{"VSTPluginMain", "main"})) << dll;
        const auto dlls = lines(run(dump + " | grep 'DLL Name' | awk '{print tolower($3)}'"));
        for (const std::string& d : dlls) {
            EXPECT_EQ(d.find("libgcc"), std::string::npos) << dll << " needs " << d;
            EXPECT_EQ(d.find("libstdc++"), std::string::npos) << dll << " needs " << d;
            EXPECT_EQ(d.find("libwinpthread"), std::string::npos) << dll << " needs " << d;
        }
    }
    EXPECT_GT(checked, 0) << "no Solva.dll found in " << builds;
}

}  // namespace
