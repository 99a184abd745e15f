// solva-host: a command-line VST 2.4 host. The first word picks a command
// from the command table (command.h); each command parses the rest.
#include <cstdio>
#include <exception>
#include <string>

#include "command.h"
#include "host_error.h"

namespace {

constexpr const char* kProgram = "solva-host";

void printUsage(std::FILE* stream) {
    std::fprintf(stream,
                 "usage: %s COMMAND [ARGS...]\n"
                 "       %s COMMAND --help\n\n"
                 "A command-line VST 2.4 host.\n\ncommands:\n",
                 kProgram, kProgram);
    for (const solvahost::Command& command : solvahost::allCommands())
        std::fprintf(stream, "  %-10s %s\n", command.name, command.summary);
    std::fprintf(stream, "\nexit status: 0 success, 1 failure (file, plug-in), 2 bad command line\n");
}

void printCommandUsage(const solvahost::Command& command) {
    std::printf("usage: %s %s\n\n%s.\n", kProgram, command.usage, command.summary);
}

// Errors stay on one line whatever the plug-in or the system put in them.
void printError(const std::string& message) {
    std::string line = message;
    for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
    std::fprintf(stderr, "%s: error: %s\n", kProgram, line.c_str());
}

bool asksForHelp(const solvahost::ArgList& args) {
    for (const std::string& arg : args) {
        if (arg == "--") return false;
        if (arg == "--help" || arg == "-h") return true;
    }
    return false;
}

int runCommand(const std::string& name, const solvahost::ArgList& args) {
    const solvahost::Command* command = solvahost::findCommand(name);
    if (!command)
        throw solvahost::UsageError("unknown command '" + name + "' (try '" + std::string(kProgram) + " --help')");
    if (asksForHelp(args)) {
        printCommandUsage(*command);
        return solvahost::kExitOk;
    }
    return command->run(args);
}

}  // namespace

int main(int argc, char** argv) {
    solvahost::ArgList words(argv + 1, argv + argc);
    if (words.empty()) {
        printUsage(stderr);
        return solvahost::kExitUsage;
    }
    const std::string& first = words.front();
    if (first == "--help" || first == "-h" || first == "help") {
        if (first == "help" && words.size() > 1) {
            const solvahost::Command* command = solvahost::findCommand(words[1]);
            if (command) {
                printCommandUsage(*command);
                return solvahost::kExitOk;
            }
        }
        printUsage(stdout);
        return solvahost::kExitOk;
    }
    try {
        return runCommand(first, solvahost::ArgList(words.begin() + 1, words.end()));
    } catch (const solvahost::UsageError& error) {
        printError(error.what());
        return solvahost::kExitUsage;
    } catch (const std::exception& error) {
        printError(error.what());
        return solvahost::kExitFailure;
    }
}
