#include "task/gx_task_folder.h"

#include "base/gx_log.h"
#include "base/gx_string.h"

GxTaskFolder::GxTaskFolder(GxTaskBase* parent, const GxString& name, const GxString& localName,
                           GxS32 localIndex)
    : GxTaskBase(parent, name, localName, localIndex) {
    SetKindFlags(GX_KIND_FOLDER);
}

GxTaskFolder::~GxTaskFolder() {
    // A folder may hold its own local name; drop it while the table still exists.
    ReleaseLocalName();
}

void GxTaskFolder::OnSequenceEnd() {
    ClearUIEvents();
}

GxS32 GxTaskFolder::Update(GxS32, GxS64) {
    DispatchUIEvents(nullptr);
    return 0;
}

GxVector4 GxTaskFolder::GetWorldPosition() const {
    return GetParent() ? GetParent()->GetWorldPosition() : GxVector4{};
}

bool GxTaskFolder::RegisterTaskLocalName(const GxString& localName, GxS32 localIndex,
                                         GxTaskBase* task) {
    auto& byIndex = m_LocalTasks[localName];
    if (!byIndex.emplace(localIndex, task).second) {
        LogError(
            u"GxTaskFolder::RegisterTaskLocalName/TaskLocalNameまたはIndex重複を検出 %s (%s,%d)\n",
            GetTaskName(), localName, localIndex);
        return false;
    }
    return true;
}

bool GxTaskFolder::UnregisterTaskLocalName(const GxString& localName, GxS32 localIndex) {
    auto names = m_LocalTasks.find(localName);
    if (names == m_LocalTasks.end())
        return false;
    if (names->second.erase(localIndex) == 0)
        return false;
    if (names->second.empty())
        m_LocalTasks.erase(names);
    return true;
}

void GxTaskFolder::UnregisterTaskLocalNameOf(const GxString& localName, GxS32 localIndex,
                                             const GxTaskBase* task) {
    if (FindTaskLocal(localName, localIndex) == task) {
        UnregisterTaskLocalName(localName, localIndex);
    }
}

GxTaskBase* GxTaskFolder::FindTaskLocal(const GxString& localName, GxS32 localIndex) const {
    auto names = m_LocalTasks.find(localName);
    if (names == m_LocalTasks.end())
        return nullptr;
    auto entry = names->second.find(localIndex);
    return entry == names->second.end() ? nullptr : entry->second;
}

GxTaskBase* GxTaskFolder::FindTaskLocal(const char* localName, GxS32 localIndex) const {
    return FindTaskLocal(gx::Utf8ToUtf16(localName ? localName : ""), localIndex);
}

GxTaskBase* GxTaskFolder::GetTaskLocal(const GxString& localName, GxS32 localIndex) const {
    GxTaskBase* task = FindTaskLocal(localName, localIndex);
    if (!task) {
        LogError(u"GxTaskFolder::GetTaskLocal/ローカルタスクが存在しません %s:%s[%d]\n",
                 GetTaskName(), localName, localIndex);
    }
    return task;
}

GxTaskBase* GxTaskFolder::GetTaskLocal(const char* localName, GxS32 localIndex) const {
    return GetTaskLocal(gx::Utf8ToUtf16(localName ? localName : ""), localIndex);
}

bool GxTaskFolder::PushUIEvent(const GxUIEvent& event) {
    if (!m_AcceptUIEvents)
        return false;
    m_UIEvents.push_back(event);
    return true;
}

GxS32 GxTaskFolder::DispatchUIEvents(GxUIListenerBase* listener) {
    if (!listener)
        listener = this;
    GxS32 sum = 0;
    // Handlers may post new events or clear the queue; neither may make this
    // loop run forever or touch an event that is gone.
    for (size_t pending = m_UIEvents.size(); pending > 0 && !m_UIEvents.empty(); --pending) {
        const GxUIEvent event = std::move(m_UIEvents.front());
        m_UIEvents.pop_front();
        const int index = GxUINotificationForKind(event.m_Kind);
        if (index >= 0)
            sum += listener->CallUINotification(index, event.m_Id, event);
    }
    return sum;
}

int GxUINotificationForKind(GxS32 kind) {
    static constexpr int kMap[25] = {-1, 0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  -1, 10,
                                     11, -1, 12, 13, -1, 14, 15, 16, -1, 17, 18, 19};
    return (kind >= 0 && kind <= 24) ? kMap[kind] : -1;
}

GxS32 GxUIListenerBase::CallUINotification(int index, GxS32 id, const GxUIEvent& event) {
    using Notification = GxS32 (GxUIListenerBase::*)(GxS32, const GxUIEvent&);
    static constexpr Notification kNotifications[20] = {
        &GxUIListenerBase::OnUIEvent0,  &GxUIListenerBase::OnUIEvent1,
        &GxUIListenerBase::OnUIEvent2,  &GxUIListenerBase::OnUIEvent3,
        &GxUIListenerBase::OnUIEvent4,  &GxUIListenerBase::OnUIEvent5,
        &GxUIListenerBase::OnUIEvent6,  &GxUIListenerBase::OnUIEvent7,
        &GxUIListenerBase::OnUIEvent8,  &GxUIListenerBase::OnUIEvent9,
        &GxUIListenerBase::OnUIEvent10, &GxUIListenerBase::OnUIEvent11,
        &GxUIListenerBase::OnUIEvent12, &GxUIListenerBase::OnUIEvent13,
        &GxUIListenerBase::OnUIEvent14, &GxUIListenerBase::OnUIEvent15,
        &GxUIListenerBase::OnUIEvent16, &GxUIListenerBase::OnUIEvent17,
        &GxUIListenerBase::OnUIEvent18, &GxUIListenerBase::OnUIEvent19,
    };
    if (index < 0 || index >= 20)
        return 0;
    return (this->*kNotifications[index])(id, event);
}
