#include "sound/gx_sound_stream_worker.h"

GxSoundStreamWorker::GxSoundStreamWorker() : m_Thread([this] { Run(); }) {}

GxSoundStreamWorker::~GxSoundStreamWorker() {
    {
        std::lock_guard lock(m_Lock);
        m_Quit = true;
    }
    m_Wake.notify_all();
    m_Thread.join();
}

void GxSoundStreamWorker::Register(GxSoundStreamClient* client) {
    std::lock_guard lock(m_Lock);
    m_Pending.emplace(client, 0);
}

void GxSoundStreamWorker::Unregister(GxSoundStreamClient* client) {
    std::unique_lock lock(m_Lock);
    m_Pending.erase(client);
    m_Done.notify_all();  // a WaitIdle may have been waiting for what was just dropped
    m_Done.wait(lock, [&] { return m_Busy != client; });
}

void GxSoundStreamWorker::Discard(GxSoundStreamClient* client) {
    std::lock_guard lock(m_Lock);
    auto found = m_Pending.find(client);
    if (found != m_Pending.end())
        found->second = 0;
}

void GxSoundStreamWorker::Post(GxSoundStreamClient* client) {
    {
        std::lock_guard lock(m_Lock);
        auto found = m_Pending.find(client);
        if (found == m_Pending.end())
            return;
        ++found->second;
    }
    m_Wake.notify_one();
}

void GxSoundStreamWorker::WaitIdle() {
    std::unique_lock lock(m_Lock);
    m_Done.wait(lock, [&] {
        if (m_Busy)
            return false;
        for (const auto& [client, count] : m_Pending) {
            if (count > 0)
                return false;
        }
        return true;
    });
}

GxSoundStreamClient* GxSoundStreamWorker::TakeNext() {
    for (auto& [client, count] : m_Pending) {
        if (count > 0) {
            --count;
            return client;
        }
    }
    return nullptr;
}

void GxSoundStreamWorker::Run() {
    std::unique_lock lock(m_Lock);
    for (;;) {
        GxSoundStreamClient* client = nullptr;
        m_Wake.wait(lock, [&] { return m_Quit || (client = TakeNext()) != nullptr; });
        if (!client)
            return;
        m_Busy = client;
        lock.unlock();
        client->OnBlockNotify();
        lock.lock();
        m_Busy = nullptr;
        m_Done.notify_all();
    }
}
