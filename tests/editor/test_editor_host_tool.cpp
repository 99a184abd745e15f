// "solva-host editor": the command opens our editor in a real X11 window,
// drives it and writes a PNG; without a display or for a plug-in without an
// editor it fails with one line and a non-zero status. Skipped when the
// tool is not built; the drawing cases need DISPLAY.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/wait.h>

#include <gtest/gtest.h>

#ifdef SOLVA_HAVE_PNG
#include "gui/png/png_io.h"
#endif

namespace {

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readFile(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs the tool through the shell with `prefix` (environment changes) in
// front; arguments are quoted.
RunResult runTool(const std::string& prefix, const std::vector<std::string>& args) {
    const std::string stem = std::string(SOLVA_BINARY_DIR) + "/editor-host-tool";
    std::string command = prefix + " '" + SOLVA_HOST_PATH + "'";
    for (const std::string& a : args) command += " '" + a + "'";
    command += " > '" + stem + ".out' 2> '" + stem + ".err'";
    RunResult r;
    const int raw = std::system(command.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = readFile(stem + ".out");
    r.err = readFile(stem + ".err");
    return r;
}

int lines(const std::string& text) {
    int n = 0;
    for (char c : text) n += c == '\n' ? 1 : 0;
    return n;
}

class EditorCommand : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::string(SOLVA_HOST_PATH).empty()) GTEST_SKIP() << "solva-host is not built";
        installDir = std::string(SOLVA_BINARY_DIR) + "/editor-test-install";
        if (std::system(("mkdir -p '" + installDir + "'").c_str()) != 0) GTEST_SKIP() << "no install directory";
    }
    std::string env() const { return "SOLVA_INSTALL_DIR='" + installDir + "'"; }
    std::string installDir;
};

TEST_F(EditorCommand, WithoutADisplayItFailsWithOneLine) {
    const RunResult r = runTool("env -u DISPLAY " + env(), {"editor", SOLVA_PLUGIN_PATH, "--png", "/tmp/x.png"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(lines(r.err), 1) << r.err;
    EXPECT_NE(r.err.find("DISPLAY"), std::string::npos);
}

TEST_F(EditorCommand, APlugInWithoutAnEditorFailsWithOneLine) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    if (std::string(SOLVA_PROBE_NO_EDITOR).empty()) GTEST_SKIP() << "probe plug-in not built";
    const RunResult r = runTool(env(), {"editor", SOLVA_PROBE_NO_EDITOR, "--png", "/tmp/x.png"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(lines(r.err), 1) << r.err;
    EXPECT_NE(r.err.find("no editor"), std::string::npos) << r.err;
}

TEST_F(EditorCommand, DragsAndClicksOurEditorAndWritesTheWindow) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    const std::string png = std::string(SOLVA_BINARY_DIR) + "/editor-host-tool.png";
    std::remove(png.c_str());
    // B2Freq knob at (247, 89), B2On switch at (242, 37); snapping off.
    const RunResult r = runTool(env(), {"editor", SOLVA_PLUGIN_PATH, "--png", png, "--set", "5=0.2", "--set",
                                        "25=0", "--click", "264,52", "--drag", "264,105:60,0", "--print", "5",
                                        "--print", "25"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("25=0.833333"), std::string::npos) << r.out;
    // 60 pixels of a 200-pixel range; snapping may round the frequency.
    const size_t at = r.out.find("5=");
    ASSERT_NE(at, std::string::npos);
    EXPECT_NEAR(std::atof(r.out.c_str() + at + 2), 0.5, 0.02);
#ifdef SOLVA_HAVE_PNG
    VSTGUI::CPixelBuffer image;
    ASSERT_TRUE(VSTGUI::readPng(png, image));
    EXPECT_EQ(image.getWidth(), 640);
    EXPECT_EQ(image.getHeight(), 267);
#endif
}

}  // namespace
