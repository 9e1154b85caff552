#pragma once

#include <initializer_list>
#include <span>
#include <string_view>

#include "base/gx_types.h"

// The game's built-ins by range: a name's index is the range's first index plus
// its place in the list; the engine dispatches them by exact name within the range.
struct GxRillGameBuiltinRange {
    GxS32 first;
    GxS32 last;
    std::initializer_list<std::u16string_view> names;
};

std::span<const GxRillGameBuiltinRange> GetRillGameBuiltinRanges();
