#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/gx_mutex.h"
#include "base/gx_types.h"

// One file of an archive, as its directory describes it.
struct GxPackEntry {
    std::u16string path;  // as stored, "/" between folders
    GxU32 size = 0;
    GxU64 fileTime = 0;  // FILETIME
    GxU64 offset = 0;    // from the data area
};

// The directory of one open pack archive, read once and kept in memory. The
// archive file itself is not kept open: every reader opens it anew.
class GxPackFileHeaderCache : private GxObjectNotCopyable {
public:
    GxPackFileHeaderCache() = default;
    virtual ~GxPackFileHeaderCache() = default;

    // Reads and checks the header and directory. A missing file fails quietly
    // (archives are optional); a damaged one is reported once.
    bool Load(std::u16string_view path);
    // Reads an archive image held in memory (`name` only labels messages); the
    // result can be searched but not opened for reading.
    bool LoadFromMemory(const void* data, size_t size, std::u16string_view name);
    void Reset();
    // Backslashes count as "/" and ASCII letters are compared without case.
    const GxPackEntry* FindEntry(std::u16string_view path) const;

    bool IsOpen() const { return m_Open; }
    bool IsScrambled() const { return m_Scrambled; }
    bool HasUtf16Names() const { return m_Utf16Names; }
    GxU64 GetDataOffset() const { return m_DataOffset; }
    const std::u16string& GetPath() const { return m_Path; }
    const std::string& GetNativePath() const { return m_NativePath; }
    // Every entry in directory order.
    const std::vector<GxPackEntry>& GetEntries() const { return m_Entries; }

private:
    using ReadAtFunction = std::function<GxU64(void* buffer, GxU64 count, GxU64 offset)>;
    bool ReadHeaderAndDirectory(const ReadAtFunction& readAt, GxU64 archiveSize);
    bool ReadDirectory(std::vector<GxU8>& directory, GxU32 count, GxU64 archiveSize);
    bool Fail(std::u16string_view reason);

    std::u16string m_Path;
    std::string m_NativePath;
    bool m_Open = false;
    bool m_Scrambled = false;
    bool m_Utf16Names = false;
    GxU64 m_DataOffset = 0;
    std::vector<GxPackEntry> m_Entries;
    std::unordered_map<std::u16string, size_t> m_NameMap;  // lowered path -> entry index
};

namespace gx {

// Key of a data file in the archives and the cache: backslashes as "/", ASCII
// letters lowered.
std::u16string MakeFileKey(std::u16string_view path);

// The open archives, searched in the order they were opened (the file lock
// guards the list). Returns the first archive's entry for `path`, or null.
const GxPackEntry* FindInPackFiles(std::u16string_view path, const GxPackFileHeaderCache** archive);

}  // namespace gx
