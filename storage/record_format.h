// Tagged text records: "!KEY#VALUE#\n". The tokenizer, the number
// conventions and the name check shared by every storage file.
//
// Numbers are always read and written with "." as the decimal separator,
// whatever the process locale. Pure functions on open files: UI thread.
#pragma once

#include <cstddef>
#include <cstdio>

namespace solva {

constexpr int kTokenChars = 32;           // longest token
constexpr int kTokenBufferSize = kTokenChars + 1;

// Reads the next token into `buffer` (at least kTokenBufferSize bytes).
// Leading "#", "!", line feeds and carriage returns are skipped; a "#" or a
// line break ends the token; a token stops after 32 characters and the rest
// of the field becomes the next token. Returns 1 when the end of the file
// was met (the buffer holds what was read), else 0.
int ReadToken(std::FILE* file, char* buffer);

// Reads a token and converts its leading decimal number to a float (0 when
// there is none). Returns what ReadToken returned.
int ReadNumberToken(std::FILE* file, float* value);

// Leading decimal number of `text`: optional blanks and sign, digits, "."
// fraction, exponent; the rest is ignored; 0 when there is none. A comma is
// not a decimal separator ("5,0" reads as 5).
double parseLeadingNumber(const char* text);

// Leading integer of `text` (optional blanks and sign, decimal digits),
// clamped to the int range; 0 when there is none.
int parseLeadingInt(const char* text);

// True when `text` is not empty, holds only A-Z a-z 0-9 _ ( ) + - . space
// / & and has its terminating zero before position `bound`.
bool IsValidName(const char* text, int bound);
// As IsValidName, but an empty text passes.
bool IsValidNameOrEmpty(const char* text, int bound);

// Writes `value` widened to double with "%e", always with a "." separator.
// Returns the number of characters written into `out` (size >= 32).
int formatNumberE(float value, char* out, std::size_t size);

// Copies `text` into a field of `fieldSize` bytes, cutting it to
// fieldSize - 1 characters, and fills the rest of the field with zeros: a
// shorter name leaves nothing of the one before it in the stored bytes.
void copyToField(char* field, std::size_t fieldSize, const char* text);

}  // namespace solva
