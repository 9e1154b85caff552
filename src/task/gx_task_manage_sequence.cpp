#include "base/gx_log.h"
#include "base/gx_string.h"
#include "task/gx_seq_base.h"
#include "task/gx_task_manage.h"

bool GxTaskManage::ChangeSequence(GxTaskBase* task, GxS32 parameter) {
    if (!task)
        return false;
    if (!(task->GetKindFlags() & GX_KIND_SEQUENCE)) {
        LogError(u"指定されたタスクはシーケンスタスクではありません(%s)\n", task->GetTaskName());
        return false;
    }
    if (m_Current.sequence && task->GetTaskName() == m_Current.name) {
        LogError(u"Can not change the same sequence(%s)\n", task->GetTaskName());
        return false;
    }
    m_Next.sequence = static_cast<GxSeqBase*>(task);
    m_Next.name = task->GetTaskName();
    m_Next.param1 = parameter;
    m_Next.param2 = 0;
    m_SequenceActive = false;
    m_MainStarted = false;
    m_ChangePending = true;
    return true;
}

bool GxTaskManage::ChangeSequence(const GxString& name, GxS32 parameter) {
    if (name.empty()) {
        LogError(u"名前のないタスクは遷移先のシーケンスに指定できません\n");
        return false;
    }
    GxTaskBase* task = FindTask(name);
    if (!task) {
        LogError(u"遷移先のシーケンスが見つかりません(%s)\n", name);
        return false;
    }
    return ChangeSequence(task, parameter);
}

bool GxTaskManage::ChangeSequence(const char* name, GxS32 parameter) {
    return ChangeSequence(gx::Utf8ToUtf16(name ? name : ""), parameter);
}

void GxTaskManage::ApplySequenceChange() {
    if (!m_ChangePending)
        return;
    m_Previous = m_Current;
    // A change requested by an OnSequenceEnd below replaces the target taken next.
    if (m_Current.sequence)
        SequenceEndWalk(m_Current.sequence);
    m_Current = std::move(m_Next);
    m_Next = SequenceSlot();
    m_SequenceActive = true;
    m_ChangePending = false;
    if (m_Current.sequence)
        SequenceStartWalk(m_Current.sequence);
}

void GxTaskManage::StartMain() {
    if (!m_SequenceActive) {
        LogError(u"GxTaskManage::StartMain/シーケンスの準備ができていません\n");
        return;
    }
    m_MainStarted = true;
}

void GxTaskManage::EndSequence() {
    if (m_Current.sequence && m_SequenceActive)
        SequenceEndWalk(m_Current.sequence);
    m_Current = SequenceSlot();
    m_ChangePending = false;
    m_SequenceActive = false;
    m_MainStarted = false;
}

void GxTaskManage::SetSystemWidgetCloser(std::function<void(GxTaskBase&)> closer) {
    m_SystemWidgetCloser = std::move(closer);
}

void GxTaskManage::CloseSystemWidget(GxTaskBase& widget) const {
    if (m_SystemWidgetCloser) {
        m_SystemWidgetCloser(widget);
    } else if (widget.IsRunning()) {
        widget.Pause();
    }
}
