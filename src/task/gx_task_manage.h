#pragma once

#include <array>
#include <functional>
#include <map>

#include "task/gx_scene_renderer.h"
#include "task/gx_task_base.h"
#include "task/gx_task_render_manage.h"

class GxSeqBase;

// The kinds of events delivered into the tree, each with its input skip bits.
enum class GxTaskEventKind { Thread, Window, Mouse, Key, Net };

// Owns the task tree and drives it: registries of IDs and names, the per-step
// passes, event delivery, the sweep, the render lists and the sequence changes.
// Main thread only.
class GxTaskManage : public GxThreadListenerBase,
                     public GxTaskWindowListenerBase,
                     public GxTaskMouseListenerBase,
                     public GxTaskKeyInputListenerBase,
                     public GxTaskNetListenerBase,
                     private GxObjectNotCopyable {
public:
    static constexpr int kRenderLayerCount = 10;
    static constexpr int kRenderBankCount = 2;

    GxTaskManage();
    // Deletes the whole tree, each task after its children.
    ~GxTaskManage() override;

    // ---- registries
    bool RegisterTaskID(GxTaskBase* task, GxU64 id);
    bool UnregisterTaskID(GxU64 id);
    // Erases the entry only when it belongs to `task`; logs only when the ID is absent.
    bool UnregisterTaskIDOf(GxU64 id, const GxTaskBase* task);
    bool RegisterTaskName(const GxString& name, GxTaskBase* task);
    GxS32 UnregisterTaskName(const GxString& name);
    // Erases the entry only when it belongs to `task`.
    bool UnregisterTaskNameOf(const GxString& name, const GxTaskBase* task);
    GxTaskBase* FindTask(const GxString& name) const;
    GxTaskBase* FindTask(const char* name) const;
    GxTaskBase* FindTaskByID(GxU64 id) const;

    GxTaskBase* GetRootTask() const { return m_RootTask; }
    GxS32 GetTaskCount() const { return m_TaskCount; }
    void SetSystemSequence(GxSeqBase* sequence) { m_SystemSequence = sequence; }
    GxSeqBase* GetSystemSequence() const { return m_SystemSequence; }

    // ---- passes (each walks `start` and its later siblings up to a boundary)
    void UpdatePass(GxTaskBase* start, GxS32 step, GxS64 elapsedMicroseconds);
    void PreparePass(GxTaskBase* start, GxS32 step, GxS64 elapsedMicroseconds);
    void RenderRequestPass(GxTaskBase* start, GxS32 step, GxS64 elapsedMicroseconds);
    void SequenceStartWalk(GxTaskBase* start);
    void SequenceEndWalk(GxTaskBase* start);
    // Deletes killed, childless tasks whose delay ran out; returns the task count.
    GxS32 Sweep(GxTaskBase* start);

    // ---- event delivery: children before parents, first non-zero result wins
    GxS32 DeliverEvent(GxTaskBase* start, GxTaskEventKind kind,
                       const std::function<GxS32(GxTaskBase&)>& call);
    // System sequence first, then the current sequence when it is active.
    GxS32 DeliverToSequences(GxTaskEventKind kind, const std::function<GxS32(GxTaskBase&)>& call);
    // The window procedure calls these directly (the listener forms return 0).
    GxS32 DeliverLButtonDown(const GxVector2& point, GxU32 keys, bool isDouble);
    GxS32 DeliverRButtonDown(const GxVector2& point, GxU32 keys, bool isDouble);
    GxS32 DeliverMButtonDown(const GxVector2& point, GxU32 keys, bool isDouble);

    GxS32 OnThreadEvent1(void* data, GxS32 a, GxS32 b, GxS32 c) override;
    GxS32 OnThreadEvent2(void* data, GxS32 a, GxS32 b, GxS32 c) override;
    GxS32 OnActivate() override;
    GxS32 OnDeactivate() override;
    GxS32 OnClose() override;
    GxS32 OnScreenModeChanged(GxS32 oldMode, GxS32 newMode) override;
    GxS32 OnMouseMove(const GxVector2& point, GxU32 keys) override;
    GxS32 OnMouseWheel(const GxVector2& point, GxS32 delta, GxU32 keys) override;
    GxS32 OnLButtonDown(const GxVector2& point, GxU32 keys, bool isDouble) override;
    GxS32 OnLButtonUp(const GxVector2& point, GxU32 keys) override;
    GxS32 OnRButtonDown(const GxVector2& point, GxU32 keys, bool isDouble) override;
    GxS32 OnRButtonUp(const GxVector2& point, GxU32 keys) override;
    GxS32 OnMButtonDown(const GxVector2& point, GxU32 keys, bool isDouble) override;
    GxS32 OnMButtonUp(const GxVector2& point, GxU32 keys) override;
    GxS32 OnKeyDown(GxU32 virtualKey, GxU32 keyData) override;
    GxS32 OnKeyUp(GxU32 virtualKey, GxU32 keyData) override;
    GxS32 OnKeyChar(GxU32 code, GxU32 keyData) override;
    GxS32 OnKeyComposition(GxU32 a, GxU32 b, GxU32 c) override;
    GxS32 OnNetEvent0(GxS32 a) override;
    GxS32 OnNetEvent1(GxS32 a) override;
    GxS32 OnNetEvent2(GxS32 a, GxS32 b) override;
    GxS32 OnNetEvent3(GxS32 a, GxS32 b) override;
    GxS32 OnNetEvent4(GxS32 a, GxS32 b) override;

    // ---- render lists (two banks of ten layers; requests go to the current bank)
    bool AddRenderRequest(GxS32 layer, GxS32 mode, GxTaskBase* task, GxF32 depth, GxS32 value);
    void ClearRenderLists(int bank);
    void RenderLists(int bank);
    void RenderToCaptureTexture();
    int GetRenderBank() const { return m_RenderBank; }
    GxTaskRenderManage& GetRenderList(int bank, int layer) { return m_RenderLists[bank][layer]; }

    // Not owned; null restores the do-nothing renderer.
    void SetSceneRenderer(GxSceneRenderer* renderer);
    GxSceneRenderer& GetSceneRenderer() const { return *m_Renderer; }

    // ---- settings taken from the system configuration
    void SetBackgroundColor(GxU32 argb) { m_BackgroundColor = argb; }
    GxU32 GetBackgroundColor() const { return m_BackgroundColor; }
    void SetTransitionTime(GxS32 milliseconds) { m_TransitionTime = milliseconds; }
    GxS32 GetTransitionTime() const { return m_TransitionTime; }
    // How OnSequenceEnd closes the system widgets ("tip_help", "dlg_shutdown",
    // "dlg_user"); by default an open (running) one is paused.
    void SetSystemWidgetCloser(std::function<void(GxTaskBase&)> closer);
    void CloseSystemWidget(GxTaskBase& widget) const;

    // ---- sequences
    bool ChangeSequence(GxTaskBase* task, GxS32 parameter);
    bool ChangeSequence(const GxString& name, GxS32 parameter);
    bool ChangeSequence(const char* name, GxS32 parameter);
    void ApplySequenceChange();
    void StartMain();
    void EndSequence();

    GxSeqBase* GetCurrentSequence() const { return m_Current.sequence; }
    const GxString& GetCurrentSequenceName() const { return m_Current.name; }
    GxS32 GetCurrentParam1() const { return m_Current.param1; }
    GxS32 GetCurrentParam2() const { return m_Current.param2; }
    GxSeqBase* GetNextSequence() const { return m_Next.sequence; }
    const GxString& GetNextSequenceName() const { return m_Next.name; }
    GxSeqBase* GetPreviousSequence() const { return m_Previous.sequence; }
    const GxString& GetPreviousSequenceName() const { return m_Previous.name; }
    GxS32 GetPreviousParam1() const { return m_Previous.param1; }
    GxS32 GetPreviousParam2() const { return m_Previous.param2; }
    bool IsChangePending() const { return m_ChangePending; }
    bool IsSequenceActive() const { return m_SequenceActive; }
    bool IsMainStarted() const { return m_MainStarted; }

private:
    friend class GxTaskBase;
    struct SequenceSlot {
        GxSeqBase* sequence = nullptr;
        GxString name;
        GxS32 param1 = 0;
        GxS32 param2 = 0;
    };

    // Called by the task constructors and destructor.
    bool AttachRoot(GxTaskBase* root);
    void OnTaskCreated() { ++m_TaskCount; }
    void OnTaskDestroyed(GxTaskBase* task);

    void DeleteSubtree(GxTaskBase* task);
    template <class Visit>
    void WalkPass(GxTaskBase* start, GxU32 skipBit, GxU32 skipChildrenBit, bool stopSiblings,
                  const Visit& visit);

    std::map<GxU64, GxTaskBase*> m_TaskIDs;
    std::map<GxString, GxTaskBase*> m_TaskNames;
    GxTaskBase* m_RootTask = nullptr;
    GxS32 m_TaskCount = 0;
    GxSeqBase* m_SystemSequence = nullptr;
    SequenceSlot m_Current;
    bool m_ChangePending = false;
    bool m_SequenceActive = false;
    bool m_MainStarted = false;
    SequenceSlot m_Next;
    SequenceSlot m_Previous;

    std::array<std::array<GxTaskRenderManage, kRenderLayerCount>, kRenderBankCount> m_RenderLists;
    int m_RenderBank = 0;
    GxSceneRenderer* m_Renderer;
    GxU32 m_BackgroundColor = 0xFF000000;
    GxS32 m_TransitionTime = 400;
    std::function<void(GxTaskBase&)> m_SystemWidgetCloser;
};
