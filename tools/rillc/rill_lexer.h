#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "script/gx_rill_token.h"

// The names a line is lexed against: built-ins (with aliases) and DEFINE constants.
struct RillNames {
    std::map<std::u16string, GxS32, std::less<>> builtins;
    std::map<std::u16string, GxRillToken, std::less<>> defines;
};

// Reads the lines of a here-document ending at a line `tag`; false when none ends it.
using RillHeredocReader = std::function<bool(std::u16string_view tag, std::u16string& text)>;

// Turns the code of one line into tokens. It decides unary from binary `+`/`-`,
// adds `()` to a bare built-in, wraps a compound array index in parentheses,
// and refuses what the engine cannot run. On failure `error` says why.
bool LexRillCode(std::u16string_view code, const RillNames& names, const RillHeredocReader& heredoc,
                 std::vector<GxRillToken>& tokens, std::u16string& error);

bool IsRillNameChar(char16_t c);
