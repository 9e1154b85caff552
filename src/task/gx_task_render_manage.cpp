#include "task/gx_task_render_manage.h"

#include <algorithm>

void GxTaskRenderManage::AddRenderRequest(GxS32 mode, GxTaskBase* task, GxF32 depth, GxS32 value) {
    if (mode == GX_RENDER_DEFAULT)
        mode = m_DefaultMode;
    const Entry entry{task, depth, value};
    auto insertBefore = [&](auto qualifies) {
        auto at = std::find_if(m_Entries.begin(), m_Entries.end(),
                               [&](const Entry& e) { return qualifies(e.depth); });
        m_Entries.insert(at, entry);
    };
    switch (mode) {
        case GX_RENDER_PREPEND:
            m_Entries.insert(m_Entries.begin(), entry);
            break;
        case GX_RENDER_ASCENDING:
            insertBefore([depth](GxF32 d) { return d > depth; });
            break;
        case GX_RENDER_DESCENDING:
            insertBefore([depth](GxF32 d) { return d < depth; });
            break;
        case GX_RENDER_ASCENDING_BEFORE_EQUAL:
            insertBefore([depth](GxF32 d) { return d >= depth; });
            break;
        case GX_RENDER_DESCENDING_BEFORE_EQUAL:
            insertBefore([depth](GxF32 d) { return d <= depth; });
            break;
        default:
            m_Entries.push_back(entry);
            break;
    }
}

void GxTaskRenderManage::Forget(const GxTaskBase* task) {
    std::erase_if(m_Entries, [task](const Entry& e) { return e.task == task; });
}
