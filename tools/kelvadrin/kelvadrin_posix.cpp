// DialogueFichier on Linux and other POSIX systems: runs zenity (else
// kdialog) found on PATH and reads the chosen path from its output. The
// programs answer exit status 0 with the path on a line when the user
// confirmed, non-zero when the dialog was cancelled.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#define KELVADRIN_BUILDING
#include "tools/kelvadrin/kelvadrin.h"

namespace {

// The full path of an executable found on PATH, empty when none.
std::string findProgram(const char* name) {
    const char* pathVariable = std::getenv("PATH");
    std::string paths = pathVariable ? pathVariable : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= paths.size()) {
        size_t end = paths.find(':', start);
        if (end == std::string::npos) end = paths.size();
        const std::string dir = paths.substr(start, end - start);
        const std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return std::string();
}

// "name|pattern|...||" as (name, pattern) pairs.
std::vector<std::pair<std::string, std::string>> filterPairs(const char* filter) {
    std::vector<std::pair<std::string, std::string>> pairs;
    std::vector<std::string> parts;
    std::string current;
    for (const char* c = filter ? filter : ""; *c; ++c) {
        if (*c == '|') {
            parts.push_back(current);
            current.clear();
        } else {
            current += *c;
        }
    }
    for (size_t i = 0; i + 1 < parts.size(); i += 2)
        if (!parts[i].empty() && !parts[i + 1].empty()) pairs.emplace_back(parts[i], parts[i + 1]);
    return pairs;
}

// Windows' "*.*" means every file; the dialogs want "*".
std::string posixPattern(const std::string& pattern) { return pattern == "*.*" ? "*" : pattern; }

std::vector<std::string> zenityArguments(const std::string& program, const std::string& start, bool save,
                                         const char* filter) {
    std::vector<std::string> args = {program, "--file-selection"};
    if (save) {
        args.push_back("--save");
        args.push_back("--confirm-overwrite");
    }
    if (!start.empty()) args.push_back("--filename=" + start);
    for (const auto& pair : filterPairs(filter))
        args.push_back("--file-filter=" + pair.first + " | " + posixPattern(pair.second));
    return args;
}

std::vector<std::string> kdialogArguments(const std::string& program, const std::string& start, bool save,
                                          const char* filter) {
    std::string patterns;
    for (const auto& pair : filterPairs(filter)) {
        if (!patterns.empty()) patterns += "\n";
        patterns += posixPattern(pair.second) + "|" + pair.first;
    }
    return {program, save ? "--getsavefilename" : "--getopenfilename", start.empty() ? "." : start, patterns};
}

// Runs the program; true with its first output line when it exits with 0.
bool runDialog(const std::vector<std::string>& args, std::string& chosen) {
    int fds[2];
    if (pipe(fds) != 0) return false;
    const pid_t child = fork();
    if (child < 0) {
        close(fds[0]);
        close(fds[1]);
        return false;
    }
    if (child == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(fds[1]);
    std::string output;
    char buffer[512];
    ssize_t got;
    while ((got = read(fds[0], buffer, sizeof buffer)) > 0) output.append(buffer, static_cast<size_t>(got));
    close(fds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    const size_t lineEnd = output.find('\n');
    chosen = output.substr(0, lineEnd);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && !chosen.empty();
}

}  // namespace

extern "C" int DialogueFichier(char* path, int mode, const char* extension, const char* pattern,
                               const char* filter) {
    if (!path) return 0;
    const bool save = mode == KELVADRIN_SAVE;
    const std::string start = path;
    (void)pattern;  // the filters already narrow the listing to the pattern
    std::vector<std::string> args;
    const std::string zenity = findProgram("zenity");
    if (!zenity.empty()) {
        args = zenityArguments(zenity, start, save, filter);
    } else {
        const std::string kdialog = findProgram("kdialog");
        if (kdialog.empty()) return -1;
        args = kdialogArguments(kdialog, start, save, filter);
    }
    std::string chosen;
    if (!runDialog(args, chosen)) return 0;
    // A saved name without an extension gets the default one.
    const size_t slash = chosen.find_last_of('/');
    const std::string name = chosen.substr(slash == std::string::npos ? 0 : slash + 1);
    if (save && extension && extension[0] && name.find('.') == std::string::npos)
        chosen += std::string(".") + extension;
    if (chosen.size() >= KELVADRIN_PATH_CHARS) return 0;
    std::memcpy(path, chosen.c_str(), chosen.size() + 1);
    return 1;
}
