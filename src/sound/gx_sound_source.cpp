#include "sound/gx_sound_source.h"

#include <algorithm>
#include <cstring>

#include "file/gx_file_handle.h"

namespace {

class MemorySource final : public GxSoundSource {
public:
    explicit MemorySource(std::vector<GxU8> bytes) : m_Bytes(std::move(bytes)) {}

    GxU32 Read(void* buffer, GxU32 count) override {
        GxU64 left = m_Bytes.size() - m_Position;
        GxU32 n = static_cast<GxU32>(std::min<GxU64>(count, left));
        if (n)
            std::memcpy(buffer, m_Bytes.data() + m_Position, n);
        m_Position += n;
        return n;
    }
    bool Seek(GxS64 offset, int origin) override {
        GxS64 base = origin == 0   ? 0
                     : origin == 1 ? m_Position
                                   : static_cast<GxS64>(m_Bytes.size());
        if (origin < 0 || origin > 2)
            return false;
        GxS64 target = base + offset;
        if (target < 0 || target > static_cast<GxS64>(m_Bytes.size()))
            return false;
        m_Position = static_cast<GxU64>(target);
        return true;
    }
    GxS64 GetSize() override { return static_cast<GxS64>(m_Bytes.size()); }
    GxS64 GetPosition() override { return static_cast<GxS64>(m_Position); }

private:
    std::vector<GxU8> m_Bytes;
    GxU64 m_Position = 0;
};

// A loose file or a pack-archive entry through the engine's file layer.
class FileSource final : public GxSoundSource {
public:
    bool Open(std::u16string_view path) { return m_File.Open(path); }

    GxU32 Read(void* buffer, GxU32 count) override { return m_File.Read(buffer, count); }
    bool Seek(GxS64 offset, int origin) override {
        if (origin < 0 || origin > 2)
            return false;
        const GxS64 base = origin == 0   ? 0
                           : origin == 1 ? m_File.GetPosition()
                                         : GxS64{m_File.GetSize()};
        const GxS64 target = base + offset;
        // The handle clamps; a target outside the file is a failed seek here.
        if (target < 0 || target > GxS64{m_File.GetSize()})
            return false;
        return m_File.Seek(target, 0);
    }
    GxS64 GetSize() override { return m_File.GetSize(); }
    GxS64 GetPosition() override { return m_File.GetPosition(); }

private:
    GxFileHandle m_File;
};

}  // namespace

namespace gx {

std::unique_ptr<GxSoundSource> OpenSoundSource(std::u16string_view path) {
    auto source = std::make_unique<FileSource>();
    if (!source->Open(path))
        return nullptr;
    return source;
}

std::unique_ptr<GxSoundSource> MakeMemorySoundSource(std::vector<GxU8> bytes) {
    return std::make_unique<MemorySource>(std::move(bytes));
}

}  // namespace gx
