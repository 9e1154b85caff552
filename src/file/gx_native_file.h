#pragma once

#include <string>

#include "base/gx_types.h"

// A read-only operating-system file, closed with the object. Reads are positional,
// so several readers never disturb each other's position.
class GxNativeFile {
public:
    GxNativeFile() = default;
    ~GxNativeFile() { Close(); }
    GxNativeFile(GxNativeFile&& other) noexcept : m_Handle(other.m_Handle) { other.m_Handle = -1; }
    GxNativeFile& operator=(GxNativeFile&& other) noexcept;
    GxNativeFile(const GxNativeFile&) = delete;
    GxNativeFile& operator=(const GxNativeFile&) = delete;

    // Opens a regular file for reading; folders and special files are refused.
    bool Open(const std::string& nativePath);
    void Close();
    bool IsOpen() const { return m_Handle >= 0; }

    // Reads up to `count` bytes at `offset`, retrying short reads; returns the
    // bytes read (fewer at the end of the file or on an error).
    GxU64 ReadAt(void* buffer, GxU64 count, GxU64 offset) const;
    GxU64 GetSize() const;
    // Last-write time as a FILETIME (100-nanosecond intervals since 1601-01-01).
    GxU64 GetWriteTime() const;

private:
    int m_Handle = -1;
};
