#include "storage/record_format.h"

#include <charconv>
#include <climits>
#include <clocale>
#include <cstring>

namespace solva {

int ReadToken(std::FILE* file, char* buffer) {
    int stored = 0;
    for (;;) {
        if (std::feof(file)) {
            buffer[stored] = 0;
            return 1;
        }
        const int c = std::fgetc(file);
        if (c == EOF) {
            buffer[stored] = 0;
            return 1;
        }
        const bool separator = c == '#' || c == '\n' || c == '\r';
        if (stored == 0) {
            if (separator || c == '!') continue;
        } else if (separator) {
            buffer[stored] = 0;
            return 0;
        }
        buffer[stored++] = char(c);
        if (stored == kTokenChars) {
            buffer[stored] = 0;
            return 0;
        }
    }
}

int ReadNumberToken(std::FILE* file, float* value) {
    char token[kTokenBufferSize];
    const int result = ReadToken(file, token);
    *value = float(parseLeadingNumber(token));
    return result;
}

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }
}  // namespace

double parseLeadingNumber(const char* text) {
    const char* p = text;
    while (isBlank(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    // Only a plain decimal number counts: no "inf", "nan" or hexadecimal.
    if (!isDigit(*p) && !(*p == '.' && isDigit(p[1]))) return 0.0;
    double value = 0.0;
    const auto parsed = std::from_chars(p, p + std::strlen(p), value, std::chars_format::general);
    if (parsed.ec != std::errc()) return 0.0;  // out of double range
    return negative ? -value : value;
}

int parseLeadingInt(const char* text) {
    const char* p = text;
    while (isBlank(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    long long value = 0;
    for (; isDigit(*p); ++p) {
        value = value * 10 + (*p - '0');
        if (value > 0x80000000LL) value = 0x80000000LL;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return int(value);
}

namespace {
bool isNameChar(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    return c != 0 && std::strchr("_()+-. /&", c) != nullptr;
}
}  // namespace

bool IsValidNameOrEmpty(const char* text, int bound) {
    if (!text) return false;
    for (int i = 0; i < bound; ++i) {
        if (text[i] == 0) return true;
        if (!isNameChar((unsigned char)text[i])) return false;
    }
    return false;  // no terminator before `bound`
}

bool IsValidName(const char* text, int bound) {
    return text && text[0] != 0 && IsValidNameOrEmpty(text, bound);
}

int formatNumberE(float value, char* out, std::size_t size) {
    int n = std::snprintf(out, size, "%e", double(value));
    if (n < 0) {
        out[0] = 0;
        return 0;
    }
    // A host may have switched the C locale to one with a comma; files
    // always carry a point.
    const char* point = std::localeconv()->decimal_point;
    if (point && point[0] && std::strcmp(point, ".") != 0) {
        const std::size_t pointLen = std::strlen(point);
        if (char* at = std::strstr(out, point)) {
            *at = '.';
            std::memmove(at + 1, at + pointLen, std::strlen(at + pointLen) + 1);
            n = int(std::strlen(out));
        }
    }
    return n;
}

void copyToField(char* field, std::size_t fieldSize, const char* text) {
    if (fieldSize == 0) return;
    std::size_t i = 0;
    for (; text && text[i] && i + 1 < fieldSize; ++i) field[i] = text[i];
    std::memset(field + i, 0, fieldSize - i);
}

}  // namespace solva
