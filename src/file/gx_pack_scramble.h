#pragma once

#include <cstddef>

#include "base/gx_types.h"

namespace gx {

// Scrambles or unscrambles (the operation is its own inverse) `size` bytes that
// sit at `position` within their directory entry or file: byte n is combined with
// (n mod 256) xor K[n mod 23]. The key stream repeats every 256 * 23 bytes and is
// precomputed, so this runs at memory speed.
void ScramblePackBytes(void* data, size_t size, GxU64 position);

}  // namespace gx
