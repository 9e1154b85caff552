#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Picture sizes read from headers before a texture is made; failures are logged.
bool GetInfoFromFile(std::u16string_view path, int& width, int& height, int& depth);
bool GetInfoFromMemory(const void* data, size_t size, int& width, int& height, int& depth);
