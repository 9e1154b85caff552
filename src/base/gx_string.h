#pragma once

#include <string>
#include <string_view>
#include <vector>

// Text is UTF-16 throughout the engine; narrow strings are bytes in a known
// encoding: UTF-8, or the ANSI code page of the game data (CP932).
using GxString = std::u16string;

namespace gx {

// UTF-8 <-> UTF-16. Malformed input becomes U+FFFD; nothing is dropped silently.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
bool IsValidUtf8(std::string_view text);

// ANSI code page (CP932) <-> UTF-16. Unmappable characters become U+FFFD on the
// way in and '?' on the way out.
std::u16string AnsiToUtf16(std::string_view text);
std::string Utf16ToAnsi(std::u16string_view text);
bool IsAnsiLeadByte(unsigned char byte);

// Names used as keys are lowered for ASCII letters A to Z only.
std::u16string ToLowerAscii(std::u16string_view text);
std::u16string ToUpperAscii(std::u16string_view text);
std::string ToLowerAscii(std::string_view text);
bool EqualsIgnoreAsciiCase(std::u16string_view a, std::u16string_view b);

// The text from the last '.' when it follows the last '\\', '/' or ':'; empty otherwise.
std::u16string GetExtension(std::u16string_view name);
bool HasExtension(std::u16string_view name, std::u16string_view extension);

// Splits at `delimiter` into exactly `count` pieces: missing pieces are empty,
// text after the last expected piece is dropped.
std::vector<std::u16string> SplitExactly(std::u16string_view text, char16_t delimiter,
                                         size_t count);

// Integer to text, for building names and keys without the formatter.
std::u16string ToU16(long long value);

}  // namespace gx
