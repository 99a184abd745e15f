#include "support/tool_runner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace solvatest {

namespace {

std::string makeTempPath(const char* stem) {
    char pattern[256];
    std::snprintf(pattern, sizeof(pattern), "/tmp/solva-host-test-%s-XXXXXX", stem);
    int fd = mkstemp(pattern);
    if (fd >= 0) close(fd);
    return pattern;
}

}  // namespace

bool longTestsEnabled() {
    const char* value = std::getenv("SOLVA_LONG_TESTS");
    return value && std::string(value) == "1";
}

std::string readText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> ToolResult::linesStartingWith(const std::string& prefix) const {
    std::vector<std::string> lines;
    std::istringstream stream(stdoutText);
    std::string line;
    while (std::getline(stream, line))
        if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line);
    return lines;
}

int lineCount(const std::string& text) {
    int count = 0;
    for (char c : text)
        if (c == '\n') ++count;
    if (!text.empty() && text.back() != '\n') ++count;
    return count;
}

ToolResult runHost(const std::vector<std::string>& args, const std::vector<std::string>& environment) {
    return runTool(SOLVA_HOST_PATH, args, environment);
}

ToolResult runTool(const std::string& path, const std::vector<std::string>& args,
                   const std::vector<std::string>& environment) {
    std::string outPath = makeTempPath("out");
    std::string errPath = makeTempPath("err");
    std::vector<std::string> words;
    words.push_back(path);
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(&word[0]);
    argv.push_back(nullptr);

    ToolResult result;
    pid_t child = fork();
    if (child == 0) {
        int outFd = open(outPath.c_str(), O_WRONLY | O_TRUNC);
        int errFd = open(errPath.c_str(), O_WRONLY | O_TRUNC);
        dup2(outFd, 1);
        dup2(errFd, 2);
        for (const std::string& setting : environment) {
            size_t equals = setting.find('=');
            if (equals != std::string::npos)
                setenv(setting.substr(0, equals).c_str(), setting.substr(equals + 1).c_str(), 1);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    if (child > 0) waitpid(child, &status, 0);
    if (child > 0 && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    if (child > 0 && WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    result.stdoutText = readText(outPath);
    result.stderrText = readText(errPath);
    std::remove(outPath.c_str());
    std::remove(errPath.c_str());
    return result;
}

}  // namespace solvatest
