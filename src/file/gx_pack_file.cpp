#include "file/gx_pack_file.h"

#include <algorithm>
#include <cstring>

#include "base/gx_byte_order.h"
#include "base/gx_log.h"
#include "base/gx_path.h"
#include "base/gx_string.h"
#include "file/gx_loose_file.h"
#include "file/gx_native_file.h"
#include "file/gx_pack_format.h"
#include "file/gx_pack_scramble.h"

namespace gx {

std::u16string MakeFileKey(std::u16string_view path) {
    return ToLowerAscii(ToForwardSlashes(path));
}

}  // namespace gx

using namespace gx::pack;

void GxPackFileHeaderCache::Reset() {
    m_Path.clear();
    m_NativePath.clear();
    m_Open = false;
    m_Scrambled = false;
    m_Utf16Names = false;
    m_DataOffset = 0;
    m_Entries.clear();
    m_NameMap.clear();
}

bool GxPackFileHeaderCache::Fail(std::u16string_view reason) {
    LogError(u"Error/GxPackFileHeaderCache: damaged archive %s: %s\n", m_Path, reason);
    const std::u16string path = m_Path;
    Reset();
    m_Path = path;
    return false;
}

bool GxPackFileHeaderCache::Load(std::u16string_view path) {
    Reset();
    m_Path = path;
    std::string native;
    if (gx::FindLooseFile(path, &native) != GxLooseKind::File)
        return false;
    GxNativeFile file;
    if (!file.Open(native)) {
        LogError(u"Error/GxPackFileHeaderCache: cannot open archive %s\n", m_Path);
        return false;
    }
    const auto readAt = [&file](void* buffer, GxU64 count, GxU64 offset) {
        return file.ReadAt(buffer, count, offset);
    };
    if (!ReadHeaderAndDirectory(readAt, file.GetSize()))
        return false;
    m_NativePath = std::move(native);
    return true;
}

bool GxPackFileHeaderCache::LoadFromMemory(const void* data, size_t size,
                                           std::u16string_view name) {
    Reset();
    m_Path = name;
    const auto readAt = [data, size](void* buffer, GxU64 count, GxU64 offset) -> GxU64 {
        if (offset >= size)
            return 0;
        const GxU64 available = std::min<GxU64>(count, size - offset);
        std::memcpy(buffer, static_cast<const GxU8*>(data) + offset, available);
        return available;
    };
    return ReadHeaderAndDirectory(readAt, size);
}

bool GxPackFileHeaderCache::ReadHeaderAndDirectory(const ReadAtFunction& readAt,
                                                   GxU64 archiveSize) {
    GxU8 header[kHeaderSize];
    if (archiveSize < kHeaderSize || readAt(header, kHeaderSize, 0) != kHeaderSize) {
        return Fail(u"the header is truncated");
    }
    m_Utf16Names = gx::ReadLE32(header + kHeaderNameEncoding) != 0;
    m_Scrambled = gx::ReadLE32(header + kHeaderScrambled) != 0;
    const GxU32 count = gx::ReadLE32(header + kHeaderEntryCount);
    const GxU32 directorySize = gx::ReadLE32(header + kHeaderDirectorySize);
    m_DataOffset = gx::ReadLE64(header + kHeaderDataOffset);

    const GxU32 smallestEntry = kEntryName + (m_Utf16Names ? 2 : 1);
    if (directorySize > archiveSize - kHeaderSize) {
        return Fail(u"the directory runs past the end of the file");
    }
    if (count > directorySize / smallestEntry) {
        return Fail(
            gx::Format(u"%u entries cannot fit in a directory of %u bytes", count, directorySize));
    }
    if (m_DataOffset > archiveSize)
        return Fail(u"the data area starts past the end of the file");

    std::vector<GxU8> directory(directorySize);
    if (readAt(directory.data(), directorySize, kHeaderSize) != directorySize) {
        return Fail(u"the directory cannot be read");
    }
    if (!ReadDirectory(directory, count, archiveSize))
        return false;
    m_Open = true;
    return true;
}

bool GxPackFileHeaderCache::ReadDirectory(std::vector<GxU8>& directory, GxU32 count,
                                          GxU64 archiveSize) {
    const GxU64 dataAreaSize = archiveSize - m_DataOffset;
    const GxU32 nameUnit = m_Utf16Names ? 2 : 1;
    m_Entries.reserve(count);
    size_t position = 0;
    for (GxU32 index = 0; index < count; ++index) {
        GxU8* entry = directory.data() + position;
        const size_t remaining = directory.size() - position;
        if (remaining < 4)
            return Fail(gx::Format(u"entry %u runs past the directory", index));
        if (m_Scrambled)
            gx::ScramblePackBytes(entry, 4, 0);
        const GxU32 entrySize = gx::ReadLE32(entry + kEntrySize);
        if (entrySize == 0)
            return Fail(gx::Format(u"entry %u has size 0", index));
        if (entrySize > remaining) {
            return Fail(gx::Format(u"entry %u runs past the directory", index));
        }
        if (entrySize < kEntryName + nameUnit) {
            return Fail(gx::Format(u"entry %u is too small for its fields", index));
        }
        if (m_Scrambled)
            gx::ScramblePackBytes(entry + 4, entrySize - 4, 4);

        GxPackEntry parsed;
        parsed.size = gx::ReadLE32(entry + kEntryFileSize);
        parsed.fileTime = gx::ReadLE64(entry + kEntryFileTime);
        parsed.offset = gx::ReadLE64(entry + kEntryOffset);
        bool terminated = false;
        if (m_Utf16Names) {
            for (GxU32 at = kEntryName; at + 2 <= entrySize && !terminated; at += 2) {
                const char16_t unit = gx::ReadLE16(entry + at);
                terminated = unit == 0;
                if (!terminated)
                    parsed.path.push_back(unit);
            }
        } else {
            std::string_view bytes(reinterpret_cast<const char*>(entry + kEntryName),
                                   entrySize - kEntryName);
            const size_t end = bytes.find('\0');
            terminated = end != std::string_view::npos;
            if (terminated)
                parsed.path = gx::AnsiToUtf16(bytes.substr(0, end));
        }
        if (!terminated) {
            return Fail(gx::Format(u"the name of entry %u has no terminator", index));
        }
        if (parsed.offset > dataAreaSize || parsed.size > dataAreaSize - parsed.offset) {
            return Fail(gx::Format(u"the data of %s runs past the end of the file", parsed.path));
        }
        m_NameMap.emplace(gx::MakeFileKey(parsed.path), m_Entries.size());
        m_Entries.push_back(std::move(parsed));
        position += entrySize;
    }
    return true;
}

const GxPackEntry* GxPackFileHeaderCache::FindEntry(std::u16string_view path) const {
    auto it = m_NameMap.find(gx::MakeFileKey(path));
    return it == m_NameMap.end() ? nullptr : &m_Entries[it->second];
}
