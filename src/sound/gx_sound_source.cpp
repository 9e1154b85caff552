#include "sound/gx_sound_source.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/gx_path.h"

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

class StdioSource final : public GxSoundSource {
public:
    explicit StdioSource(std::FILE* file) : m_File(file) {
        std::fseek(m_File, 0, SEEK_END);
        m_Size = ftello(m_File);
        std::fseek(m_File, 0, SEEK_SET);
    }
    ~StdioSource() override { std::fclose(m_File); }

    GxU32 Read(void* buffer, GxU32 count) override {
        return static_cast<GxU32>(std::fread(buffer, 1, count, m_File));
    }
    bool Seek(GxS64 offset, int origin) override {
        static const int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
        if (origin < 0 || origin > 2)
            return false;
        return fseeko(m_File, offset, kWhence[origin]) == 0;
    }
    GxS64 GetSize() override { return m_Size; }
    GxS64 GetPosition() override { return ftello(m_File); }

private:
    std::FILE* m_File;
    GxS64 m_Size = 0;
};

}  // namespace

namespace gx {

std::unique_ptr<GxSoundSource> OpenSoundSource(std::u16string_view path) {
    std::FILE* file = std::fopen(ToNativePath(path).c_str(), "rb");
    if (!file)
        return nullptr;
    return std::make_unique<StdioSource>(file);
}

std::unique_ptr<GxSoundSource> MakeMemorySoundSource(std::vector<GxU8> bytes) {
    return std::make_unique<MemorySource>(std::move(bytes));
}

}  // namespace gx
