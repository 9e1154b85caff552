#pragma once

#include <string>
#include <string_view>

#include "base/gx_mutex.h"

// Holds an exclusive lock on a file named after the game's title in the runtime
// folder while the game runs; a second instance of the same title cannot take it.
// The file is opened close-on-exec, so programs the game starts never keep it.
class GxSingleInstanceLock : private GxObjectNotCopyable {
public:
    GxSingleInstanceLock() = default;
    ~GxSingleInstanceLock();

    // True when this process now holds the lock for `key`; false when another holds it.
    bool Acquire(std::u16string_view key);
    void Release();
    bool IsHeld() const { return m_Fd >= 0; }
    int FileDescriptor() const { return m_Fd; }
    const std::string& LockPath() const { return m_Path; }

    // The lock file's path for a key: runtime folder + "/gxadv-" + key with '/' replaced + ".lock".
    static std::string LockPathFor(std::u16string_view key);

private:
    int m_Fd = -1;
    std::string m_Path;
};
