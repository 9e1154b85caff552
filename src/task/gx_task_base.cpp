#include "task/gx_task_base.h"

#include "base/gx_log.h"
#include "task/gx_task_folder.h"
#include "task/gx_task_manage.h"

GxTaskBase::GxTaskBase(GxTaskBase* parent, const GxString& name, const GxString& localName,
                       GxS32 localIndex)
    : m_Parent(parent) {
    if (parent) {
        m_Manager = parent->m_Manager;
        m_PrevSibling = parent->m_LastChild;
        if (parent->m_LastChild) {
            parent->m_LastChild->m_NextSibling = this;
        } else {
            parent->m_FirstChild = this;
        }
        parent->m_LastChild = this;
        ++parent->m_ChildCount;
    }
    if (m_Manager)
        m_Manager->OnTaskCreated();
    if (!name.empty())
        SetTaskName(name);
    if (!localName.empty())
        SetTaskLocalName(localName, localIndex);
}

GxTaskBase::GxTaskBase(GxTaskManage* manager) : m_Manager(manager) {
    if (!m_Manager)
        return;
    m_Manager->OnTaskCreated();
    m_Manager->AttachRoot(this);
}

GxTaskBase::~GxTaskBase() {
    if (m_Manager) {
        if (m_TaskID != 0)
            m_Manager->UnregisterTaskIDOf(m_TaskID, this);
        if (!m_Name.empty())
            m_Manager->UnregisterTaskNameOf(m_Name, this);
    }
    ReleaseLocalName();
    if (m_Parent) {
        if (m_PrevSibling) {
            m_PrevSibling->m_NextSibling = m_NextSibling;
        } else {
            m_Parent->m_FirstChild = m_NextSibling;
        }
        if (m_NextSibling) {
            m_NextSibling->m_PrevSibling = m_PrevSibling;
        } else {
            m_Parent->m_LastChild = m_PrevSibling;
        }
        --m_Parent->m_ChildCount;
    }
    // Children that outlive their parent (only possible when a task is deleted
    // outside the sweep) become detached rather than pointing at freed memory.
    for (GxTaskBase* child = m_FirstChild; child; child = child->m_NextSibling) {
        child->m_Parent = nullptr;
    }
    if (m_Manager)
        m_Manager->OnTaskDestroyed(this);
}

GxS32 GxTaskBase::Update(GxS32, GxS64) {
    return 0;
}
GxS32 GxTaskBase::Prepare(GxS32, GxS64) {
    return 0;
}
GxS32 GxTaskBase::RequestRender(GxS32, GxS64) {
    return 0;
}
GxS32 GxTaskBase::Render(GxS32, GxS32) {
    return 0;
}

GxS32 GxTaskBase::RenderPreparing(GxS32 value, GxS32 layer) {
    Render(value, layer);
    return 0;
}

bool GxTaskBase::SetTaskID(GxU64 id) {
    if (m_TaskID != 0) {
        LogError(u"GxTaskBase::SetTaskID/TaskIDは後から変更できませんTaskID=%I64u->%I64u\n",
                 m_TaskID, id);
        return false;
    }
    m_TaskID = id;
    return m_Manager && m_Manager->RegisterTaskID(this, id);
}

bool GxTaskBase::SetTaskName(const GxString& name) {
    if (m_Manager && !m_Name.empty())
        m_Manager->UnregisterTaskNameOf(m_Name, this);
    m_Name = name;
    if (!m_Manager || m_Name.empty())
        return false;
    return m_Manager->RegisterTaskName(m_Name, this);
}

GxTaskFolder* GxTaskBase::FindFolderFromHere() {
    for (GxTaskBase* task = this; task; task = task->m_Parent) {
        if (task->IsFolder())
            return static_cast<GxTaskFolder*>(task);
    }
    return nullptr;
}

bool GxTaskBase::SetTaskLocalName(const GxString& localName, GxS32 localIndex) {
    GxTaskFolder* folder = FindFolderFromHere();
    ReleaseLocalName();
    if (!folder) {
        LogError(u"GxTaskBase::SetTaskLocalName/フォルダタスク下にありません (%s,%d)\n", localName,
                 localIndex);
        m_LocalName = localName;
        m_LocalIndex = localIndex;
        return false;
    }
    m_LocalName = localName;
    m_LocalIndex = localIndex;
    if (m_LocalName.empty())
        return false;
    m_LocalFolder = folder;
    return folder->RegisterTaskLocalName(m_LocalName, m_LocalIndex, this);
}

void GxTaskBase::ReleaseLocalName() {
    if (m_LocalFolder && !m_LocalName.empty()) {
        m_LocalFolder->UnregisterTaskLocalNameOf(m_LocalName, m_LocalIndex, this);
    }
    m_LocalFolder = nullptr;
}

GxString GxTaskBase::GetTaskPath() const {
    return gx::Format(u"%s/%s[%d]:%d", m_Name, m_LocalName, m_LocalIndex, m_Tag);
}

void GxTaskBase::Resume() {
    if (m_GlobalState != GX_TASK_PAUSED)
        return;
    m_GlobalState = GX_TASK_RUNNING;
    OnResume();
}

void GxTaskBase::Pause() {
    if (m_GlobalState != GX_TASK_RUNNING)
        return;
    m_GlobalState = GX_TASK_PAUSED;
    OnPause();
}

GxS32 GxTaskBase::Kill() {
    KillChildren();
    const GxS32 before = m_GlobalState;
    if (before == GX_TASK_KILLED)
        return before;
    m_GlobalState = GX_TASK_KILLED;
    OnKill();
    return before;
}

void GxTaskBase::ResumeChildren() {
    for (GxTaskBase* child = m_FirstChild; child; child = child->m_NextSibling)
        child->Resume();
}

void GxTaskBase::PauseChildren() {
    for (GxTaskBase* child = m_FirstChild; child; child = child->m_NextSibling)
        child->Pause();
}

void GxTaskBase::KillChildren() {
    for (GxTaskBase* child = m_FirstChild; child; child = child->m_NextSibling)
        child->Kill();
}

GxS32 GxTaskBase::CountDownDeleteDelay() {
    if (m_DeleteDelay > 0)
        --m_DeleteDelay;
    return m_DeleteDelay;
}

bool GxTaskBase::Write(GxContentWriterBase& writer) const {
    const int errorsBefore = writer.GetErrorCount();
    writer.WriteValue("m_GlobalState", static_cast<GxU32>(m_GlobalState));
    writer.WriteValue("m_TaskID", static_cast<GxS64>(m_TaskID));
    return writer.GetErrorCount() == errorsBefore;
}

bool GxTaskBase::Read(GxContentReaderBase& reader) {
    const int errorsBefore = reader.GetErrorCount();
    const GxU32 state = reader.ReadU32("m_GlobalState");
    const GxU64 id = static_cast<GxU64>(reader.ReadS64("m_TaskID"));
    if (reader.GetErrorCount() != errorsBefore)
        return false;
    if (state < GX_TASK_RUNNING || state > GX_TASK_KILLED) {
        LogError(u"GxTaskBase::Read/タスク状態が不正です (%s,%u)\n", m_Name, state);
        return false;
    }
    if (m_Manager && m_TaskID != 0)
        m_Manager->UnregisterTaskIDOf(m_TaskID, this);
    m_GlobalState = static_cast<GxS32>(state);
    m_TaskID = id;
    if (m_Manager && m_TaskID != 0)
        m_Manager->RegisterTaskID(this, m_TaskID);
    return true;
}
