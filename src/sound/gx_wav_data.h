#pragma once

#include <memory>
#include <string>

#include "sound/gx_pcm_format.h"

// A sound decoded whole into PCM, kept by the sound cache.
class GxWavData {
public:
    GxWavData() = default;
    virtual ~GxWavData() = default;
    GxWavData(const GxWavData&) = delete;
    GxWavData& operator=(const GxWavData&) = delete;

    virtual void Reset();
    virtual void AddRef() { ++m_RefCount; }
    // Drops one reference (never below 0) and returns the count; never deletes.
    virtual GxS32 Release();
    virtual GxS32 GetRefCount() const { return m_RefCount; }
    virtual void Destroy();
    // Zero-filled PCM of `bytes` bytes with one reference.
    virtual bool Create(std::u16string_view name, const GxPcmFormat* format, GxU32 bytes);
    virtual bool Create(std::string_view name, const GxPcmFormat* format, GxU32 bytes);
    // Decodes a ".wav" (any encoding the WAVE decoder takes) or ".ogg" file whole.
    virtual bool CreateFromFile(std::u16string_view name);
    virtual bool CreateFromFile(std::string_view name);
    virtual const GxPcmFormat& GetFormat() const { return m_Format; }
    virtual GxU8* GetData() { return m_Data.get(); }
    virtual const GxU8* GetData() const { return m_Data.get(); }
    virtual GxU32 GetTotalSamples() const { return m_TotalSamples; }
    virtual GxU32 GetLengthMs() const;
    // The signed 16-bit values of sample `index` (mono: the same on both sides);
    // false for an index past the end or data that is not 16-bit.
    virtual bool GetSample(GxS16* left, GxS16* right, GxU32 index) const;
    virtual void Touch();
    virtual const std::u16string& GetName() const { return m_Name; }
    virtual GxU32 GetSize() const { return m_Size; }
    virtual void SetKeep(bool keep) { m_Keep = keep; }
    virtual bool GetKeep() const { return m_Keep; }
    virtual GxU64 GetLastUsedTime() const { return m_LastUsedTime; }

private:
    GxU32 m_Size = 0;
    std::unique_ptr<GxU8[]> m_Data;
    GxU64 m_LastUsedTime = 0;
    GxPcmFormat m_Format;
    std::u16string m_Name;
    GxS32 m_RefCount = 0;
    GxU32 m_TotalSamples = 0;
    bool m_Keep = false;
};
