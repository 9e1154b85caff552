#pragma once

#include <vector>

#include "base/gx_types.h"

class GxTaskBase;

// Insertion modes of a render request.
enum : GxS32 {
    GX_RENDER_DEFAULT = 0,
    GX_RENDER_APPEND = 1,
    GX_RENDER_PREPEND = 2,
    GX_RENDER_ASCENDING = 3,                // after equal depths
    GX_RENDER_DESCENDING = 4,               // after equal depths
    GX_RENDER_ASCENDING_BEFORE_EQUAL = 5,   // before equal depths
    GX_RENDER_DESCENDING_BEFORE_EQUAL = 6,  // before equal depths
};

// One render list: the tasks to draw in one layer, in drawing order.
class GxTaskRenderManage {
public:
    struct Entry {
        GxTaskBase* task = nullptr;
        GxF32 depth = 0;
        GxS32 value = 0;
    };

    // Mode 0 uses the default mode; unknown modes append.
    void AddRenderRequest(GxS32 mode, GxTaskBase* task, GxF32 depth, GxS32 value);
    void Clear() { m_Entries.clear(); }
    // Drops every entry of a task that is going away.
    void Forget(const GxTaskBase* task);

    const std::vector<Entry>& GetEntries() const { return m_Entries; }
    GxS32 GetDefaultMode() const { return m_DefaultMode; }
    void SetDefaultMode(GxS32 mode) { m_DefaultMode = mode; }

private:
    std::vector<Entry> m_Entries;
    GxS32 m_DefaultMode = GX_RENDER_ASCENDING;
};
