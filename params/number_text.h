// Locale-independent number formatting for value texts: the decimal point is
// always ".", whatever locale the host process has set. The results match
// printf's "%.Nf" and "%d" in the "C" locale.
#pragma once

#include <cstddef>

namespace solva {

// Writes value with `decimals` digits after the point, like "%.*f", into out
// (capacity bytes, always terminated). Returns the number of characters written.
int formatFixed(double value, int decimals, char* out, std::size_t capacity);
// Writes an integer like "%d".
int formatInt(int value, char* out, std::size_t capacity);

// Reads a decimal number from the start of text like strtod in the "C"
// locale: leading white space and an optional sign are skipped, the longest
// valid prefix is converted, "0x" hexadecimal, "inf" and "nan" are accepted.
// Text that does not start with a number gives 0.0.
double parseDecimal(const char* text);

}  // namespace solva
