#include "core/gx_placeholder_sequences.h"

#include "task/gx_seq_base.h"

namespace gx {

GxSeqBase* CreatePlaceholderSequences(GxTaskBase* root) {
    auto* system = new GxSeqBase(root, u"SeqSystem");
    const char16_t* const names[] = {u"SeqBoot",      u"SeqTitle",  u"SeqOpening",    u"SeqAvgMain",
                                     u"SeqAvgLog",    u"SeqConfig", u"SeqSave",       u"SeqLoad",
                                     u"SeqQuickLoad", u"SeqCGMode", u"SeqCGModeView", u"SeqRPMode",
                                     u"SeqBGMMode",   u"SeqTest"};
    // Owned by the root task from here on.
    for (const char16_t* name : names)
        new GxSeqTransitBase(root, name);
    return system;
}

}  // namespace gx
