// Temporary stand-in until the file layer and INI reader land.
#include <sys/stat.h>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include "base/gx_path.h"
#include "base/gx_string.h"
#include "content/gx_ini_file.h"
#include "file/gx_file.h"

int FileExists(std::u16string_view path) {
    struct stat info {};
    return stat(gx::ToNativePath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode) ? 1 : 0;
}
bool OpenPackFile(std::u16string_view path) {
    return FileExists(path) != 0;
}
void CloseAllPackFiles() {}
void SetFileCacheCapacity(GxU32) {}
void SetFileCacheFileLimit(GxU32) {}
void SetFileCacheEnabled(bool) {}
void ClearFileCache() {}

bool GxINIFile::Load(std::u16string_view path, bool) {
    m_Values.clear();
    std::ifstream in(gx::ToNativePath(path), std::ios::binary);
    if (!in)
        return false;
    std::string line;
    while (std::getline(in, line)) {
        std::u16string wide = gx::Utf8ToUtf16(line);
        size_t eq = wide.find(u'=');
        if (eq == std::u16string::npos)
            continue;
        auto trim = [](std::u16string s) {
            while (!s.empty() && s.back() <= u' ')
                s.pop_back();
            size_t i = 0;
            while (i < s.size() && s[i] <= u' ')
                ++i;
            return s.substr(i);
        };
        m_Values.emplace(trim(wide.substr(0, eq)), trim(wide.substr(eq + 1)));
    }
    return true;
}
std::u16string GxINIFile::GetString(std::u16string_view key, std::u16string_view def) const {
    auto it = m_Values.find(key);
    return it == m_Values.end() ? std::u16string(def) : it->second;
}
GxS64 GxINIFile::GetInt64(std::u16string_view key, GxS64 def) const {
    auto it = m_Values.find(key);
    if (it == m_Values.end())
        return def;
    std::string text = gx::Utf16ToUtf8(it->second);
    bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    return static_cast<GxS64>(std::strtoull(text.c_str(), nullptr, hex ? 16 : 10));
}
GxS32 GxINIFile::GetInt(std::u16string_view key, GxS32 def) const {
    return static_cast<GxS32>(GetInt64(key, def));
}
bool GxINIFile::GetBool(std::u16string_view key, bool def) const {
    auto it = m_Values.find(key);
    return it == m_Values.end() ? def : std::atoi(gx::Utf16ToUtf8(it->second).c_str()) != 0;
}
