#include "params/number_text.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace solva {

namespace {

int finish(char* out, std::to_chars_result r) {
    if (r.ec != std::errc()) {
        out[0] = '\0';
        return 0;
    }
    *r.ptr = '\0';
    return static_cast<int>(r.ptr - out);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// Whether the number text [begin, end) has an exponent with a minus sign.
bool exponentIsNegative(const char* begin, const char* end) {
    for (const char* q = begin; q + 1 < end; ++q)
        if (*q == 'e' || *q == 'E' || *q == 'p' || *q == 'P') return q[1] == '-';
    return false;
}

}  // namespace

int formatFixed(double value, int decimals, char* out, std::size_t capacity) {
    if (capacity == 0) return 0;
    // Keep one byte for the terminator.
    return finish(out, std::to_chars(out, out + capacity - 1, value, std::chars_format::fixed, decimals));
}

int formatInt(int value, char* out, std::size_t capacity) {
    if (capacity == 0) return 0;
    return finish(out, std::to_chars(out, out + capacity - 1, value));
}

double parseDecimal(const char* text) {
    if (!text) return 0.0;
    const char* p = text;
    while (isBlank(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    const char* end = p + std::strlen(p);
    std::chars_format format = std::chars_format::general;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        format = std::chars_format::hex;
        p += 2;
    }
    double value = 0.0;
    const std::from_chars_result r = std::from_chars(p, end, value, format);
    if (r.ec == std::errc::invalid_argument) {
        // "0x" without hexadecimal digits reads as the zero before the x.
        return 0.0;
    }
    // Out of range: like strtod, infinity for an overflow and 0 for an underflow.
    if (r.ec == std::errc::result_out_of_range) value = exponentIsNegative(p, r.ptr) ? 0.0 : HUGE_VAL;
    return negative ? -value : value;
}

}  // namespace solva
