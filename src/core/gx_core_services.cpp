#include "core/gx_core_services.h"

#include "base/gx_log.h"
#include "core/gx_placeholder_sequences.h"
#include "db/gx_db_tables.h"
#include "script/gx_rill.h"
#include "script/gx_rill_compile.h"
#include "sound/gx_sound_manager.h"

GxCoreServices::GxCoreServices() = default;
GxCoreServices::~GxCoreServices() = default;

void GxCoreServices::CompileScripts() {
    ::CompileScripts();
}

void GxCoreServices::StartScriptEngine() {
    m_ScriptEngine = std::make_unique<GxRillEx>();
    LoadCompiledScripts(*m_ScriptEngine);
}

void GxCoreServices::ReleaseScriptEngine() {
    m_ScriptEngine.reset();
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
