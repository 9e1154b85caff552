#pragma once

#include <cstdint>
#include <memory>

// An owned byte block with a use count; whole files are loaded into it.
class GxBinBuffer {
public:
    GxBinBuffer() = default;
    explicit GxBinBuffer(std::uint32_t size) { Alloc(size); }
    virtual ~GxBinBuffer() = default;
    GxBinBuffer(const GxBinBuffer&) = delete;
    GxBinBuffer& operator=(const GxBinBuffer&) = delete;

    // Frees the old block, allocates `size` zeroed bytes, use count 1. Returns
    // null (and an empty buffer) when the memory cannot be had; a size of 0
    // gives an empty block with use count 1.
    std::uint8_t* Alloc(std::uint32_t size);
    void Free();
    void AddRef();
    // Decrements a non-zero use count; the block is freed when it drops to 0.
    void Release();
    // Drops the bytes past `size` (never grows).
    void Shrink(std::uint32_t size);

    std::uint8_t* GetData() { return m_Data.get(); }
    const std::uint8_t* GetData() const { return m_Data.get(); }
    std::uint32_t GetSize() const { return m_Size; }
    std::int32_t GetUseCount() const { return m_UseCount; }
    std::uint8_t GetFirstByte() const { return m_Size ? m_Data[0] : 0; }

private:
    std::unique_ptr<std::uint8_t[]> m_Data;
    std::uint32_t m_Size = 0;
    std::int32_t m_UseCount = 0;
};
