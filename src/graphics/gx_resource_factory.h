#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/gx_log.h"
#include "base/gx_mutex.h"
#include "base/gx_string.h"
#include "graphics/gx_resource.h"

// What a factory entry was made with: a name hit only counts when the kind and
// (for sized kinds) the size and format match too.
struct GxResourceKey {
    int kind = 0;
    std::uint32_t width = 0, height = 0, format = 0;
    bool operator==(const GxResourceKey&) const = default;
};

// Resources shared by name, one reference per successful get.
template <class T>
class GxResourceFactory {
public:
    GxResourceFactory(const char16_t* addressWarning, const char16_t* nameWarning)
        : m_AddressWarning(addressWarning), m_NameWarning(nameWarning) {}
    virtual ~GxResourceFactory() { Clear(); }

    // The first entry of that name, without adding a reference.
    T* Find(std::u16string_view name) {
        GxMutexScopedLock lock(m_Mutex);
        const std::u16string key = gx::ToLowerAscii(name);
        for (const Entry& entry : m_Entries) {
            if (entry.resource->GetName() == key)
                return entry.resource.get();
        }
        return nullptr;
    }
    T* Find(std::string_view name) { return Find(gx::AnsiToUtf16(name)); }

    void Release(T* resource) {
        GxMutexScopedLock lock(m_Mutex);
        for (auto it = m_Entries.begin(); it != m_Entries.end(); ++it) {
            if (it->resource.get() == resource) {
                ReleaseEntry(it);
                return;
            }
        }
        LogSlightError(m_AddressWarning,
                       static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(resource)));
    }
    void Release(std::u16string_view name) {
        GxMutexScopedLock lock(m_Mutex);
        const std::u16string key = gx::ToLowerAscii(name);
        for (auto it = m_Entries.begin(); it != m_Entries.end(); ++it) {
            if (it->resource->GetName() == key) {
                ReleaseEntry(it);
                return;
            }
        }
        LogSlightError(m_NameWarning, std::u16string(name));
    }
    void Release(std::string_view name) { Release(gx::AnsiToUtf16(name)); }
    void Clear() {
        GxMutexScopedLock lock(m_Mutex);
        m_Entries.clear();
    }
    int GetCount() {
        GxMutexScopedLock lock(m_Mutex);
        return static_cast<int>(m_Entries.size());
    }

protected:
    struct Entry {
        std::unique_ptr<T> resource;
        GxResourceKey key;
    };

    // A matching entry gets a reference and is returned.
    T* Lookup(std::u16string_view name, const GxResourceKey& key) {
        const std::u16string lowered = gx::ToLowerAscii(name);
        for (Entry& entry : m_Entries) {
            if (entry.resource->GetName() == lowered && entry.key == key) {
                entry.resource->AddRef();
                return entry.resource.get();
            }
        }
        return nullptr;
    }
    T* Add(std::unique_ptr<T> resource, const GxResourceKey& key) {
        T* raw = resource.get();
        m_Entries.push_back(Entry{std::move(resource), key});
        return raw;
    }

    std::vector<Entry> m_Entries;
    GxMutex m_Mutex;

private:
    void ReleaseEntry(typename std::vector<Entry>::iterator it) {
        if (it->resource->Release() == 0)
            m_Entries.erase(it);
    }

    const char16_t* m_AddressWarning;
    const char16_t* m_NameWarning;
};
