#include "task/gx_seq_base.h"

#include <algorithm>

#include "task/gx_task_manage.h"

GxSeqBase::GxSeqBase(GxTaskBase* root, const GxString& name) : GxTaskFolder(root, name) {
    SetUpdateFlags(GX_UPDATE_BOUNDARY | GX_UPDATE_PREPARATION_MEMBER);
    SetKindFlags(GX_KIND_SEQUENCE);
}

void GxSeqBase::OnSequenceEnd() {
    ClearUIEvents();
    GxTaskManage* manager = GetManager();
    if (!manager)
        return;
    for (const char* name : {"tip_help", "dlg_shutdown", "dlg_user"}) {
        if (GxTaskBase* widget = manager->FindTask(name))
            manager->CloseSystemWidget(*widget);
    }
}

GxS32 GxSeqBase::Prepare(GxS32, GxS64) {
    if (GetManager())
        GetManager()->StartMain();
    return 0;
}

GxS32 GxSeqBase::RequestRender(GxS32, GxS64) {
    if (GetManager())
        GetManager()->AddRenderRequest(0, GX_RENDER_DEFAULT, this, 0.0f, 0);
    return 0;
}

GxS32 GxSeqBase::Render(GxS32, GxS32) {
    ClearScreen();
    return 0;
}

void GxSeqBase::ClearScreen() {
    if (GxTaskManage* manager = GetManager()) {
        manager->GetSceneRenderer().ClearTarget(manager->GetBackgroundColor(), 1.0f, 0);
    }
}

GxTaskBase* GxSeqBase::CreateUIFromModule(GxTaskBase*, const GxUIModuleRecord*, const GxString&,
                                          GxS32) {
    return nullptr;
}

GxTaskBase* GxSeqBase::CreateUIFromLayoutRow(GxTaskBase*, const GxUILayoutRow*, const GxString&,
                                             GxS32) {
    return nullptr;
}

// ---- GxTransitParam

bool GxTransitParam::Write(GxContentWriterBase& writer) const {
    const int errorsBefore = writer.GetErrorCount();
    writer.WriteValue("m_Transit", m_Transit);
    writer.WriteValue("m_TransitTimeLeft", m_TransitTimeLeft);
    writer.WriteValue("m_TransitTimeTotal", m_TransitTimeTotal);
    return writer.GetErrorCount() == errorsBefore;
}

bool GxTransitParam::Read(GxContentReaderBase& reader) {
    const int errorsBefore = reader.GetErrorCount();
    const bool transit = reader.ReadBool("m_Transit");
    const GxS32 left = reader.ReadS32("m_TransitTimeLeft");
    const GxS32 total = reader.ReadS32("m_TransitTimeTotal");
    if (reader.GetErrorCount() != errorsBefore)
        return false;
    m_Transit = transit;
    m_TransitTimeLeft = left;
    m_TransitTimeTotal = total;
    return true;
}

GxF32 GxTransitParam::GetProgress() const {
    if (!m_Transit || m_TransitTimeTotal <= 0)
        return 1.0f;
    const GxF32 progress = static_cast<GxF32>(m_TransitTimeTotal - m_TransitTimeLeft) /
                           static_cast<GxF32>(m_TransitTimeTotal);
    return std::clamp(progress, 0.0f, 1.0f);
}

// ---- GxSeqTransitBase

namespace {
constexpr GxU32 kTransitionInputBits =
    GX_INPUT_SKIP_MOUSE | GX_INPUT_SKIP_KEY | GX_INPUT_TRANSITION;
}

GxSeqTransitBase::GxSeqTransitBase(GxTaskBase* root, const GxString& name) : GxSeqBase(root, name) {
    SetKindFlags(GX_KIND_TRANSIT_SEQUENCE);
}

void GxSeqTransitBase::OnSequenceEnd() {
    GxSeqBase::OnSequenceEnd();
    StopTransition();
    GxTaskManage* manager = GetManager();
    if (!manager)
        return;
    GxSeqBase* next = manager->GetNextSequence();
    if (!next || !(next->GetKindFlags() & GX_KIND_TRANSIT_SEQUENCE)) return;
    if (auto* transit = dynamic_cast<GxSeqTransitBase*>(next)) {
        manager->RenderToCaptureTexture();
        transit->StartTransition(manager->GetTransitionTime());
    }
}

GxS32 GxSeqTransitBase::Prepare(GxS32, GxS64 elapsedMicroseconds) {
    if (m_TransitParam.m_Transit) {
        const GxS64 left = m_TransitParam.m_TransitTimeLeft + elapsedMicroseconds / -1000;
        if (left > 0) {
            m_TransitParam.m_TransitTimeLeft = static_cast<GxS32>(left);
            return 0;
        }
        EndTransition();
    }
    if (GetManager())
        GetManager()->StartMain();
    return 0;
}

GxS32 GxSeqTransitBase::RequestRender(GxS32, GxS64) {
    GxTaskManage* manager = GetManager();
    if (!manager)
        return 0;
    manager->AddRenderRequest(0, GX_RENDER_DEFAULT, this, 0.0f, 0);
    if (IsTransitioning())
        manager->AddRenderRequest(9, GX_RENDER_DEFAULT, this, 0.0f, 1);
    return 0;
}

GxS32 GxSeqTransitBase::Render(GxS32 value, GxS32) {
    if (value == 0) {
        ClearScreen();
    } else if (value == 1) {
        DrawTransition();
    }
    return 0;
}

bool GxSeqTransitBase::StartTransition(GxS32 milliseconds) {
    m_TransitParam.m_TransitTimeLeft = milliseconds;
    m_TransitParam.m_TransitTimeTotal = milliseconds;
    m_TransitParam.m_Transit = true;
    SetInputFlags(kTransitionInputBits);
    return true;
}

GxS32 GxSeqTransitBase::StopTransition() {
    if (!m_TransitParam.m_Transit)
        return 0;
    EndTransition();
    return 1;
}

void GxSeqTransitBase::EndTransition() {
    m_TransitParam.m_TransitTimeLeft = 0;
    m_TransitParam.m_Transit = false;
    ClearInputFlags(kTransitionInputBits);
}

void GxSeqTransitBase::DrawTransition() {
    if (!IsTransitioning() || !GetManager())
        return;
    GetManager()->GetSceneRenderer().DrawCaptureFade(1.0f - m_TransitParam.GetProgress());
}
