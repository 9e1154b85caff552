#pragma once

#include <string_view>

#include "base/gx_mutex.h"
#include "base/gx_types.h"
#include "file/gx_native_file.h"

class GxPackFileHeaderCache;
struct GxPackEntry;

// A data file opened for streaming reads with seeking: a loose file (which always
// wins) or an entry of an open pack archive. A handle belongs to one thread at a
// time; Read and Seek take no lock. The handle keeps its own copy of everything it
// needs, so it stays valid when the archives are closed.
class GxFileHandle : private GxObjectNotCopyable {
public:
    GxFileHandle() = default;
    virtual ~GxFileHandle() { Close(); }

    bool Open(std::u16string_view path);
    // Opens one entry of a given archive, bypassing loose files and the archive list.
    bool OpenEntry(const GxPackFileHeaderCache& archive, const GxPackEntry& entry);
    // Reads up to `count` bytes at the position; returns the bytes read, 0 when
    // closed or at the end.
    GxU32 Read(void* buffer, GxU32 count);
    // Origin 0 from the start, 1 from the position, 2 from the end; the target is
    // clamped to 0..size and the end-of-file flag set at or past the size.
    bool Seek(GxS64 offset, int origin);
    GxU32 GetSize() const { return m_Size; }
    GxS64 GetPosition() const { return m_Position; }
    GxU64 GetFileTime() const { return m_FileTime; }
    bool IsEof() const { return m_Eof; }
    bool IsOpen() const { return m_Open; }
    void Close();

private:
    GxNativeFile m_File;
    GxU32 m_Size = 0;
    GxU64 m_FileTime = 0;
    GxS64 m_Position = 0;
    GxU64 m_Base = 0;  // where the file's first byte lies in the operating-system file
    bool m_Scrambled = false;
    bool m_Open = false;
    bool m_Eof = false;
};
