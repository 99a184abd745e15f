// Runs the solva-host binary (or another tool) as a child process and
// captures what it said.
#pragma once

#include <string>
#include <vector>

namespace solvatest {

struct ToolResult {
    int exitCode = -1;  // exit status, or -1 when killed by a signal
    int signal = 0;     // the signal that ended it, 0 when it exited
    std::string stdoutText;
    std::string stderrText;

    bool exitedWith(int code) const { return signal == 0 && exitCode == code; }
    // Lines of stdout that start with `prefix`.
    std::vector<std::string> linesStartingWith(const std::string& prefix) const;
};

// Runs solva-host with `args` (no shell involved); `environment` holds
// extra "NAME=VALUE" settings for the child only.
ToolResult runHost(const std::vector<std::string>& args, const std::vector<std::string>& environment = {});
// The same for any other of our command-line tools.
ToolResult runTool(const std::string& path, const std::vector<std::string>& args,
                   const std::vector<std::string>& environment = {});

// A whole file as text (empty when it cannot be read).
std::string readText(const std::string& path);

// Counts the lines of a text.
int lineCount(const std::string& text);

// Whether the long checks are asked for (SOLVA_LONG_TESTS=1).
bool longTestsEnabled();

}  // namespace solvatest
