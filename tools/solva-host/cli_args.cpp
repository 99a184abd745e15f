#include "cli_args.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "host_error.h"

namespace solvahost {

bool ParsedArgs::has(const std::string& name) const { return options_.count(name) != 0; }

std::string ParsedArgs::value(const std::string& name, const std::string& fallback) const {
    auto range = options_.equal_range(name);
    if (range.first == range.second) return fallback;
    return std::prev(range.second)->second;
}

std::vector<std::string> ParsedArgs::values(const std::string& name) const {
    std::vector<std::string> result;
    auto range = options_.equal_range(name);
    for (auto it = range.first; it != range.second; ++it) result.push_back(it->second);
    return result;
}

void ParsedArgs::add(const std::string& name, const std::string& value) { options_.emplace(name, value); }

namespace {

const OptionDef* findOptionDef(const std::vector<OptionDef>& defs, const std::string& name) {
    for (const OptionDef& def : defs)
        if (name == def.name) return &def;
    return nullptr;
}

}  // namespace

ParsedArgs parseArgs(const ArgList& args, const std::vector<OptionDef>& defs) {
    ParsedArgs parsed;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            parsed.positional.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        if (word == "-h" || word == "--help") {
            parsed.add("help", "");
            continue;
        }
        if (word.compare(0, 2, "--") != 0) throw UsageError("unknown option '" + word + "'");
        std::string name = word.substr(2);
        std::string inlineValue;
        bool hasInlineValue = false;
        size_t equals = name.find('=');
        if (equals != std::string::npos) {
            inlineValue = name.substr(equals + 1);
            name.resize(equals);
            hasInlineValue = true;
        }
        const OptionDef* def = findOptionDef(defs, name);
        if (!def) throw UsageError("unknown option '--" + name + "'");
        if (!def->takesValue) {
            if (hasInlineValue) throw UsageError("option '--" + name + "' takes no value");
            parsed.add(name, "");
        } else if (hasInlineValue) {
            parsed.add(name, inlineValue);
        } else {
            if (i + 1 >= args.size()) throw UsageError("option '--" + name + "' needs a value");
            parsed.add(name, args[++i]);
        }
    }
    return parsed;
}

long parseInteger(const std::string& text, const std::string& what, long minValue, long maxValue) {
    errno = 0;
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE)
        throw UsageError(what + " must be a whole number, not '" + text + "'");
    if (value < minValue || value > maxValue)
        throw UsageError(what + " must be between " + std::to_string(minValue) + " and " + std::to_string(maxValue) +
                         ", not " + text);
    return value;
}

double parseNumber(const std::string& text, const std::string& what, double minValue, double maxValue) {
    errno = 0;
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || errno == ERANGE || !std::isfinite(value))
        throw UsageError(what + " must be a number, not '" + text + "'");
    if (value < minValue || value > maxValue)
        throw UsageError(what + " must be between " + std::to_string(minValue) + " and " + std::to_string(maxValue) +
                         ", not " + text);
    return value;
}

float parseSampleRate(const std::string& text) { return float(parseNumber(text, "sample rate", 1000.0, 768000.0)); }

int parseBlockSize(const std::string& text) { return int(parseInteger(text, "block size", 1, 65536)); }

ParamAssignment parseAssignment(const std::string& text) {
    size_t equals = text.find('=');
    if (equals == std::string::npos) throw UsageError("parameter setting '" + text + "' must look like INDEX=VALUE");
    ParamAssignment assignment;
    assignment.index = int(parseInteger(text.substr(0, equals), "parameter index", 0, 1 << 20));
    assignment.value = float(parseNumber(text.substr(equals + 1), "parameter value", 0.0, 1.0));
    return assignment;
}

std::vector<ParamAssignment> parseAssignments(const std::vector<std::string>& texts) {
    std::vector<ParamAssignment> result;
    for (const std::string& text : texts) result.push_back(parseAssignment(text));
    return result;
}

void requirePositional(const ParsedArgs& args, size_t count, const char* usage) {
    if (args.positional.size() != count)
        throw UsageError(std::string("expected ") + std::to_string(count) + " argument" + (count == 1 ? "" : "s") +
                         ": " + usage);
}

}  // namespace solvahost
