#include <algorithm>
#include <cstring>

#include "command.h"

namespace solvahost {

namespace {

// Function-local so that registrars in other files may run first.
std::vector<Command>& registry() {
    static std::vector<Command> commands;
    return commands;
}

}  // namespace

CommandRegistrar::CommandRegistrar(const Command& command) { registry().push_back(command); }

std::vector<Command> allCommands() {
    std::vector<Command> sorted = registry();
    std::sort(sorted.begin(), sorted.end(),
              [](const Command& a, const Command& b) { return std::strcmp(a.name, b.name) < 0; });
    return sorted;
}

const Command* findCommand(const std::string& name) {
    for (const Command& command : registry())
        if (name == command.name) return &command;
    return nullptr;
}

}  // namespace solvahost
