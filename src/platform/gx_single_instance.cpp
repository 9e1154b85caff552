#include "platform/gx_single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "base/gx_string.h"
#include "platform/gx_folders.h"

GxSingleInstanceLock::~GxSingleInstanceLock() {
    Release();
}

std::string GxSingleInstanceLock::LockPathFor(std::u16string_view key) {
    std::string name = gx::Utf16ToUtf8(key);
    for (char& c : name) {
        if (c == '/' || c == '\0')
            c = '_';
    }
    return gx::GetRuntimeFolder() + "/gxadv-" + name + ".lock";
}

bool GxSingleInstanceLock::Acquire(std::u16string_view key) {
    Release();
    std::string path = LockPathFor(key);
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    m_Fd = fd;
    m_Path = path;
    return true;
}

void GxSingleInstanceLock::Release() {
    if (m_Fd < 0)
        return;
    // The file stays: removing it would let a third instance lock a new file
    // while a second one still waits on the old one.
    flock(m_Fd, LOCK_UN);
    close(m_Fd);
    m_Fd = -1;
    m_Path.clear();
}
