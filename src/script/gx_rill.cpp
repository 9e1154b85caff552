#include "script/gx_rill.h"

#include "base/gx_log.h"
#include "script/gx_rill_list_io.h"

void GxRill::Clear() {
    m_Labels.clear();
    m_VariableDefine.clear();
    m_BuiltinDefine.clear();
    m_Scripts.clear();
}

void GxRill::ResetStatus() {
    m_ErrorStop = 0;
    m_Breakpoint = 0;
    m_ErrorCount = 0;
    m_WarningCount = 0;
}

bool GxRill::AddLabel(const GxRillLabelDefinition& label) {
    return m_Labels.try_emplace(label.m_Name, std::make_unique<GxRillLabelDefinition>(label))
        .second;
}

bool GxRill::AddVariableDefinition(const GxRillVariableDefinition& definition) {
    if (FindVariableDefinition(definition.m_Name))
        return false;
    m_VariableDefine.push_back(definition);
    return true;
}

bool GxRill::AddBuiltinDefinition(const GxRillBuiltinDefinition& definition) {
    if (FindBuiltinDefinition(definition.m_Name))
        return false;
    m_BuiltinDefine.push_back(definition);
    return true;
}

bool GxRill::AddScript(std::unique_ptr<GxRillScript> script) {
    script->m_pEngine = this;
    std::u16string name = script->m_ScriptName;
    return m_Scripts.try_emplace(std::move(name), std::move(script)).second;
}

const GxRillLabelDefinition* GxRill::FindGlobalLabel(std::u16string_view name) const {
    auto it = m_Labels.find(name);
    return it == m_Labels.end() ? nullptr : it->second.get();
}

const GxRillVariableDefinition* GxRill::FindVariableDefinition(std::u16string_view name) const {
    for (const auto& definition : m_VariableDefine) {
        if (definition.m_Name == name)
            return &definition;
    }
    return nullptr;
}

const GxRillBuiltinDefinition* GxRill::FindBuiltinDefinition(std::u16string_view name) const {
    for (const auto& definition : m_BuiltinDefine) {
        if (definition.m_Name == name)
            return &definition;
    }
    return nullptr;
}

GxRillScript* GxRill::FindScript(std::u16string_view name) const {
    auto it = m_Scripts.find(name);
    return it == m_Scripts.end() ? nullptr : it->second.get();
}

const GxRillLabelDefinition* GxRill::FindLabel(std::u16string_view name,
                                               const GxRillScript* script) const {
    if (name.empty())
        return nullptr;
    if (name[0] == u'@')
        return script ? script->FindLabel(name) : nullptr;
    return FindGlobalLabel(name);
}

bool GxRill::LabelExists(std::u16string_view label, std::u16string_view scriptName) const {
    return FindLabel(label, FindScript(scriptName)) != nullptr;
}

bool GxRill::Write(GxContentWriterBase& writer) const {
    WriteRillLabelList(writer, m_Labels);
    WriteRillList(writer, "m_VariableDefine", "GxRillVariableDefinition", m_VariableDefine);
    WriteRillList(writer, "m_BuiltinDefine", "GxRillBuiltinDefinition", m_BuiltinDefine);
    WriteRillMapList(writer, "m_pScriptDefine", "GxRillScript", m_Scripts);
    return writer.GetErrorCount() == 0;
}

namespace {
// Scripts are owned through pointers; the list reader wants a value type.
struct ScriptHolder {
    std::unique_ptr<GxRillScript> script = std::make_unique<GxRillScript>();
    bool Read(GxContentReaderBase& reader) { return script->Read(reader); }
};
}  // namespace

bool GxRill::Read(GxContentReaderBase& reader) {
    Clear();
    bool ok = ReadRillLabelList(reader, m_Labels) &&
              ReadRillList(reader, "m_VariableDefine", m_VariableDefine) &&
              ReadRillList(reader, "m_BuiltinDefine", m_BuiltinDefine) &&
              ReadRillListWith<ScriptHolder>(reader, "m_pScriptDefine", [&](ScriptHolder&& holder) {
                  AddScript(std::move(holder.script));
              });
    if (!ok || reader.GetErrorCount() != 0) {
        Clear();
        return false;
    }
    return true;
}

void GxRillEx::PrintText(std::u16string_view text) {
    gx::LogDebugText(std::u16string(text) + u"\n");
}

void GxRillEx::WarningText(std::u16string_view scriptName, GxS32 line, std::u16string_view text) {
    LogSlightError(u"warn:[Script=\"%s\"/line=%d] %s\n", scriptName, line + 1, text);
}

void GxRillEx::ErrorText(std::u16string_view scriptName, GxS32 line, std::u16string_view text) {
    LogError(u"err:[Script=\"%s\"/line=%d] %s\n", scriptName, line + 1, text);
}
