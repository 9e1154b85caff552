#pragma once

#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

#include "base/gx_mutex.h"

// Something the worker refills when its notifications arrive.
class GxSoundStreamClient {
public:
    virtual ~GxSoundStreamClient() = default;
    // One notification: playback passed one block. Runs on the worker thread.
    virtual void OnBlockNotify() = 0;
};

// The one thread that refills every streaming buffer.
class GxSoundStreamWorker : private GxObjectNotCopyable {
public:
    GxSoundStreamWorker();
    ~GxSoundStreamWorker();

    void Register(GxSoundStreamClient* client);
    // Drops the client's pending notifications and returns only when no refill
    // of it is running, so the caller may free what the refill uses.
    void Unregister(GxSoundStreamClient* client);
    // Forgets the client's queued notifications (a restart makes them stale).
    void Discard(GxSoundStreamClient* client);
    // Queues one notification (safe from the mixing thread).
    void Post(GxSoundStreamClient* client);
    // Waits until every queued notification has been handled.
    void WaitIdle();

private:
    void Run();
    GxSoundStreamClient* TakeNext();

    std::mutex m_Lock;
    std::condition_variable m_Wake;
    std::condition_variable m_Done;
    std::map<GxSoundStreamClient*, int> m_Pending;
    GxSoundStreamClient* m_Busy = nullptr;
    bool m_Quit = false;
    std::thread m_Thread;
};
