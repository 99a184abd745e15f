// "presets": lists Solva's preset library, grouped by bank.
#include <cstdio>
#include <string>

#include "cli_args.h"
#include "command.h"
#include "host_error.h"
#include "library_session.h"

namespace solvahost {

namespace {

int runPresets(const ArgList& args) {
    const char* usage = "presets [--dir DIR]";
    ParsedArgs parsed = parseArgs(args, {{"dir", true}});
    if (parsed.has("help")) {
        std::printf("usage: solva-host %s\n", usage);
        return kExitOk;
    }
    if (!parsed.positional.empty()) throw UsageError(std::string("expected ") + usage);
    LibrarySession library(parsed.value("dir"));
    std::printf("Preset library: %s\n", library.directory().c_str());
    std::string bank;
    int count = 0;
    for (const LibrarySession::Entry& e : library.entries()) {
        if (e.bank != bank || count == 0) {
            bank = e.bank;
            std::printf("\n%s\n", bank.c_str());
        }
        std::printf("  %4d  %-32s %-20s %d bands%s\n", e.number, e.name.c_str(), e.author.c_str(), e.bandCount,
                    e.factory ? "  (factory)" : "");
        ++count;
    }
    std::printf("\n%d presets\n", count);
    return kExitOk;
}

}  // namespace

SOLVA_HOST_COMMAND(presets, "list Solva's preset library by bank", "presets [--dir DIR]", runPresets);

}  // namespace solvahost
