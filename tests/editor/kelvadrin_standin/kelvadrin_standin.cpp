// A stand-in for the file-dialog companion "Kelvadrin" used by the editor
// tests: no window, the "chosen" path comes from KELVADRIN_STANDIN_ANSWER
// (unset or empty = the user cancelled), and every call is appended to the
// file named by KELVADRIN_STANDIN_LOG as one line
//   <mode>|<defaultExtension>|<pattern>|<filter>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" __attribute__((visibility("default"))) int DialogueFichier(char* path, int mode,
                                                                     const char* defaultExtension,
                                                                     const char* pattern, const char* filter) {
    if (const char* log = std::getenv("KELVADRIN_STANDIN_LOG")) {
        if (std::FILE* f = std::fopen(log, "a")) {
            std::fprintf(f, "%d|%s|%s|%s\n", mode, defaultExtension ? defaultExtension : "(null)",
                         pattern ? pattern : "(null)", filter ? filter : "(null)");
            std::fclose(f);
        }
    }
    const char* answer = std::getenv("KELVADRIN_STANDIN_ANSWER");
    if (!answer || !answer[0] || !path) return 0;
    std::strncpy(path, answer, 4095);
    path[4095] = '\0';
    return 1;
}
