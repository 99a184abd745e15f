// Errors raised inside solva-host. A HostError ends the command with a
// one-line message and exit status 1; a UsageError (bad option, bad value,
// unknown command) with exit status 2. Neither is ever thrown while the
// plug-in is on the call stack: the host callback does not throw.
#pragma once

#include <stdexcept>
#include <string>

namespace solvahost {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

class HostError : public std::runtime_error {
public:
    explicit HostError(const std::string& message) : std::runtime_error(message) {}
};

class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace solvahost
