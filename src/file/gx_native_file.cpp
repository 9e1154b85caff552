#include "file/gx_native_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {
// Seconds between 1601-01-01 and 1970-01-01.
constexpr GxU64 kFileTimeEpochOffset = 11644473600ULL;
}  // namespace

GxNativeFile& GxNativeFile::operator=(GxNativeFile&& other) noexcept {
    if (this != &other) {
        Close();
        m_Handle = other.m_Handle;
        other.m_Handle = -1;
    }
    return *this;
}

bool GxNativeFile::Open(const std::string& nativePath) {
    Close();
    int handle = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC);
    if (handle < 0)
        return false;
    struct stat info {};
    if (::fstat(handle, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(handle);
        return false;
    }
    m_Handle = handle;
    return true;
}

void GxNativeFile::Close() {
    if (m_Handle >= 0)
        ::close(m_Handle);
    m_Handle = -1;
}

GxU64 GxNativeFile::ReadAt(void* buffer, GxU64 count, GxU64 offset) const {
    if (m_Handle < 0)
        return 0;
    auto* out = static_cast<unsigned char*>(buffer);
    GxU64 done = 0;
    while (done < count) {
        // Linux transfers at most about 2 GiB per call.
        size_t chunk = static_cast<size_t>(count - done < (1U << 30) ? count - done : (1U << 30));
        ssize_t got = ::pread(m_Handle, out + done, chunk, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<GxU64>(got);
    }
    return done;
}

GxU64 GxNativeFile::GetSize() const {
    struct stat info {};
    if (m_Handle < 0 || ::fstat(m_Handle, &info) != 0)
        return 0;
    return static_cast<GxU64>(info.st_size);
}

GxU64 GxNativeFile::GetWriteTime() const {
    struct stat info {};
    if (m_Handle < 0 || ::fstat(m_Handle, &info) != 0)
        return 0;
    const auto seconds = static_cast<GxS64>(info.st_mtim.tv_sec) + kFileTimeEpochOffset;
    return static_cast<GxU64>(seconds) * 10'000'000ULL +
           static_cast<GxU64>(info.st_mtim.tv_nsec) / 100;
}
