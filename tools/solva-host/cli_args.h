// Option parsing shared by the commands: "--name VALUE", "--name=VALUE",
// bare flags, positional words, and "--" to end the options. Every problem
// is reported as a UsageError naming the option.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "command.h"

namespace solvahost {

struct OptionDef {
    const char* name;  // without the leading "--"
    bool takesValue;
};

class ParsedArgs {
public:
    std::vector<std::string> positional;

    bool has(const std::string& name) const;
    // Last value given for the option, or fallback when absent.
    std::string value(const std::string& name, const std::string& fallback = "") const;
    // Every value given for a repeatable option, in order.
    std::vector<std::string> values(const std::string& name) const;

    void add(const std::string& name, const std::string& value);

private:
    std::multimap<std::string, std::string> options_;
};

// "--help" and "-h" are always accepted as flags named "help".
ParsedArgs parseArgs(const ArgList& args, const std::vector<OptionDef>& defs);

// Whole-string numeric parses within [minValue, maxValue]; `what` names the
// value in the error message.
long parseInteger(const std::string& text, const std::string& what, long minValue, long maxValue);
double parseNumber(const std::string& text, const std::string& what, double minValue, double maxValue);

// Sample rate (1000..768000 Hz) and block size (1..65536 frames) options.
float parseSampleRate(const std::string& text);
int parseBlockSize(const std::string& text);

// One "INDEX=VALUE" parameter assignment with a normalised value 0..1. The
// index is checked against the plug-in later (see applyParameters).
struct ParamAssignment {
    int index;
    float value;
};
ParamAssignment parseAssignment(const std::string& text);
std::vector<ParamAssignment> parseAssignments(const std::vector<std::string>& texts);

// Requires exactly `count` positional words; `usage` is the synopsis shown
// in the error.
void requirePositional(const ParsedArgs& args, size_t count, const char* usage);

}  // namespace solvahost
