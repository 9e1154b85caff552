#pragma once

#include "task/gx_task_folder.h"

// Placeholders for the UI table rows; the widget library defines them.
struct GxUIModuleRecord;
struct GxUILayoutRow;

// One screen or mode of the game: a folder under the root task that is created
// once and lives until shutdown. Its class name is its task name.
class GxSeqBase : public GxTaskFolder {
public:
    GxSeqBase(GxTaskBase* root, const GxString& name);

    // Clears the UI queue and closes the system widgets found by name.
    void OnSequenceEnd() override;
    // A plain sequence has no preparation: starts its main phase at once.
    GxS32 Prepare(GxS32 step, GxS64 elapsedMicroseconds) override;
    GxS32 RequestRender(GxS32 step, GxS64 elapsedMicroseconds) override;
    // Clears the screen with the background colour.
    GxS32 Render(GxS32 value, GxS32 layer) override;

    // Widget factories; the widget library overrides them. Local index -1 makes
    // `name` the task name instead of the local name.
    virtual GxTaskBase* CreateUIFromModule(GxTaskBase* parent, const GxUIModuleRecord* module,
                                           const GxString& name, GxS32 localIndex);
    virtual GxTaskBase* CreateUIFromLayoutRow(GxTaskBase* parent, const GxUILayoutRow* row,
                                              const GxString& name, GxS32 localIndex);

protected:
    void ClearScreen();
};

// Transition state of a sequence (persisted).
class GxTransitParam {
public:
    virtual ~GxTransitParam() = default;
    virtual bool Write(GxContentWriterBase& writer) const;
    virtual bool Read(GxContentReaderBase& reader);
    // 0..1; 1 when no transition runs.
    GxF32 GetProgress() const;

    bool m_Transit = false;
    GxS32 m_TransitTimeLeft = 0;
    GxS32 m_TransitTimeTotal = 0;
};

// A sequence that fades the last frame of the previous screen out over itself
// when both the old and the new sequence are of this kind.
class GxSeqTransitBase : public GxSeqBase {
public:
    GxSeqTransitBase(GxTaskBase* root, const GxString& name);

    void OnSequenceEnd() override;
    // Counts the transition down; starts the main phase once it is over.
    GxS32 Prepare(GxS32 step, GxS64 elapsedMicroseconds) override;
    GxS32 RequestRender(GxS32 step, GxS64 elapsedMicroseconds) override;
    GxS32 Render(GxS32 value, GxS32 layer) override;

    // Blocks mouse and keyboard input to the sequence while it runs.
    virtual bool StartTransition(GxS32 milliseconds);
    virtual GxS32 StopTransition();
    virtual bool IsTransitioning() const { return m_TransitParam.m_Transit; }
    virtual void DrawTransition();

    const GxTransitParam& GetTransitParam() const { return m_TransitParam; }

private:
    void EndTransition();

    GxTransitParam m_TransitParam;
};
