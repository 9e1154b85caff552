#pragma once

#include <unistd.h>

#include <string>

#include "support/temp_dir.h"

namespace gxtest {

// A temporary game folder made the current directory for the test's lifetime.
class GameFolder : public TempDir {
public:
    GameFolder() {
        char original[4096];
        if (getcwd(original, sizeof original))
            m_Original = original;
        if (chdir(Str().c_str()) != 0)
            m_Original.clear();
    }
    ~GameFolder() {
        if (!m_Original.empty() && chdir(m_Original.c_str()) != 0) {
        }
    }

private:
    std::string m_Original;
};

}  // namespace gxtest
