#include "task/gx_seq_base.h"
#include "task/gx_task_manage.h"

bool GxTaskManage::AddRenderRequest(GxS32 layer, GxS32 mode, GxTaskBase* task, GxF32 depth,
                                    GxS32 value) {
    if (!task || layer < 0 || layer >= kRenderLayerCount)
        return false;
    m_RenderLists[m_RenderBank][layer].AddRenderRequest(mode, task, depth, value);
    return true;
}

void GxTaskManage::ClearRenderLists(int bank) {
    if (bank < 0 || bank >= kRenderBankCount)
        return;
    for (auto& list : m_RenderLists[bank])
        list.Clear();
}

void GxTaskManage::RenderLists(int bank) {
    if (bank < 0 || bank >= kRenderBankCount)
        return;
    for (int layer = 0; layer < kRenderLayerCount; ++layer) {
        // A task's Render may add requests to this list; index instead of iterating.
        const auto& entries = m_RenderLists[bank][layer].GetEntries();
        for (size_t i = 0; i < entries.size(); ++i) {
            const GxTaskRenderManage::Entry entry = entries[i];
            GxTaskBase& task = *entry.task;
            if (!task.IsRunning() || (task.GetUpdateFlags() & GX_UPDATE_NO_RENDER))
                continue;
            if (m_MainStarted) {
                task.Render(entry.value, layer);
            } else {
                task.RenderPreparing(entry.value, layer);
            }
        }
    }
}

void GxTaskManage::RenderToCaptureTexture() {
    m_Renderer->BeginCapture();
    m_RenderBank = 1;
    ClearRenderLists(1);
    RenderRequestPass(m_Current.sequence, 0, 0);
    RenderRequestPass(m_SystemSequence, 0, 0);
    RenderLists(1);
    ClearRenderLists(1);
    m_RenderBank = 0;
    m_Renderer->EndCapture();
}

void GxTaskManage::SetSceneRenderer(GxSceneRenderer* renderer) {
    m_Renderer = renderer ? renderer : &GxNullSceneRenderer();
}
