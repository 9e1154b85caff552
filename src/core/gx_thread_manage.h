#pragma once

#include <deque>
#include <functional>

#include "base/gx_mutex.h"
#include "base/gx_types.h"

class GxThreadListenerBase;

// A worker thread's result, handed to the main thread.
struct GxThreadRecord {
    // 1 → OnThreadEvent1, 2 → OnThreadEvent2.
    GxS32 kind = 1;
    // The receiver; null means the dispatcher's default listener.
    GxThreadListenerBase* listener = nullptr;
    void* data = nullptr;
    GxS32 a = 0;
    GxS32 b = 0;
    GxS32 c = 0;
    // Kind 2 only: hands the payload to the object the record names, before the listener hears of
    // it.
    std::function<void()> handOver;
};

// The channel through which worker threads hand results to the main thread:
// records may be posted from any thread and are delivered, in order, when the
// main thread drains the queue at the start of each update step.
class GxThreadManage : private GxObjectNotCopyable {
public:
    GxThreadManage() = default;
    virtual ~GxThreadManage() = default;

    // Any thread. Workers still running after the stop flag was set may post:
    // shutdown drains once more after they ended.
    void Post(GxThreadRecord record);
    // Main thread: delivers every record queued so far; returns how many were handled.
    // Records posted while delivering wait for the next drain.
    GxS32 Drain();

    void SetDefaultListener(GxThreadListenerBase* listener);
    GxThreadListenerBase* GetDefaultListener();

    // Workers register while they run so that shutdown can wait for them.
    void WorkerStarted();
    void WorkerFinished();
    GxS32 GetRunningWorkers();
    // Tells workers to finish.
    void SetStop();
    bool IsStopRequested();

    // Shutdown: sets the stop flag, waits in 20 ms sleeps until no worker runs
    // (giving up after `timeoutMilliseconds` with an error) and drains once more.
    // False when workers were still running.
    bool StopAndDrain(GxU32 timeoutMilliseconds = 10000);

private:
    GxMutex m_QueueMutex;
    std::deque<GxThreadRecord> m_Queue;
    GxThreadListenerBase* m_DefaultListener = nullptr;
    bool m_Stop = false;
    GxMutex m_WorkerMutex;
    GxS32 m_RunningWorkers = 0;
};
