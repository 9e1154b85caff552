#pragma once

#include <filesystem>

namespace gxtest {

// Makes `path` the current directory (the game folder) while it lives.
class ScopedCurrentDir {
public:
    explicit ScopedCurrentDir(const std::filesystem::path& path)
        : m_Previous(std::filesystem::current_path()) {
        std::filesystem::current_path(path);
    }
    ~ScopedCurrentDir() {
        std::error_code ignored;
        std::filesystem::current_path(m_Previous, ignored);
    }
    ScopedCurrentDir(const ScopedCurrentDir&) = delete;
    ScopedCurrentDir& operator=(const ScopedCurrentDir&) = delete;

private:
    std::filesystem::path m_Previous;
};

}  // namespace gxtest
