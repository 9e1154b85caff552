#include "sound/gx_sound_cache.h"

#include <algorithm>

#include "base/gx_string.h"

GxWavData* GxSoundCache::Find(std::u16string_view name) const {
    const std::u16string key = gx::ToLowerAscii(name);
    for (const auto& sound : m_Sounds) {
        if (sound->GetName() == key)
            return sound.get();
    }
    return nullptr;
}

GxWavData* GxSoundCache::Get(std::u16string_view name) {
    if (GxWavData* hit = Find(name)) {
        hit->AddRef();
        hit->Touch();
        return hit;
    }
    auto sound = std::make_unique<GxWavData>();
    if (!sound->CreateFromFile(name))
        return nullptr;
    if (m_TotalSize + sound->GetSize() > m_ByteLimit || m_Sounds.size() >= m_EntryLimit)
        Purge();
    m_TotalSize += sound->GetSize();
    m_Sounds.push_back(std::move(sound));
    return m_Sounds.back().get();
}

void GxSoundCache::Release(std::u16string_view name) {
    if (GxWavData* sound = Find(name))
        sound->Release();
}

bool GxSoundCache::Preload(std::u16string_view name, bool keep) {
    GxWavData* sound = Get(name);
    if (!sound)
        return false;
    if (keep)
        sound->SetKeep(true);
    sound->Release();
    return true;
}

void GxSoundCache::SetKeep(std::u16string_view name, bool keep) {
    if (GxWavData* sound = Find(name))
        sound->SetKeep(keep);
}

bool GxSoundCache::Contains(std::u16string_view name) const {
    return Find(name) != nullptr;
}

template <class Predicate>
void GxSoundCache::RemoveIf(Predicate predicate) {
    std::erase_if(m_Sounds, [&](const std::unique_ptr<GxWavData>& sound) {
        if (!predicate(*sound))
            return false;
        m_TotalSize -= sound->GetSize();
        return true;
    });
}

void GxSoundCache::Purge() {
    RemoveIf([](const GxWavData& sound) { return sound.GetRefCount() == 0 && !sound.GetKeep(); });
}

void GxSoundCache::PurgeAll() {
    RemoveIf([](const GxWavData& sound) { return sound.GetRefCount() == 0; });
}

void GxSoundCache::Clear() {
    m_Sounds.clear();
    m_TotalSize = 0;
}

GxU64 GxSoundCache::GetLastPlayTime(std::u16string_view name) const {
    const GxWavData* sound = Find(name);
    return sound ? sound->GetLastUsedTime() : 0;
}

GxU64 GxSoundCache::GetLastPlayTime(std::string_view name) const {
    return GetLastPlayTime(gx::Utf8ToUtf16(name));
}

void GxSoundCache::SetLimits(GxU64 bytes, GxU32 entries) {
    m_ByteLimit = bytes;
    m_EntryLimit = entries;
}
