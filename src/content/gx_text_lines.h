#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/gx_types.h"

// Reads a text file (loose or packed) and appends its lines, without line ends, to
// `lines`. The encoding comes from the byte-order mark: UTF-8, UTF-16LE, else the
// ANSI code page (CP932); UTF-16 big-endian is refused. A line ends at a line
// feed (with the carriage returns and form feeds right after it); carriage
// returns and form feeds are dropped anywhere; a zero character ends the text; a
// final line feed adds no empty line. False when the file cannot be read, is
// empty, or is UTF-16 big-endian.
bool LoadTextLines(std::vector<std::u16string>& lines, std::u16string_view path, bool skipEmpty);

// Splits decoded text into lines by the rules above.
void SplitTextLines(std::u16string_view text, std::vector<std::u16string>& lines, bool skipEmpty);

// Integer syntax of the engine's text files: blanks (spaces, tabs), a sign ("+",
// "-" or their full-width forms), then digits. Base 0 picks the base from the
// prefix: "0x" hexadecimal, "0b" binary, "0" octal unless `noOctal` (then the
// text is decimal), else decimal. Bases 2, 8 and 16 skip their prefix; bases 3
// to 35 and 10 read as they are; any other base gives 0. Reading stops at the
// first character that is not a digit of the base or after the most digits the
// base allows (32-bit: decimal 10, hexadecimal 8, binary 32, octal 11, others
// 32); the value keeps the low bits. `end`, when given, receives the position
// after the last character used.
GxS32 ParseInt(const char16_t* text, const char16_t** end, int base, bool noOctal);
// The same with 64-bit limits (decimal 19, hexadecimal 16, binary 64, octal 21,
// others 64).
GxS64 ParseInt64(const char16_t* text, const char16_t** end, int base, bool noOctal);

// What number the text starts with, looking no further than `end`: 0 none, 1
// decimal (optional sign and digits), 2 hexadecimal ("0x" and at least one
// hexadecimal digit, no sign). `length` receives the characters it takes.
int ClassifyNumber(const char16_t* text, int* length, const char16_t* end);
