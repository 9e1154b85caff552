#pragma once

#include "base/gx_mutex.h"
#include "base/gx_string.h"
#include "base/gx_types.h"
#include "content/gx_content_reader.h"
#include "content/gx_content_writer.h"
#include "task/gx_task_listeners.h"

class GxTaskManage;
class GxTaskFolder;

// Update flag bits: steer the per-step passes.
enum : GxU32 {
    GX_UPDATE_SKIP_UPDATE = 0x2,
    GX_UPDATE_SKIP_PREPARE = 0x4,
    GX_UPDATE_SKIP_RENDER_REQUEST = 0x8,
    GX_UPDATE_NO_RENDER = 0x10,
    GX_UPDATE_SKIP_UPDATE_CHILDREN = 0x200,
    GX_UPDATE_SKIP_PREPARE_CHILDREN = 0x400,
    GX_UPDATE_SKIP_RENDER_REQUEST_CHILDREN = 0x800,
    GX_UPDATE_BOUNDARY = 0x100000,
    GX_UPDATE_PREPARATION_MEMBER = 0x200000,
    GX_UPDATE_STOP_SIBLINGS = 0x2000000,
    GX_UPDATE_SWEEP_CLEARED = 0x8000000,
};

// Input flag bits: the first group skips the whole subtree for an event kind,
// the second only the children.
enum : GxU32 {
    GX_INPUT_SKIP_THREAD = 0x2,
    GX_INPUT_SKIP_WINDOW = 0x4,
    GX_INPUT_SKIP_MOUSE = 0x8,
    GX_INPUT_SKIP_KEY = 0x10,
    GX_INPUT_TRANSITION = 0x20,
    GX_INPUT_SKIP_NET = 0x40,
    GX_INPUT_SKIP_THREAD_CHILDREN = 0x200,
    GX_INPUT_SKIP_WINDOW_CHILDREN = 0x400,
    GX_INPUT_SKIP_MOUSE_CHILDREN = 0x800,
    GX_INPUT_SKIP_KEY_CHILDREN = 0x1000,
    GX_INPUT_SKIP_NET_CHILDREN = 0x4000,
};

enum : GxU32 {
    GX_KIND_FOLDER = 0x2,
    GX_KIND_SEQUENCE = 0x4,
    GX_KIND_TRANSIT_SEQUENCE = 0x40,
};

enum : GxS32 {
    GX_TASK_RUNNING = 1,
    GX_TASK_PAUSED = 2,
    GX_TASK_KILLED = 3,
};

// A node of the task tree. Tasks are created with `new` under a parent, which
// owns them from then on; they are killed, never deleted directly: the manager's
// sweep deletes a killed task once it is childless and its delete delay ran out.
class GxTaskBase : public GxTaskListenerBase,
                   public GxThreadListenerBase,
                   public GxTaskWindowListenerBase,
                   public GxTaskMouseListenerBase,
                   public GxTaskKeyInputListenerBase,
                   public GxTaskNetListenerBase,
                   private GxObjectNotCopyable {
public:
    GxTaskBase(GxTaskBase* parent, const GxString& name = GxString(),
               const GxString& localName = GxString(), GxS32 localIndex = 0);
    // The root form: becomes the manager's root task.
    explicit GxTaskBase(GxTaskManage* manager);
    ~GxTaskBase() override;

    virtual void OnResume() {}
    virtual void OnPause() {}
    virtual void OnKill() {}
    virtual void OnSequenceStart() {}
    virtual void OnSequenceEnd() {}

    // elapsedMicroseconds is the frame timer's elapsed time of this step.
    virtual GxS32 Update(GxS32 step, GxS64 elapsedMicroseconds);
    virtual GxS32 Prepare(GxS32 step, GxS64 elapsedMicroseconds);
    // A task that wants to be drawn adds itself to a render list here.
    virtual GxS32 RequestRender(GxS32 step, GxS64 elapsedMicroseconds);
    virtual GxS32 Render(GxS32 value, GxS32 layer);
    // Drawn instead of Render while the current sequence prepares.
    virtual GxS32 RenderPreparing(GxS32 value, GxS32 layer);

    virtual bool SetTaskID(GxU64 id);
    virtual GxU64 GetTaskID() const { return m_TaskID; }
    virtual const GxString& GetTaskName() const { return m_Name; }
    virtual bool SetTaskName(const GxString& name);
    virtual const GxString& GetTaskLocalName() const { return m_LocalName; }
    virtual GxS32 GetTaskLocalIndex() const { return m_LocalIndex; }
    virtual bool SetTaskLocalName(const GxString& localName, GxS32 localIndex);
    // "name/localName[localIndex]:tag"
    virtual GxString GetTaskPath() const;

    virtual GxS32 GetGlobalState() const { return m_GlobalState; }
    virtual void SetGlobalState(GxS32 state) { m_GlobalState = state; }
    virtual bool IsRunning() const { return m_GlobalState == GX_TASK_RUNNING; }
    virtual bool IsPaused() const { return m_GlobalState == GX_TASK_PAUSED; }
    virtual bool IsKilled() const { return m_GlobalState == GX_TASK_KILLED; }
    virtual void Resume();
    virtual void Pause();
    // Kills the children first; returns the state the task had before.
    virtual GxS32 Kill();
    virtual void ResumeChildren();
    virtual void PauseChildren();
    virtual void KillChildren();

    virtual GxS32 GetTag() const { return m_Tag; }
    virtual void SetTag(GxS32 value) { m_Tag = value; }
    virtual GxS32 GetDeleteDelay() const { return m_DeleteDelay; }
    virtual void SetDeleteDelay(GxS32 sweeps) { m_DeleteDelay = sweeps; }
    virtual GxS32 CountDownDeleteDelay();

    virtual GxVector4 GetPosition() const { return {}; }
    virtual GxVector4 GetWorldPosition() const { return {}; }
    virtual GxVector4 GetScale() const { return {1, 1, 1, 0}; }
    virtual GxVector4 GetRotation() const { return {}; }
    virtual GxVector4 GetCenter() const { return {}; }

    virtual bool Write(GxContentWriterBase& writer) const;
    // Refuses (false, nothing changed) a stream with read errors or a state outside 1..3.
    virtual bool Read(GxContentReaderBase& reader);

    GxU32 GetUpdateFlags() const { return m_UpdateFlags; }
    void SetUpdateFlags(GxU32 bits) { m_UpdateFlags |= bits; }
    void ClearUpdateFlags(GxU32 bits) { m_UpdateFlags &= ~bits; }
    GxU32 GetInputFlags() const { return m_InputFlags; }
    void SetInputFlags(GxU32 bits) { m_InputFlags |= bits; }
    void ClearInputFlags(GxU32 bits) { m_InputFlags &= ~bits; }
    GxU32 GetKindFlags() const { return m_KindFlags; }
    bool IsFolder() const { return (m_KindFlags & GX_KIND_FOLDER) != 0; }

    GxTaskManage* GetManager() const { return m_Manager; }
    GxTaskBase* GetParent() const { return m_Parent; }
    GxTaskBase* GetFirstChild() const { return m_FirstChild; }
    GxTaskBase* GetLastChild() const { return m_LastChild; }
    GxTaskBase* GetPrevSibling() const { return m_PrevSibling; }
    GxTaskBase* GetNextSibling() const { return m_NextSibling; }
    GxS32 GetChildCount() const { return m_ChildCount; }

    GxS32 GetFrameCounter() const { return m_FrameCounter; }
    void AddFrameCounter() { ++m_FrameCounter; }

protected:
    void SetKindFlags(GxU32 bits) { m_KindFlags |= bits; }
    // Drops the local-name registration; folders call it before their table goes.
    void ReleaseLocalName();

    GxU32 m_UpdateFlags = 0;
    GxU32 m_InputFlags = 0;
    GxS32 m_GlobalState = GX_TASK_RUNNING;
    GxS32 m_Tag = 0;
    GxU32 m_KindFlags = 0;

private:
    GxTaskFolder* FindFolderFromHere();

    GxS32 m_ChildCount = 0;
    GxTaskManage* m_Manager = nullptr;
    GxTaskBase* m_Parent = nullptr;
    GxTaskBase* m_FirstChild = nullptr;
    GxTaskBase* m_LastChild = nullptr;
    GxTaskBase* m_PrevSibling = nullptr;
    GxTaskBase* m_NextSibling = nullptr;
    GxString m_Name;
    GxString m_LocalName;
    GxS32 m_LocalIndex = 0;
    GxU64 m_TaskID = 0;
    GxS32 m_FrameCounter = 0;
    GxS32 m_DeleteDelay = 1;
    // The folder that holds (or refused) the local name; an ancestor or the task itself.
    GxTaskFolder* m_LocalFolder = nullptr;
};
