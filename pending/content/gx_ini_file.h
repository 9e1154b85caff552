#pragma once
// Temporary stand-in until the INI reader lands; replaced by the real one at merge.
#include <map>
#include <string>
#include <string_view>
#include "base/gx_types.h"
class GxINIFile {
public:
    virtual ~GxINIFile() = default;
    bool Load(std::u16string_view path, bool quiet);
    std::u16string GetString(std::u16string_view key, std::u16string_view def) const;
    GxS32 GetInt(std::u16string_view key, GxS32 def) const;
    GxS64 GetInt64(std::u16string_view key, GxS64 def) const;
    bool GetBool(std::u16string_view key, bool def) const;

private:
    std::map<std::u16string, std::u16string, std::less<>> m_Values;
};
