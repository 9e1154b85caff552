#include "base/gx_bin_buffer.h"

#include <new>

std::uint8_t* GxBinBuffer::Alloc(std::uint32_t size) {
    Free();
    // One byte more than asked keeps GetData() non-null for an empty block.
    m_Data.reset(new (std::nothrow) std::uint8_t[static_cast<size_t>(size) + 1]());
    if (!m_Data) return nullptr;
    m_Size = size;
    m_UseCount = 1;
    return m_Data.get();
}

void GxBinBuffer::Free() {
    m_Data.reset();
    m_Size = 0;
    m_UseCount = 0;
}

void GxBinBuffer::AddRef() { ++m_UseCount; }

void GxBinBuffer::Release() {
    if (m_UseCount == 0) return;
    if (--m_UseCount == 0) Free();
}

void GxBinBuffer::Shrink(std::uint32_t size) {
    if (size < m_Size) m_Size = size;
}
