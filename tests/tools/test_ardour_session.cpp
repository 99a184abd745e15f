// Solva in a real host: Ardour, from Debian's ardour package, driven
// headless by its Lua session tool over a JACK server with the dummy
// driver. Ardour's own scanner indexes the library; a session puts Solva on
// a stereo track, sets two parameters, asks the transport to roll and
// saves; the chunk Ardour stored is handed back to Solva through
// solva-host; a second run reopens the session and rolls again. How far
// the transport gets is left unchecked: with JACK's dummy driver in a
// container Ardour's engine does not always run it. Skipped when Ardour or
// JACK is not installed, or when a JACK server is already running (the
// test starts its own).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <glob.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "support/host_paths.h"
#include "support/sound_files.h"
#include "support/tool_runner.h"

using namespace solvatest;

namespace {

constexpr const char* kTimeout = "/usr/bin/timeout";
constexpr const char* kJackd = "/usr/bin/jackd";
constexpr const char* kJackWait = "/usr/bin/jack_wait";

// The last path matching a pattern (the newest Ardour when several are
// installed), or "".
std::string lastMatch(const char* pattern) {
    glob_t found{};
    std::string path;
    if (glob(pattern, 0, nullptr, &found) == 0 && found.gl_pathc > 0) path = found.gl_pathv[found.gl_pathc - 1];
    globfree(&found);
    return path;
}

bool jackRunning() {
    ToolResult check = runTool(kJackWait, {"--check"});
    return check.exitedWith(0) && check.stdoutText.find("not running") == std::string::npos &&
           check.stdoutText.find("running") != std::string::npos;
}

// The default JACK server on the dummy driver, for as long as the object lives.
class JackServer {
public:
    explicit JackServer(const std::string& logPath) {
        pid_ = fork();
        if (pid_ == 0) {
            const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(log, 1);
            dup2(log, 2);
            execl(kJackd, kJackd, "--no-realtime", "-t", "10000", "-d", "dummy", "-r", "48000", "-p", "1024",
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 50 && pid_ > 0 && !jackRunning(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        std::this_thread::sleep_for(std::chrono::milliseconds(500));  // settled
    }
    ~JackServer() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        for (int i = 0; i < 30; ++i) {
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    bool started() const { return pid_ > 0 && jackRunning(); }

private:
    pid_t pid_ = -1;
};

// Ardour's JACK back end starts a server of its own when it cannot reach
// one, and a script that stalls leaves it behind. No server ran before the
// test (it is skipped otherwise), so any left at its end is stopped.
struct StrayServerStop {
    ~StrayServerStop() {
        if (jackRunning()) runTool("/usr/bin/pkill", {"-x", "jackd"});
    }
};

std::vector<uint8_t> decodeBase64(const std::string& text) {
    std::vector<uint8_t> bytes;
    uint32_t bits = 0;
    int count = 0;
    for (char c : text) {
        int value;
        if (c >= 'A' && c <= 'Z') value = c - 'A';
        else if (c >= 'a' && c <= 'z') value = c - 'a' + 26;
        else if (c >= '0' && c <= '9') value = c - '0' + 52;
        else if (c == '+') value = 62;
        else if (c == '/') value = 63;
        else continue;  // padding, line breaks
        bits = (bits << 6) | static_cast<uint32_t>(value);
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes.push_back(static_cast<uint8_t>(bits >> count));
        }
    }
    return bytes;
}

// The text of the <chunk> element inside the session's <lxvst> element.
std::string lxvstChunk(const std::string& session) {
    size_t start = session.find("<lxvst");
    if (start != std::string::npos) start = session.find("<chunk", start);
    if (start != std::string::npos) start = session.find('>', start);
    if (start == std::string::npos) return "";
    const size_t end = session.find("</chunk>", start);
    return end == std::string::npos ? "" : session.substr(start + 1, end - start - 1);
}

bool hasLine(const ToolResult& result, const std::string& prefix, const std::string& part) {
    for (const std::string& line : result.linesStartingWith(prefix))
        if (line.find(part) != std::string::npos) return true;
    return false;
}

}  // namespace

TEST(ArdourSession, LoadsRunsSavesAndReopensSolva) {
    const std::string lua = lastMatch("/usr/bin/ardour*-lua");
    const std::string scanner = lastMatch("/usr/lib/ardour*/ardour-vst-scanner");
    if (lua.empty() || scanner.empty()) GTEST_SKIP() << "Ardour is not installed";
    if (!fileExists(kJackd) || !fileExists(kJackWait)) GTEST_SKIP() << "JACK (jackd2) is not installed";
    if (jackRunning()) GTEST_SKIP() << "a JACK server is already running";

    StrayServerStop stopStrays;
    ScratchDir dir;
    ASSERT_TRUE(dir.created());

    // Ardour's configuration, plug-in cache and session all in the scratch folder.
    std::filesystem::create_directories(dir.path("vst"));
    std::filesystem::copy_file(kSolvaPlugin, dir.path("vst/Solva.so"));
    // Ardour trusts an index no older than the library, with the index's
    // time in whole seconds: the copy is dated a few seconds back.
    std::filesystem::last_write_time(dir.path("vst/Solva.so"),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::seconds(5));
    const std::vector<std::string> environment = {
        "HOME=" + dir.path("home"), "XDG_CONFIG_HOME=" + dir.path("home/config"),
        "XDG_CACHE_HOME=" + dir.path("home/cache"), "LXVST_PATH=" + dir.path("vst"),
        "SOLVA_ARDOUR_SESSION=" + dir.path("session"),
        "LD_LIBRARY_PATH=" + std::filesystem::path(scanner).parent_path().string()};
    const std::string script = std::string(SOLVA_SOURCE_DIR) + "/tests/tools/test_data/ardour/session.lua";
    auto step = [&](const char* name) {
        std::vector<std::string> withStep = environment;
        withStep.push_back(std::string("SOLVA_ARDOUR_STEP=") + name);
        return runTool(kTimeout, {"-k", "5", "120", lua, script}, withStep);
    };

    // Ardour's scanner loads the library on its own and indexes it.
    ToolResult scan = runTool(kTimeout, {"-k", "5", "60", scanner, "--force", dir.path("vst/Solva.so")}, environment);
    ASSERT_TRUE(scan.exitedWith(0)) << scan.stdoutText << scan.stderrText;
    const std::string index = lastMatch((dir.path("home/cache") + "/ardour*/vst/*.v2i").c_str());
    ASSERT_FALSE(index.empty()) << scan.stdoutText << scan.stderrText;
    const std::string info = readText(index);
    for (const char* attribute : {"id=\"1399617089\"", "name=\"Solva\"", "n_inputs=\"2\"", "n_outputs=\"2\"",
                                  "is_instrument=\"0\"", "can_process_replace=\"1\"", "has_editor=\"1\""})
        EXPECT_NE(info.find(attribute), std::string::npos) << attribute << " in\n" << info;

    // A session with Solva on a track: inserted, rolled, saved.
    // Each Ardour run gets a JACK server of its own: the script ends without
    // Ardour's teardown, which leaves a server unsettled.
    auto jack = std::make_unique<JackServer>(dir.path("jackd.log"));
    if (!jack->started()) GTEST_SKIP() << "the JACK dummy server did not start: " << readText(dir.path("jackd.log"));
    ToolResult create = step("create");
    jack.reset();
    ASSERT_TRUE(create.exitedWith(0)) << create.stdoutText << create.stderrText;
    EXPECT_TRUE(hasLine(create, "inserted Solva", "with 34 parameters")) << create.stdoutText;
    EXPECT_TRUE(hasLine(create, "rolled ", " samples")) << create.stdoutText;
    ASSERT_TRUE(hasLine(create, "saved", "")) << create.stdoutText;

    // The session keeps Solva's state as the chunk it asked for; handed back
    // to Solva, it holds the two parameters the session set.
    const std::string session = readText(dir.path("session/solva.ardour"));
    const std::vector<uint8_t> chunk = decodeBase64(lxvstChunk(session));
    ASSERT_FALSE(chunk.empty()) << "no chunk in the session file";
    writeBytes(dir.path("chunk.bin"), chunk);
    ToolResult loaded = runHost({"info", kSolvaPlugin, "--load-chunk", dir.path("chunk.bin")});
    ASSERT_TRUE(loaded.exitedWith(0)) << loaded.stderrText;
    EXPECT_TRUE(hasLine(loaded, "  param   4 ", "value=0.800000")) << loaded.stdoutText;
    EXPECT_TRUE(hasLine(loaded, "  param   2 ", "value=0.330000")) << loaded.stdoutText;

    // Reopened, the session finds Solva with its settings.
    jack = std::make_unique<JackServer>(dir.path("jackd.log"));
    ASSERT_TRUE(jack->started()) << readText(dir.path("jackd.log"));
    ToolResult reopen = step("reopen");
    jack.reset();
    ASSERT_TRUE(reopen.exitedWith(0)) << reopen.stdoutText << reopen.stderrText;
    EXPECT_TRUE(hasLine(reopen, "reopened Solva on eq:", "0.800000 0.330000")) << reopen.stdoutText;
    EXPECT_TRUE(hasLine(reopen, "rolled ", " samples")) << reopen.stdoutText;
}
