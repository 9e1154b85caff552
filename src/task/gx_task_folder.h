#pragma once

#include <deque>
#include <map>

#include "task/gx_task_base.h"

// A task that owns a namespace of local names and a queue of UI events posted
// by the widgets below it.
class GxTaskFolder : public GxTaskBase, public GxUIListenerBase {
public:
    GxTaskFolder(GxTaskBase* parent, const GxString& name = GxString(),
                 const GxString& localName = GxString(), GxS32 localIndex = 0);
    ~GxTaskFolder() override;

    void OnSequenceEnd() override;
    // Dispatches the queued UI events to the folder itself.
    GxS32 Update(GxS32 step, GxS64 elapsedMicroseconds) override;
    GxVector4 GetWorldPosition() const override;

    virtual bool RegisterTaskLocalName(const GxString& localName, GxS32 localIndex,
                                       GxTaskBase* task);
    virtual bool UnregisterTaskLocalName(const GxString& localName, GxS32 localIndex);
    // Logs when the task is missing.
    virtual GxTaskBase* GetTaskLocal(const char* localName, GxS32 localIndex) const;
    virtual GxTaskBase* GetTaskLocal(const GxString& localName, GxS32 localIndex) const;
    virtual GxTaskBase* FindTaskLocal(const char* localName, GxS32 localIndex) const;
    virtual GxTaskBase* FindTaskLocal(const GxString& localName, GxS32 localIndex) const;

    virtual void SetAcceptUIEvents(bool flag) { m_AcceptUIEvents = flag; }
    virtual bool IsAcceptingUIEvents() const { return m_AcceptUIEvents; }
    virtual bool PushUIEvent(const GxUIEvent& event);
    // Handles the events queued when it starts (events posted by the handlers
    // wait for the next call); null means the folder itself. Returns the sum of
    // the handlers' results.
    virtual GxS32 DispatchUIEvents(GxUIListenerBase* listener = nullptr);
    virtual void ClearUIEvents() { m_UIEvents.clear(); }
    size_t GetUIEventCount() const { return m_UIEvents.size(); }

    // Removes the entry only when it points to `task`.
    void UnregisterTaskLocalNameOf(const GxString& localName, GxS32 localIndex,
                                   const GxTaskBase* task);

private:
    std::map<GxString, std::map<GxS32, GxTaskBase*>> m_LocalTasks;
    std::deque<GxUIEvent> m_UIEvents;
    bool m_AcceptUIEvents = false;
};

// The UI notification (0..19) that an event kind maps to, or -1 for kinds that
// are dropped without a call.
int GxUINotificationForKind(GxS32 kind);
