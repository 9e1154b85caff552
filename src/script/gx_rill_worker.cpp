// The worker's data, jumps, calls, returns and its persisted forms.
#include "script/gx_rill_worker.h"

std::u16string_view GetRillBlockTypeName(GxS32 type) {
    static constexpr std::u16string_view kNames[] = {
        u"不明",          u"通常ブロック", u"関数ブロック", u"IFブロック",     u"ELSEブロック",
        u"WHILEブロック", u"FORブロック",  u"DOブロック",   u"通常SUBブロック"};
    if (type < 0 || type > RILLBLOCK_NORMAL_SUB)
        return kNames[0];
    return kNames[type];
}

namespace {

bool IsSubBlock(GxS32 type) {
    return type >= RILLBLOCK_IF && type <= RILLBLOCK_NORMAL_SUB;
}

// Reads a list whose count is checked against `maxCount` before any element.
template <class Take>
bool ReadBoundedList(GxContentReaderBase& reader, const char* name, GxU32 maxCount, Take take) {
    GxU32 count = 0;
    if (!reader.ReadListBegin(name, &count) || reader.GetErrorCount() != 0 || count > maxCount)
        return false;
    for (GxU32 i = 0; i < count; ++i) {
        reader.ReadListItemBegin();
        if (!take())
            return false;
        reader.ReadListItemEnd();
        if (reader.GetErrorCount() != 0)
            return false;
    }
    reader.ReadListEnd();
    return reader.GetErrorCount() == 0;
}

void WriteValueList(GxContentWriterBase& writer, const char* name,
                    const std::vector<GxRillVariable>& values) {
    writer.WriteListBegin(name, "GxRillVariable", static_cast<GxU32>(values.size()));
    for (const GxRillVariable& value : values) {
        writer.WriteListItemBegin();
        value.Write(writer);
        writer.WriteListItemEnd();
    }
    writer.WriteListEnd();
}

bool ReadValueList(GxContentReaderBase& reader, const char* name, GxU32 maxCount,
                   std::vector<GxRillVariable>& values) {
    values.clear();
    return ReadBoundedList(reader, name, maxCount, [&] {
        GxRillVariable value;
        if (!value.Read(reader))
            return false;
        values.push_back(std::move(value));
        return true;
    });
}

}  // namespace

// ---- script entity ----

const GxRillVariableDefinition* GxRillScriptEntity::FindDefinition(std::u16string_view name) const {
    if (!m_pScript)
        return nullptr;
    for (const GxRillVariableDefinition& definition : m_pScript->m_VariableDefine) {
        if (definition.m_Name == name)
            return &definition;
    }
    return nullptr;
}

void GxRillScriptEntity::AddMissingVariables() {
    if (!m_pScript)
        return;
    for (const GxRillVariableDefinition& definition : m_pScript->m_VariableDefine) {
        if (definition.m_Scope >= RILLSCOPE_STATIC_PERMAN &&
            definition.m_Scope <= RILLSCOPE_STATIC_NOSAVE) {
            m_StaticTable.AddFromDefinition(definition);
        }
    }
}

void GxRillScriptEntity::ResetVariables(int variableClass) {
    for (GxRillVariableSet& set : m_StaticTable.GetSets()) {
        if (set.m_Scope >= RILLSCOPE_STATIC_PERMAN && set.m_Scope <= RILLSCOPE_STATIC_NOSAVE &&
            IsRillScopeInClass(set.m_Scope, variableClass)) {
            ResetRillVariableFromDefinition(set, FindDefinition(set.m_Name));
        }
    }
}

bool GxRillScriptEntity::WriteVariables(GxContentWriterBase& writer, int variableClass) const {
    return m_StaticTable.Write(writer, variableClass);
}

bool GxRillScriptEntity::ReadVariables(GxContentReaderBase& reader, int variableClass) {
    return m_StaticTable.Read(reader, variableClass);
}

bool GxRillScriptEntity::ResetAndReadVariables(GxContentReaderBase& reader, int variableClass) {
    ResetVariables(variableClass);
    const bool ok = ReadVariables(reader, variableClass);
    AddMissingVariables();
    return ok;
}

// ---- execution-stack element ----

bool GxRillExecStackElement::Write(GxContentWriterBase& writer) const {
    writer.WriteValue("m_BlockType", m_BlockType);
    m_Pos.Write(writer);
    m_LocalTable.Write(writer, RILLCLASS_ALL);
    WriteValueList(writer, "m_OpcodeList", m_OpcodeList);
    writer.WriteValue("m_OpcodePos", m_OpcodePos);
    return writer.GetErrorCount() == 0;
}

bool GxRillExecStackElement::Read(GxContentReaderBase& reader) {
    m_BlockType = reader.ReadS32("m_BlockType");
    if (!m_Pos.Read(reader))
        return false;
    m_LocalTable.Clear();
    if (!m_LocalTable.Read(reader, RILLCLASS_ALL))
        return false;
    if (!ReadValueList(reader, "m_OpcodeList", kMaxStoredOpcodes, m_OpcodeList))
        return false;
    m_OpcodePos = reader.ReadS32("m_OpcodePos");
    return reader.GetErrorCount() == 0;
}

// ---- worker ----

GxRillWorker::GxRillWorker(GxRill* engine) : m_pEngine(engine) {}

GxRillWorker::~GxRillWorker() = default;

GxRillScriptEntity* GxRillWorker::FindEntity(std::u16string_view scriptName) const {
    auto it = m_Entities.find(scriptName);
    return it == m_Entities.end() ? nullptr : it->second.get();
}

GxRillScriptEntity* GxRillWorker::ResolveEntity(GxRillExecStackElement& element) {
    if (!element.m_Pos.m_pEntity && !element.m_Pos.m_ScriptName.empty())
        element.m_Pos.m_pEntity = FindEntity(element.m_Pos.m_ScriptName);
    return element.m_Pos.m_pEntity;
}

GxRillVariableSet* GxRillWorker::FindVariableSet(std::u16string_view name) {
    if (GxRillVariableSet* set = m_GlobalTable.Find(name))
        return set;
    return m_pEngine->GetExternTable().Find(name);
}

void GxRillWorker::Initialize() {
    m_Entities.clear();
    m_GlobalTable.Clear();
    AddMissingVariables();
}

void GxRillWorker::AddMissingVariables() {
    for (const GxRillVariableDefinition& definition : m_pEngine->GetVariableDefinitions()) {
        if (definition.m_Scope >= RILLSCOPE_GLOBAL_PERMAN &&
            definition.m_Scope <= RILLSCOPE_GLOBAL_NOSAVE) {
            m_GlobalTable.AddFromDefinition(definition);
        }
    }
    for (const auto& [name, script] : m_pEngine->GetScripts()) {
        auto& entity = m_Entities[name];
        if (!entity)
            entity = std::make_unique<GxRillScriptEntity>(m_pEngine, this, script.get());
        entity->AddMissingVariables();
    }
}

void GxRillWorker::ResetVariables(int variableClass) {
    for (GxRillVariableSet& set : m_GlobalTable.GetSets()) {
        if (set.m_Scope >= RILLSCOPE_GLOBAL_PERMAN && set.m_Scope <= RILLSCOPE_GLOBAL_NOSAVE &&
            IsRillScopeInClass(set.m_Scope, variableClass)) {
            ResetRillVariableFromDefinition(set, m_pEngine->FindVariableDefinition(set.m_Name));
        }
    }
    for (auto& [name, entity] : m_Entities)
        entity->ResetVariables(variableClass);
}

bool GxRillWorker::WriteVariables(GxContentWriterBase& writer, int variableClass) const {
    m_GlobalTable.Write(writer, variableClass);
    writer.WriteValue("m_pScriptEntitySize", static_cast<GxS32>(m_Entities.size()));
    for (const auto& [name, entity] : m_Entities) {
        writer.WriteValue("m_ScriptName", name);
        entity->WriteVariables(writer, variableClass);
    }
    return writer.GetErrorCount() == 0;
}

bool GxRillWorker::ReadVariables(GxContentReaderBase& reader, int variableClass) {
    if (!m_GlobalTable.Read(reader, variableClass))
        return false;
    const GxS32 count = reader.ReadS32("m_pScriptEntitySize");
    if (reader.GetErrorCount() != 0 || count < 0 || count > GxRillVariableTable::kMaxStoredSets) {
        return false;
    }
    for (GxS32 i = 0; i < count; ++i) {
        const std::u16string name = reader.ReadWString("m_ScriptName");
        if (reader.GetErrorCount() != 0)
            return false;
        bool ok;
        if (GxRillScriptEntity* entity = FindEntity(name)) {
            ok = entity->ReadVariables(reader, variableClass);
        } else {
            GxRillVariableTable dropped(RILLTABLE_STATIC);
            ok = dropped.Read(reader, variableClass);
        }
        if (!ok)
            return false;
    }
    return reader.GetErrorCount() == 0;
}

bool GxRillWorker::ResetAndReadVariables(GxContentReaderBase& reader, int variableClass) {
    ResetVariables(variableClass);
    const bool ok = ReadVariables(reader, variableClass);
    AddMissingVariables();
    return ok;
}

bool GxRillWorker::WriteState(GxContentWriterBase& writer) const {
    writer.WriteValue("m_Name", m_Name);
    writer.WriteListBegin("m_ExecStack", "GxRillExecStackElement",
                          static_cast<GxU32>(m_ExecStack.size()));
    for (const auto& element : m_ExecStack) {
        writer.WriteListItemBegin();
        element->Write(writer);
        writer.WriteListItemEnd();
    }
    writer.WriteListEnd();
    WriteValueList(writer, "m_ValueStack", m_ValueStack);
    m_Result.Write(writer);
    return writer.GetErrorCount() == 0;
}

bool GxRillWorker::ReadState(GxContentReaderBase& reader) {
    std::u16string name = reader.ReadWString("m_Name");
    GxRillExecStack stack;
    std::vector<GxRillVariable> values;
    GxRillVariable result;
    const bool ok = reader.GetErrorCount() == 0 &&
                    ReadBoundedList(reader, "m_ExecStack", kMaxStoredStack,
                                    [&] {
                                        auto element = std::make_unique<GxRillExecStackElement>();
                                        if (!element->Read(reader))
                                            return false;
                                        stack.push_back(std::move(element));
                                        return true;
                                    }) &&
                    ReadValueList(reader, "m_ValueStack", kMaxStoredStack, values) &&
                    result.Read(reader) && reader.GetErrorCount() == 0;
    if (!ok)
        return false;  // a damaged state leaves the running one untouched
    m_RemovedCount += m_ExecStack.size();
    m_Name = std::move(name);
    m_ExecStack = std::move(stack);
    m_ValueStack = std::move(values);
    m_Result = std::move(result);
    for (auto& element : m_ExecStack)
        ResolveEntity(*element);
    return true;
}

void GxRillWorker::Dump(std::u16string& out, int indent) const {
    out += gx::Format(u"----Worker:%s\n", m_Name);
    m_GlobalTable.Dump(out, indent);
    for (const auto& [name, entity] : m_Entities) {
        out += gx::Format(u"------Script:%s\n", name);
        entity->GetStaticTable().Dump(out, indent + 1);
    }
    for (size_t i = 0; i < m_ExecStack.size(); ++i) {
        out += gx::Format(u"------ExecStack:%d\n", static_cast<GxS32>(i));
        m_ExecStack[i]->m_LocalTable.Dump(out, indent + 1);
    }
}

void GxRillWorker::NewGame() {
    Clear();
    ResetVariables(RILLCLASS_INGAME);
    ResetVariables(RILLCLASS_NOSAVE);
}

void GxRillWorker::Clear() {
    m_RemovedCount += m_ExecStack.size();
    m_ExecStack.clear();
    m_ValueStack.clear();
    m_Result.Clear();
}

void GxRillWorker::RemoveTop() {
    m_ExecStack.pop_back();
    ++m_RemovedCount;
}

void GxRillWorker::RemoveSubBlocks() {
    while (!m_ExecStack.empty() && IsSubBlock(m_ExecStack.back()->m_BlockType))
        RemoveTop();
}

GxRillExecStackElement* GxRillWorker::NearestNormalBlock(const GxRillEvalFrame* from) {
    size_t i = m_ExecStack.size();
    if (from) {
        while (i > 0 && m_ExecStack[i - 1].get() != from)
            --i;
        if (i == 0)
            return nullptr;
    }
    for (size_t j = i; j > 0; --j) {
        if (m_ExecStack[j - 1]->m_BlockType == RILLBLOCK_NORMAL)
            return m_ExecStack[j - 1].get();
    }
    return nullptr;
}

bool GxRillWorker::PushAtLabel(const GxRillLabelDefinition& label, const GxRillArgument* argument) {
    auto element = std::make_unique<GxRillExecStackElement>();
    element->m_BlockType = RILLBLOCK_NORMAL;
    element->m_Pos.m_Line = label.m_Pos.m_Line;
    element->m_Pos.m_Pos = label.m_Pos.m_Pos;
    element->m_Pos.m_ScriptName = label.m_Pos.m_ScriptName;
    element->m_Pos.m_pEntity =
        label.m_Pos.m_ScriptName.empty() ? nullptr : FindEntity(label.m_Pos.m_ScriptName);
    if (argument)
        element->m_LocalTable.AddNamed(argument->name, argument->value);
    m_ExecStack.push_back(std::move(element));
    return true;
}

namespace {
const GxRillScript* ScriptOf(const GxRillScriptEntity* entity) {
    return entity ? entity->GetScript() : nullptr;
}
}  // namespace

bool GxRillWorker::ReplaceTopWith(const GxRillLabelDefinition& label,
                                  const GxRillArgument* argument) {
    // The argument may live in the block that is about to go.
    const GxRillVariable value = argument ? argument->value : GxRillVariable();
    const std::u16string name = argument ? std::u16string(argument->name) : std::u16string();
    const GxRillLabelDefinition target = label;
    RemoveSubBlocks();
    if (!m_ExecStack.empty())
        RemoveTop();
    const GxRillArgument copy{name, value};
    return PushAtLabel(target, argument ? &copy : nullptr);
}

bool GxRillWorker::Jump(std::u16string_view label, const GxRillArgument* argument) {
    GxRillExecStackElement* block = NearestNormalBlock(nullptr);
    const GxRillLabelDefinition* found =
        m_pEngine->FindLabel(label, block ? ScriptOf(ResolveEntity(*block)) : nullptr);
    return found && ReplaceTopWith(*found, argument);
}

bool GxRillWorker::ClearAndJump(std::u16string_view label, const GxRillArgument* argument) {
    Clear();
    return Jump(label, argument);
}

bool GxRillWorker::Call(std::u16string_view label, const GxRillArgument* argument) {
    GxRillExecStackElement* block = NearestNormalBlock(nullptr);
    const GxRillLabelDefinition* found =
        m_pEngine->FindLabel(label, block ? ScriptOf(ResolveEntity(*block)) : nullptr);
    if (!found)
        return false;
    return PushAtLabel(*found, argument);
}

bool GxRillWorker::Return(const GxRillVariable* value) {
    m_Result = value ? *value : GxRillVariable();
    if (m_ExecStack.empty())
        return false;
    RemoveSubBlocks();
    if (!m_ExecStack.empty())
        RemoveTop();
    return !m_ExecStack.empty();
}

void GxRillWorker::Stop(const GxRillVariable* value) {
    GxRillVariable result = value ? *value : GxRillVariable();
    m_RemovedCount += m_ExecStack.size();
    m_ExecStack.clear();
    m_ValueStack.clear();
    m_Result = std::move(result);
}

bool GxRillWorker::StartInScript(std::u16string_view label, std::u16string_view scriptName,
                                 const GxRillArgument* argument) {
    Clear();
    ResetVariables(RILLCLASS_INGAME);
    ResetVariables(RILLCLASS_NOSAVE);
    return JumpInScript(label, scriptName, argument);
}

bool GxRillWorker::JumpInScript(std::u16string_view label, std::u16string_view scriptName,
                                const GxRillArgument* argument) {
    const GxRillLabelDefinition* found =
        m_pEngine->FindLabel(label, ScriptOf(FindEntity(scriptName)));
    return found && ReplaceTopWith(*found, argument);
}

bool GxRillWorker::ClearAndJumpInScript(std::u16string_view label, std::u16string_view scriptName,
                                        const GxRillArgument* argument) {
    Clear();
    return JumpInScript(label, scriptName, argument);
}

bool GxRillWorker::CallInScript(std::u16string_view label, std::u16string_view scriptName,
                                const GxRillArgument* argument) {
    const GxRillLabelDefinition* found =
        m_pEngine->FindLabel(label, ScriptOf(FindEntity(scriptName)));
    if (!found)
        return false;
    return PushAtLabel(*found, argument);
}

std::u16string GxRillWorker::GetScriptName(const GxRillExecStackElement* element) const {
    if (!element)
        element = m_ExecStack.empty() ? nullptr : m_ExecStack.back().get();
    return element ? element->m_Pos.m_ScriptName : std::u16string();
}

GxS32 GxRillWorker::GetDisplayLine(const GxRillExecStackElement* element) const {
    if (!element)
        element = m_ExecStack.empty() ? nullptr : m_ExecStack.back().get();
    if (!element)
        return -1;
    const GxRillScript* script = m_pEngine->FindScript(element->m_Pos.m_ScriptName);
    if (!script)
        return element->m_Pos.m_Line;
    for (GxS32 line = std::min(element->m_Pos.m_Line, script->GetLineCount()) - 1; line >= 0;
         --line) {
        if (!script->m_Lines[line].m_Tokens.empty())
            return line + 1;
    }
    return 0;
}

GxS32 GxRillWorker::GetLine(const GxRillExecStackElement* element) const {
    if (!element)
        element = m_ExecStack.empty() ? nullptr : m_ExecStack.back().get();
    return element ? element->m_Pos.m_Line : -1;
}

void GxRillWorker::ReportErrorText(std::u16string_view commandName,
                                   const GxRillScriptEntity* entity, std::u16string_view message) {
    std::u16string scriptName = u"*";
    if (entity && entity->GetScript())
        scriptName = entity->GetScript()->m_ScriptName;
    m_pEngine->Error(scriptName, GetLine(), u"%s:%s", commandName,
                     std::u16string(message.substr(0, 1024)));
}

// ---- the evaluator's view ----

const GxRillScript* GxRillWorker::GetFrameScript(const GxRillEvalFrame& frame) {
    auto& element = static_cast<GxRillExecStackElement&>(const_cast<GxRillEvalFrame&>(frame));
    return ScriptOf(ResolveEntity(element));
}

std::u16string GxRillWorker::GetFrameScriptName(const GxRillEvalFrame& frame) {
    const auto& element = static_cast<const GxRillExecStackElement&>(frame);
    return element.m_Pos.m_ScriptName.empty() ? std::u16string(u"*") : element.m_Pos.m_ScriptName;
}

GxS32 GxRillWorker::GetFrameLine(const GxRillEvalFrame& frame) {
    return static_cast<const GxRillExecStackElement&>(frame).m_Pos.m_Line;
}

GxRillVariable* GxRillWorker::FindVariable(GxRillEvalFrame& frame, std::u16string_view name) {
    if (GxRillExecStackElement* block = NearestNormalBlock(&frame)) {
        if (GxRillVariableSet* set = block->m_LocalTable.Find(name))
            return &set->m_Value;
    }
    auto& element = static_cast<GxRillExecStackElement&>(frame);
    if (GxRillScriptEntity* entity = ResolveEntity(element)) {
        if (GxRillVariableSet* set = entity->GetStaticTable().Find(name))
            return &set->m_Value;
    }
    if (GxRillVariableSet* set = FindVariableSet(name))
        return &set->m_Value;
    return nullptr;
}

GxRillVariable* GxRillWorker::CreateLocalVariable(GxRillEvalFrame& frame,
                                                  std::u16string_view name) {
    GxRillExecStackElement* block = NearestNormalBlock(&frame);
    if (!block)
        block = &static_cast<GxRillExecStackElement&>(frame);
    return &block->m_LocalTable.FindOrCreate(name);
}
