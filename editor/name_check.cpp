#include "editor/name_check.h"

#include <cstring>

namespace solva {

bool isValidEditorName(const char* text, std::size_t limit) {
    if (!text) return false;
    const std::size_t length = std::strlen(text);
    if (length < 1 || length >= limit) return false;
    for (const char* p = text; *p; ++p) {
        const char c = *p;
        const bool alnum = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (!alnum && !std::strchr(" _()+-/&", c)) return false;
    }
    return true;
}

}  // namespace solva
