#include "core/gx_thread_manage.h"

#include "base/gx_log.h"
#include "platform/gx_clock.h"
#include "task/gx_task_listeners.h"

void GxThreadManage::Post(GxThreadRecord record) {
    GxMutexScopedLock lock(m_QueueMutex);
    m_Queue.push_back(std::move(record));
}

GxS32 GxThreadManage::Drain() {
    std::deque<GxThreadRecord> records;
    GxThreadListenerBase* defaultListener = nullptr;
    {
        GxMutexScopedLock lock(m_QueueMutex);
        records.swap(m_Queue);
        defaultListener = m_DefaultListener;
    }
    // Delivered outside the lock: a listener may post, and a worker that posts
    // must never wait for a listener.
    GxS32 handled = 0;
    for (GxThreadRecord& record : records) {
        if (record.kind == 2 && record.handOver)
            record.handOver();
        GxThreadListenerBase* listener = record.listener ? record.listener : defaultListener;
        if (listener) {
            if (record.kind == 2) {
                listener->OnThreadEvent2(record.data, record.a, record.b, record.c);
            } else {
                listener->OnThreadEvent1(record.data, record.a, record.b, record.c);
            }
        }
        ++handled;
    }
    return handled;
}

void GxThreadManage::SetDefaultListener(GxThreadListenerBase* listener) {
    GxMutexScopedLock lock(m_QueueMutex);
    m_DefaultListener = listener;
}

GxThreadListenerBase* GxThreadManage::GetDefaultListener() {
    GxMutexScopedLock lock(m_QueueMutex);
    return m_DefaultListener;
}

void GxThreadManage::WorkerStarted() {
    GxMutexScopedLock lock(m_WorkerMutex);
    ++m_RunningWorkers;
}

void GxThreadManage::WorkerFinished() {
    GxMutexScopedLock lock(m_WorkerMutex);
    if (m_RunningWorkers > 0)
        --m_RunningWorkers;
}

GxS32 GxThreadManage::GetRunningWorkers() {
    GxMutexScopedLock lock(m_WorkerMutex);
    return m_RunningWorkers;
}

void GxThreadManage::SetStop() {
    GxMutexScopedLock lock(m_QueueMutex);
    m_Stop = true;
}

bool GxThreadManage::IsStopRequested() {
    GxMutexScopedLock lock(m_QueueMutex);
    return m_Stop;
}

bool GxThreadManage::StopAndDrain(GxU32 timeoutMilliseconds) {
    SetStop();
    GxU64 deadline = gx::TimeGetTime() + timeoutMilliseconds;
    bool finished = true;
    while (GetRunningWorkers() > 0) {
        if (gx::TimeGetTime() >= deadline) {
            LogError(u"Error/GxThreadManage::StopAndDrain/終了しないスレッドがあります(%d)\n",
                     GetRunningWorkers());
            finished = false;
            break;
        }
        gx::SleepMilliseconds(20);
    }
    Drain();
    return finished;
}
