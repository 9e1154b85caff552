#pragma once

#include <cstdint>

// The engine's fixed-width scalar names, as used in persisted data and messages.
using GxS8 = std::int8_t;
using GxU8 = std::uint8_t;
using GxS16 = std::int16_t;
using GxU16 = std::uint16_t;
using GxS32 = std::int32_t;
using GxU32 = std::uint32_t;
using GxS64 = std::int64_t;
using GxU64 = std::uint64_t;
using GxF32 = float;
using GxF64 = double;
