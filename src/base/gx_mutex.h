#pragma once

#include <mutex>

// Base for objects that own a unique resource and must never be copied.
class GxObjectNotCopyable {
public:
    GxObjectNotCopyable() = default;
    GxObjectNotCopyable(const GxObjectNotCopyable&) = delete;
    GxObjectNotCopyable& operator=(const GxObjectNotCopyable&) = delete;

protected:
    ~GxObjectNotCopyable() = default;
};

// A recursive lock: the owning thread may take it again.
class GxMutex : private GxObjectNotCopyable {
public:
    void Lock() { m_Mutex.lock(); }
    void Unlock() { m_Mutex.unlock(); }
    bool TryLock() { return m_Mutex.try_lock(); }

private:
    std::recursive_mutex m_Mutex;
};

class GxMutexScopedLock : private GxObjectNotCopyable {
public:
    explicit GxMutexScopedLock(GxMutex& mutex) : m_Mutex(mutex) { m_Mutex.Lock(); }
    ~GxMutexScopedLock() { m_Mutex.Unlock(); }

private:
    GxMutex& m_Mutex;
};
