#include "core/gx_core_services.h"

#include "base/gx_log.h"
#include "core/gx_placeholder_sequences.h"
#include "db/gx_db_tables.h"
#include "sound/gx_sound_manager.h"

// Until the devices exist, their start-up reports say so in device.log.
bool GxCoreServices::CreateGraphicsDevice(void* /*nativeWindow*/) {
    LogDevice(u"Graphics device: none in this build\n");
    return true;
}

void GxCoreServices::StartSound() {
    InitializeSound(nullptr);
}

void GxCoreServices::ServiceSound() {
    UpdateSound();
}

void GxCoreServices::ShutdownSound() {
    ::ShutdownSound();
}

void GxCoreServices::LoadTables() {
    gx::LoadDatabaseTables(gx::GetDatabase());
}

GxSeqBase* GxCoreServices::CreateSequences(GxTaskBase* root) {
    return gx::CreatePlaceholderSequences(root);
}
