#pragma once

#include <cstdint>

// The one vertex of every drawer: pre-transformed pixels (z 0, reciprocal w 1),
// diffuse and specular colours as packed ARGB, one texture coordinate pair.
struct GxVertex {
    float x, y, z, rhw;
    std::uint32_t diffuse;
    std::uint32_t specular;
    float u, v;
};
static_assert(sizeof(GxVertex) == 32);
