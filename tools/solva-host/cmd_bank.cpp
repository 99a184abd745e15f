// "bank": exports a bank of Solva's preset library to a ".solva" file, or
// imports one as a new bank (with a unique name), as the editor does.
#include <cstdio>
#include <string>

#include "cli_args.h"
#include "command.h"
#include "host_error.h"
#include "library_session.h"

namespace solvahost {

namespace {

int runBank(const ArgList& args) {
    const char* usage = "bank export BANK OUT.solva [--dir DIR] | bank import FILE.solva [--dir DIR]";
    ParsedArgs parsed = parseArgs(args, {{"dir", true}});
    if (parsed.has("help")) {
        std::printf("usage: solva-host %s\n", usage);
        return kExitOk;
    }
    const auto& words = parsed.positional;
    if (words.size() == 3 && words[0] == "export") {
        LibrarySession library(parsed.value("dir"));
        library.exportBank(words[1], words[2]);
        std::printf("exported bank '%s' to %s\n", words[1].c_str(), words[2].c_str());
        return kExitOk;
    }
    if (words.size() == 2 && words[0] == "import") {
        LibrarySession library(parsed.value("dir"));
        const std::string name = library.importBank(words[1]);
        std::printf("imported %s as bank '%s'\n", words[1].c_str(), name.c_str());
        return kExitOk;
    }
    throw UsageError(std::string("expected ") + usage);
}

}  // namespace

SOLVA_HOST_COMMAND(bank, "export or import a bank of Solva's preset library",
                   "bank export BANK OUT.solva [--dir DIR]\n"
                   "bank import FILE.solva [--dir DIR]",
                   runBank);

}  // namespace solvahost
