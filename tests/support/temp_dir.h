#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace gxtest {

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "gxtest-XXXXXX").string();
        char* made = mkdtemp(pattern.data());
        m_Path = made ? made : pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_Path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_Path; }
    std::string Str() const { return m_Path.string(); }
    std::u16string U16() const {
        std::u8string u8 = m_Path.u8string();
        std::u16string out;
        for (char8_t c : u8) out.push_back(static_cast<char16_t>(c));  // paths here are ASCII
        return out;
    }

    // Writes `bytes` to a file below the folder, creating parent folders.
    void Write(const std::string& relative, const std::string& bytes) const {
        std::filesystem::path path = m_Path / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::string Read(const std::string& relative) const {
        std::ifstream in(m_Path / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path m_Path;
};

}  // namespace gxtest
