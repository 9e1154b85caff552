#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sound/gx_wav_data.h"

// Decoded sounds shared by name (ASCII case ignored), kept while referenced or
// marked keep; the rest is purged when the cache grows past its limits.
class GxSoundCache {
public:
    static constexpr GxU64 kDefaultByteLimit = 20 * 1024 * 1024;
    static constexpr GxU32 kDefaultEntryLimit = 1024;

    virtual ~GxSoundCache() = default;

    // The sound with a reference added, decoded on first use; null when it cannot be.
    virtual GxWavData* Get(std::u16string_view name);
    virtual void Release(std::u16string_view name);
    virtual bool Preload(std::u16string_view name, bool keep);
    virtual void SetKeep(std::u16string_view name, bool keep);
    virtual bool Contains(std::u16string_view name) const;
    // Removes every sound without a reference that is not marked keep.
    virtual void Purge();
    // Removes every sound without a reference, kept or not.
    virtual void PurgeAll();
    virtual void Clear();
    virtual GxU32 GetCount() const { return static_cast<GxU32>(m_Sounds.size()); }
    virtual GxU64 GetTotalSize() const { return m_TotalSize; }
    // When the sound was last played or read (milliseconds of the engine clock); 0 when absent.
    virtual GxU64 GetLastPlayTime(std::u16string_view name) const;
    virtual GxU64 GetLastPlayTime(std::string_view name) const;

    void SetLimits(GxU64 bytes, GxU32 entries);

private:
    GxWavData* Find(std::u16string_view name) const;
    template <class Predicate>
    void RemoveIf(Predicate predicate);

    std::vector<std::unique_ptr<GxWavData>> m_Sounds;
    GxU64 m_TotalSize = 0;
    GxU64 m_ByteLimit = kDefaultByteLimit;
    GxU32 m_EntryLimit = kDefaultEntryLimit;
};
