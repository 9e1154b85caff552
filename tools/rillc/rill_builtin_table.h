#pragma once

#include <string_view>
#include <vector>

#include "base/gx_types.h"

struct RillBuiltinName {
    std::u16string_view name;
    GxS32 index;
};

// Every built-in the engine knows, with the index it dispatches on.
const std::vector<RillBuiltinName>& GetRillBuiltinNames();
// Whether `index` is one of the general built-ins (the only ones an alias may name).
bool IsRillGeneralBuiltinIndex(GxS32 index);
