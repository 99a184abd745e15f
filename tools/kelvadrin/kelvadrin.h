/* Kelvadrin: the companion file-dialog library that the plug-in loads at
 * run time for bank export and import ("Kelvadrin.dll" on Windows,
 * "Kelvadrin.so" elsewhere), with one C entry point, "DialogueFichier".
 *
 *   path       in: the proposed file (may be empty); out: the chosen full
 *              path. A buffer of at least KELVADRIN_PATH_CHARS characters;
 *              the answer, with its terminating zero, never exceeds that.
 *   mode       KELVADRIN_SAVE (0) or KELVADRIN_OPEN (1)
 *   extension  default extension without the dot, "solva": appended to a
 *              saved name that has none
 *   pattern    initial file pattern, "*.solva"
 *   filter     display name / pattern pairs separated by '|', ending in
 *              "||": "Solva Files (*.solva)|*.solva|All Files (*.*)|*.*||"
 *
 * Returns 1 when the user confirmed a file (its path is in `path`), 0 when
 * the dialog was cancelled, -1 when no dialog can be shown (on Linux:
 * neither zenity nor kdialog is installed). A caller that cannot load the
 * library or find the entry point treats that as -1 too. Call from the
 * user-interface thread; the call blocks until the dialog closes. The
 * calling convention is the platform's default C one (cdecl on 32-bit
 * Windows). */
#ifndef KELVADRIN_H
#define KELVADRIN_H

#define KELVADRIN_PATH_CHARS 260
#define KELVADRIN_SAVE 0
#define KELVADRIN_OPEN 1
#define KELVADRIN_ENTRY_POINT "DialogueFichier"

#if defined(_WIN32)
#define KELVADRIN_LIBRARY_NAME "Kelvadrin.dll"
#else
#define KELVADRIN_LIBRARY_NAME "Kelvadrin.so"
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef int (*KelvadrinDialogueFichier)(char* path, int mode, const char* extension, const char* pattern,
                                        const char* filter);

#if defined(KELVADRIN_BUILDING)
#if defined(_WIN32)
#define KELVADRIN_API
#else
#define KELVADRIN_API __attribute__((visibility("default")))
#endif
KELVADRIN_API int DialogueFichier(char* path, int mode, const char* extension, const char* pattern,
                                  const char* filter);
#endif

#ifdef __cplusplus
}
#endif

#endif /* KELVADRIN_H */
