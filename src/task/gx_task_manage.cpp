#include "task/gx_task_manage.h"

#include "base/gx_log.h"
#include "base/gx_string.h"
#include "task/gx_seq_base.h"

GxSceneRenderer& GxNullSceneRenderer() {
    static GxSceneRenderer renderer;
    return renderer;
}

GxTaskManage::GxTaskManage() : m_Renderer(&GxNullSceneRenderer()) {}

GxTaskManage::~GxTaskManage() {
    if (m_RootTask)
        DeleteSubtree(m_RootTask);
    m_TaskIDs.clear();
    m_TaskNames.clear();
}

void GxTaskManage::DeleteSubtree(GxTaskBase* task) {
    while (GxTaskBase* child = task->GetFirstChild())
        DeleteSubtree(child);
    delete task;
}

bool GxTaskManage::AttachRoot(GxTaskBase* root) {
    if (m_RootTask) {
        LogError(u"RootTask二重登録エラー\n");
        return false;
    }
    m_RootTask = root;
    return true;
}

void GxTaskManage::OnTaskDestroyed(GxTaskBase* task) {
    --m_TaskCount;
    for (auto& bank : m_RenderLists) {
        for (auto& list : bank)
            list.Forget(task);
    }
    if (m_RootTask == task)
        m_RootTask = nullptr;
    for (SequenceSlot* slot : {&m_Current, &m_Next, &m_Previous}) {
        if (slot->sequence == task)
            slot->sequence = nullptr;
    }
    if (m_SystemSequence == task)
        m_SystemSequence = nullptr;
}

// ---- registries

bool GxTaskManage::RegisterTaskID(GxTaskBase* task, GxU64 id) {
    const GxString name = task ? task->GetTaskName() : GxString();
    if (id == 0) {
        LogError(u"GxTaskManage::RegisterTaskID/TaskID=0は指定できません(%s)\n", name);
        return false;
    }
    if (!m_TaskIDs.emplace(id, task).second) {
        LogError(u"GxTaskManage::RegisterTaskID/TaskID重複を検出 (%I64u,%s)\n", id, name);
        return false;
    }
    return true;
}

bool GxTaskManage::UnregisterTaskID(GxU64 id) {
    if (m_TaskIDs.erase(id) == 0) {
        LogError(u"GxTaskManage::UnregisterTaskID/TaskID発見できず (%I64u)\n", id);
        return false;
    }
    return true;
}

bool GxTaskManage::UnregisterTaskIDOf(GxU64 id, const GxTaskBase* task) {
    auto entry = m_TaskIDs.find(id);
    if (entry == m_TaskIDs.end())
        return UnregisterTaskID(id);
    if (entry->second != task)
        return false;  // a refused duplicate: the owner keeps it
    m_TaskIDs.erase(entry);
    return true;
}

bool GxTaskManage::RegisterTaskName(const GxString& name, GxTaskBase* task) {
    if (!m_TaskNames.emplace(name, task).second) {
        LogError(u"GxTaskManage::RegisterTaskName/TaskName重複を検出 (%s)\n", name);
        return false;
    }
    return true;
}

GxS32 GxTaskManage::UnregisterTaskName(const GxString& name) {
    return static_cast<GxS32>(m_TaskNames.erase(name));
}

bool GxTaskManage::UnregisterTaskNameOf(const GxString& name, const GxTaskBase* task) {
    auto entry = m_TaskNames.find(name);
    if (entry == m_TaskNames.end() || entry->second != task)
        return false;
    m_TaskNames.erase(entry);
    return true;
}

GxTaskBase* GxTaskManage::FindTask(const GxString& name) const {
    auto entry = m_TaskNames.find(name);
    return entry == m_TaskNames.end() ? nullptr : entry->second;
}

GxTaskBase* GxTaskManage::FindTask(const char* name) const {
    return FindTask(gx::Utf8ToUtf16(name ? name : ""));
}

GxTaskBase* GxTaskManage::FindTaskByID(GxU64 id) const {
    auto entry = m_TaskIDs.find(id);
    return entry == m_TaskIDs.end() ? nullptr : entry->second;
}

// ---- passes

template <class Visit>
void GxTaskManage::WalkPass(GxTaskBase* start, GxU32 skipBit, GxU32 skipChildrenBit,
                            bool stopSiblings, const Visit& visit) {
    for (GxTaskBase* task = start; task; task = task->GetNextSibling()) {
        const GxU32 flags = task->GetUpdateFlags();
        if (task->IsRunning() && !(flags & skipBit)) {
            visit(*task);
            if (!(task->GetUpdateFlags() & skipChildrenBit)) {
                WalkPass(task->GetFirstChild(), skipBit, skipChildrenBit, stopSiblings, visit);
            }
            if (stopSiblings && (task->GetUpdateFlags() & GX_UPDATE_STOP_SIBLINGS))
                return;
        }
        if (task->GetUpdateFlags() & GX_UPDATE_BOUNDARY)
            return;
    }
}

void GxTaskManage::UpdatePass(GxTaskBase* start, GxS32 step, GxS64 elapsedMicroseconds) {
    WalkPass(start, GX_UPDATE_SKIP_UPDATE, GX_UPDATE_SKIP_UPDATE_CHILDREN, true,
             [&](GxTaskBase& task) {
                 if (m_MainStarted || !(task.GetUpdateFlags() & GX_UPDATE_PREPARATION_MEMBER)) {
                     task.Update(step, elapsedMicroseconds);
                 }
             });
}

void GxTaskManage::PreparePass(GxTaskBase* start, GxS32 step, GxS64 elapsedMicroseconds) {
    WalkPass(start, GX_UPDATE_SKIP_PREPARE, GX_UPDATE_SKIP_PREPARE_CHILDREN, true,
             [&](GxTaskBase& task) {
                 if (task.GetUpdateFlags() & GX_UPDATE_PREPARATION_MEMBER) {
                     task.Prepare(step, elapsedMicroseconds);
                 }
             });
}

void GxTaskManage::RenderRequestPass(GxTaskBase* start, GxS32 step, GxS64 elapsedMicroseconds) {
    WalkPass(start, GX_UPDATE_SKIP_RENDER_REQUEST, GX_UPDATE_SKIP_RENDER_REQUEST_CHILDREN, false,
             [&](GxTaskBase& task) { task.RequestRender(step, elapsedMicroseconds); });
}

namespace {

template <class Hook>
void WalkSequenceHooks(GxTaskBase* start, const Hook& hook) {
    for (GxTaskBase* task = start; task; task = task->GetNextSibling()) {
        if (!task->IsKilled()) {
            hook(*task);
            WalkSequenceHooks(task->GetFirstChild(), hook);
        }
        if (task->GetUpdateFlags() & GX_UPDATE_BOUNDARY)
            return;
    }
}

}  // namespace

void GxTaskManage::SequenceStartWalk(GxTaskBase* start) {
    WalkSequenceHooks(start, [](GxTaskBase& task) { task.OnSequenceStart(); });
}

void GxTaskManage::SequenceEndWalk(GxTaskBase* start) {
    WalkSequenceHooks(start, [](GxTaskBase& task) { task.OnSequenceEnd(); });
}

GxS32 GxTaskManage::Sweep(GxTaskBase* start) {
    GxTaskBase* task = start;
    while (task) {
        task->ClearUpdateFlags(GX_UPDATE_STOP_SIBLINGS | GX_UPDATE_SWEEP_CLEARED);
        // Taken before anything below can delete `task`.
        GxTaskBase* next = task->GetNextSibling();
        if (task->GetFirstChild())
            Sweep(task->GetFirstChild());
        if (task->IsKilled() && task->GetChildCount() == 0) {
            if (task->GetDeleteDelay() < 1) {
                delete task;
            } else {
                task->CountDownDeleteDelay();
            }
        }
        task = next;
    }
    return m_TaskCount;
}

// ---- events

namespace {

struct EventBits {
    GxU32 skip;
    GxU32 skipChildren;
};

EventBits BitsFor(GxTaskEventKind kind) {
    switch (kind) {
        case GxTaskEventKind::Thread:
            return {GX_INPUT_SKIP_THREAD, GX_INPUT_SKIP_THREAD_CHILDREN};
        case GxTaskEventKind::Window:
            return {GX_INPUT_SKIP_WINDOW, GX_INPUT_SKIP_WINDOW_CHILDREN};
        case GxTaskEventKind::Mouse:
            return {GX_INPUT_SKIP_MOUSE, GX_INPUT_SKIP_MOUSE_CHILDREN};
        case GxTaskEventKind::Key:
            return {GX_INPUT_SKIP_KEY, GX_INPUT_SKIP_KEY_CHILDREN};
        case GxTaskEventKind::Net:
            break;
    }
    return {GX_INPUT_SKIP_NET, GX_INPUT_SKIP_NET_CHILDREN};
}

GxS32 DeliverChain(GxTaskBase* start, EventBits bits,
                   const std::function<GxS32(GxTaskBase&)>& call) {
    for (GxTaskBase* task = start; task; task = task->GetNextSibling()) {
        if (task->IsRunning() && !(task->GetInputFlags() & bits.skip)) {
            if (!(task->GetInputFlags() & bits.skipChildren)) {
                if (GxS32 result = DeliverChain(task->GetFirstChild(), bits, call))
                    return result;
            }
            if (GxS32 result = call(*task))
                return result;
        }
        if (task->GetUpdateFlags() & GX_UPDATE_BOUNDARY)
            return 0;
    }
    return 0;
}

}  // namespace

GxS32 GxTaskManage::DeliverEvent(GxTaskBase* start, GxTaskEventKind kind,
                                 const std::function<GxS32(GxTaskBase&)>& call) {
    return DeliverChain(start, BitsFor(kind), call);
}

GxS32 GxTaskManage::DeliverToSequences(GxTaskEventKind kind,
                                       const std::function<GxS32(GxTaskBase&)>& call) {
    if (GxS32 result = DeliverEvent(m_SystemSequence, kind, call))
        return result;
    if (m_SequenceActive)
        return DeliverEvent(m_Current.sequence, kind, call);
    return 0;
}

GxS32 GxTaskManage::DeliverLButtonDown(const GxVector2& point, GxU32 keys, bool isDouble) {
    return DeliverToSequences(GxTaskEventKind::Mouse, [&](GxTaskBase& t) {
        return t.OnLButtonDown(point, keys, isDouble);
    });
}

GxS32 GxTaskManage::DeliverRButtonDown(const GxVector2& point, GxU32 keys, bool isDouble) {
    return DeliverToSequences(GxTaskEventKind::Mouse, [&](GxTaskBase& t) {
        return t.OnRButtonDown(point, keys, isDouble);
    });
}

GxS32 GxTaskManage::DeliverMButtonDown(const GxVector2& point, GxU32 keys, bool isDouble) {
    return DeliverToSequences(GxTaskEventKind::Mouse, [&](GxTaskBase& t) {
        return t.OnMButtonDown(point, keys, isDouble);
    });
}

#define GX_DELIVER(kind, call) \
    DeliverToSequences(GxTaskEventKind::kind, [&](GxTaskBase& t) { return t.call; })

GxS32 GxTaskManage::OnThreadEvent1(void* data, GxS32 a, GxS32 b, GxS32 c) {
    return GX_DELIVER(Thread, OnThreadEvent1(data, a, b, c));
}
GxS32 GxTaskManage::OnThreadEvent2(void* data, GxS32 a, GxS32 b, GxS32 c) {
    return GX_DELIVER(Thread, OnThreadEvent2(data, a, b, c));
}
GxS32 GxTaskManage::OnActivate() {
    return GX_DELIVER(Window, OnActivate());
}
GxS32 GxTaskManage::OnDeactivate() {
    return GX_DELIVER(Window, OnDeactivate());
}
GxS32 GxTaskManage::OnClose() {
    return GX_DELIVER(Window, OnClose());
}
GxS32 GxTaskManage::OnScreenModeChanged(GxS32 oldMode, GxS32 newMode) {
    return GX_DELIVER(Window, OnScreenModeChanged(oldMode, newMode));
}
GxS32 GxTaskManage::OnMouseMove(const GxVector2& point, GxU32 keys) {
    return GX_DELIVER(Mouse, OnMouseMove(point, keys));
}
GxS32 GxTaskManage::OnMouseWheel(const GxVector2& point, GxS32 delta, GxU32 keys) {
    return GX_DELIVER(Mouse, OnMouseWheel(point, delta, keys));
}
GxS32 GxTaskManage::OnLButtonDown(const GxVector2&, GxU32, bool) {
    return 0;
}
GxS32 GxTaskManage::OnLButtonUp(const GxVector2& point, GxU32 keys) {
    return GX_DELIVER(Mouse, OnLButtonUp(point, keys));
}
GxS32 GxTaskManage::OnRButtonDown(const GxVector2&, GxU32, bool) {
    return 0;
}
GxS32 GxTaskManage::OnRButtonUp(const GxVector2& point, GxU32 keys) {
    return GX_DELIVER(Mouse, OnRButtonUp(point, keys));
}
GxS32 GxTaskManage::OnMButtonDown(const GxVector2&, GxU32, bool) {
    return 0;
}
GxS32 GxTaskManage::OnMButtonUp(const GxVector2& point, GxU32 keys) {
    return GX_DELIVER(Mouse, OnMButtonUp(point, keys));
}
GxS32 GxTaskManage::OnKeyDown(GxU32 virtualKey, GxU32 keyData) {
    return GX_DELIVER(Key, OnKeyDown(virtualKey, keyData));
}
GxS32 GxTaskManage::OnKeyUp(GxU32 virtualKey, GxU32 keyData) {
    return GX_DELIVER(Key, OnKeyUp(virtualKey, keyData));
}
GxS32 GxTaskManage::OnKeyChar(GxU32 code, GxU32 keyData) {
    return GX_DELIVER(Key, OnKeyChar(code, keyData));
}
GxS32 GxTaskManage::OnKeyComposition(GxU32 a, GxU32 b, GxU32 c) {
    return GX_DELIVER(Key, OnKeyComposition(a, b, c));
}
GxS32 GxTaskManage::OnNetEvent0(GxS32 a) {
    return GX_DELIVER(Net, OnNetEvent0(a));
}
GxS32 GxTaskManage::OnNetEvent1(GxS32 a) {
    return GX_DELIVER(Net, OnNetEvent1(a));
}
GxS32 GxTaskManage::OnNetEvent2(GxS32 a, GxS32 b) {
    return GX_DELIVER(Net, OnNetEvent2(a, b));
}
GxS32 GxTaskManage::OnNetEvent3(GxS32 a, GxS32 b) {
    return GX_DELIVER(Net, OnNetEvent3(a, b));
}
GxS32 GxTaskManage::OnNetEvent4(GxS32 a, GxS32 b) {
    return GX_DELIVER(Net, OnNetEvent4(a, b));
}

#undef GX_DELIVER
