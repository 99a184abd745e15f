// The command table of solva-host. Each command lives in its own file and
// registers itself with a file-scope SOLVA_HOST_COMMAND(...) line, so a new
// subcommand is one new .cpp file in this folder and nothing else:
//
//   static int runEditor(const solvahost::ArgList& args);
//   SOLVA_HOST_COMMAND(editor, "render the plug-in editor to a PNG",
//                      "editor PLUGIN OUT.png [--width N]", runEditor);
//
// run() receives the arguments after the command name, returns the exit
// status and may throw HostError / UsageError (see host_error.h).
#pragma once

#include <string>
#include <vector>

namespace solvahost {

using ArgList = std::vector<std::string>;
using CommandFunction = int (*)(const ArgList& args);

struct Command {
    const char* name;     // word typed after "solva-host"
    const char* summary;  // one line for the command list
    const char* usage;    // synopsis and options, shown by "<command> --help"
    CommandFunction run;
};

// All registered commands, sorted by name.
std::vector<Command> allCommands();
// The command with this name, or null.
const Command* findCommand(const std::string& name);

// Adds a command at static-initialisation time.
struct CommandRegistrar {
    explicit CommandRegistrar(const Command& command);
};

}  // namespace solvahost

#define SOLVA_HOST_COMMAND(NAME, SUMMARY, USAGE, FUNCTION) \
    static const ::solvahost::CommandRegistrar solvaHostCommand_##NAME{{#NAME, SUMMARY, USAGE, FUNCTION}}
