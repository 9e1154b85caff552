#include "core/gx_core_services.h"

#include "base/gx_log.h"
#include "core/gx_placeholder_sequences.h"

// Until the devices exist, their start-up reports say so in device.log.
bool GxCoreServices::CreateGraphicsDevice(void* /*nativeWindow*/) {
    LogDevice(u"Graphics device: none in this build\n");
    return true;
}

void GxCoreServices::StartSound() {
    LogDevice(u"Sound device: none in this build\n");
}

GxSeqBase* GxCoreServices::CreateSequences(GxTaskBase* root) {
    return gx::CreatePlaceholderSequences(root);
}
