#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

struct GxImage;

// Picture sizes read from headers before a texture is made; failures are logged.
bool GetInfoFromFile(std::u16string_view path, int& width, int& height, int& depth);
// Reads and decodes a picture file; pixels equal to a non-zero colour key become
// transparent black. False (without a message) when it cannot be read or decoded.
bool LoadImageFromFile(std::u16string_view path, std::uint32_t colorKey, GxImage& image);
void ApplyColorKey(GxImage& image, std::uint32_t colorKey);
bool GetInfoFromMemory(const void* data, size_t size, int& width, int& height, int& depth);
