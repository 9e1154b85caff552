#pragma once

#include <map>
#include <string>
#include <string_view>

#include "base/gx_types.h"

// A flat key=value configuration file. Keys are compared exactly (case matters);
// section headers carry no "=" and are ignored; the first value of a key wins.
class GxINIFile {
public:
    GxINIFile() = default;
    virtual ~GxINIFile() = default;

    // Clears the map and reads the file (loose or packed). Text with a UTF-8 or
    // UTF-16LE byte-order mark is read as such; without one it is UTF-8 when valid,
    // else CP932. False when the file cannot be read (reported unless `quiet`).
    bool Load(std::u16string_view path, bool quiet);
    void Clear() { m_Values.clear(); }

    std::u16string GetString(std::u16string_view key, std::u16string_view defaultValue) const;
    // Base from the prefix ("0x", "0b"), never octal. A decimal value outside the
    // result's range keeps the default (reported) instead of wrapping; hexadecimal
    // and binary values keep their low bits, so 0xFFAAEEFF reads as -5574913.
    GxS32 GetInt(std::u16string_view key, GxS32 defaultValue) const;
    GxS64 GetInt64(std::u16string_view key, GxS64 defaultValue) const;
    // True when the value, read as a decimal integer, is not 0.
    bool GetBool(std::u16string_view key, bool defaultValue) const;

    // Parses INI text into the map (after Clear()).
    void Parse(std::u16string_view text);

private:
    const std::u16string* Find(std::u16string_view key) const;

    std::map<std::u16string, std::u16string, std::less<>> m_Values;
};
