// A second process for the change-notice tests:
//   storage_notice_helper <base directory> <instance id> notify|check
// "check" prints the poll's answer (0 or 1) and returns it as exit code.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "storage/preset_store.h"

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    const solva::PresetStore store(argv[1], std::atoi(argv[2]));
    if (std::strcmp(argv[3], "notify") == 0) {
        store.NotifyLibraryChanged();
        return 0;
    }
    const int answer = store.CheckLibraryChanged();
    std::printf("%d\n", answer);
    return answer;
}
