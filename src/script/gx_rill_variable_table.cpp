#include "script/gx_rill_variable_table.h"

#include "base/gx_format.h"
#include "script/gx_rill_opcode.h"

std::u16string_view GetRillScopeName(GxS32 scope) {
    static constexpr std::u16string_view kNames[] = {
        u"NONE",          u"LOCAL",         u"STATIC_PERMAN", u"STATIC_INGAME",
        u"STATIC_NOSAVE", u"GLOBAL_PERMAN", u"GLOBAL_INGAME", u"GLOBAL_NOSAVE",
        u"EXTERN_PERMAN", u"EXTERN_INGAME", u"EXTERN_NOSAVE"};
    if (scope < 0 || scope > RILLSCOPE_EXTERN_NOSAVE)
        return u"ERROR";
    return kNames[scope];
}

bool IsRillScopeInClass(GxS32 scope, int variableClass) {
    switch (variableClass) {
        case RILLCLASS_ALL:
            return true;
        case RILLCLASS_PERMAN:
            return scope == RILLSCOPE_STATIC_PERMAN || scope == RILLSCOPE_GLOBAL_PERMAN ||
                   scope == RILLSCOPE_EXTERN_PERMAN;
        case RILLCLASS_INGAME:
            return scope == RILLSCOPE_LOCAL || scope == RILLSCOPE_STATIC_INGAME ||
                   scope == RILLSCOPE_GLOBAL_INGAME || scope == RILLSCOPE_EXTERN_INGAME;
        case RILLCLASS_NOSAVE:
            return scope == RILLSCOPE_STATIC_NOSAVE || scope == RILLSCOPE_GLOBAL_NOSAVE ||
                   scope == RILLSCOPE_EXTERN_NOSAVE;
        default:
            return false;
    }
}

bool GxRillVariableSet::Write(GxContentWriterBase& writer) const {
    m_Value.Write(writer);
    writer.WriteValue("m_Scope", m_Scope);
    writer.WriteValue("m_Name", m_Name);
    return writer.GetErrorCount() == 0;
}

bool GxRillVariableSet::Read(GxContentReaderBase& reader) {
    if (!m_Value.Read(reader))
        return false;
    m_Scope = reader.ReadS32("m_Scope");
    m_Name = reader.ReadWString("m_Name");
    return reader.GetErrorCount() == 0;
}

void ResetRillVariableFromDefinition(GxRillVariableSet& set,
                                     const GxRillVariableDefinition* definition) {
    if (!definition) {
        set.m_Value.Clear();
        return;
    }
    set.m_Value = definition->m_Value;
    if (definition->m_ArraySize >= 0 && !set.m_Value.IsArray())
        set.m_Value = GxRillVariable::MakeArray(definition->m_ArraySize);
}

GxS32 GxRillVariableTable::GetRuntimeScope() const {
    switch (m_Kind) {
        case RILLTABLE_STATIC:
            return RILLSCOPE_STATIC_INGAME;
        case RILLTABLE_GLOBAL:
            return RILLSCOPE_GLOBAL_INGAME;
        case RILLTABLE_EXTERN:
            return RILLSCOPE_EXTERN_INGAME;
        default:
            return RILLSCOPE_LOCAL;
    }
}

GxRillVariableSet* GxRillVariableTable::Find(std::u16string_view name) {
    for (GxRillVariableSet& set : m_Sets) {
        if (set.m_Name == name)
            return &set;
    }
    return nullptr;
}

const GxRillVariableSet* GxRillVariableTable::Find(std::u16string_view name) const {
    return const_cast<GxRillVariableTable*>(this)->Find(name);
}

void GxRillVariableTable::AddFromDefinition(const GxRillVariableDefinition& definition) {
    if (Find(definition.m_Name))
        return;
    GxRillVariableSet set(definition.m_Name, definition.m_Scope, GxRillVariable());
    ResetRillVariableFromDefinition(set, &definition);
    m_Sets.push_back(std::move(set));
}

void GxRillVariableTable::AddNamed(std::u16string_view name, const GxRillVariable& value) {
    if (Find(name))
        return;
    m_Sets.emplace_back(std::u16string(name), RILLSCOPE_LOCAL, value);
}

GxRillVariable& GxRillVariableTable::FindOrCreate(std::u16string_view name) {
    if (GxRillVariableSet* set = Find(name))
        return set->m_Value;
    m_Sets.emplace_back(std::u16string(name), GetRuntimeScope(), GxRillVariable());
    return m_Sets.back().m_Value;
}

bool GxRillVariableTable::CreateOrStore(std::u16string_view name, GxS32 index,
                                        const GxRillVariable& value) {
    if (index < -1)
        return false;
    GxRillVariable& variable = FindOrCreate(name);
    if (index == -1) {
        variable = value;
        return true;
    }
    return variable.SetElement(index, value);
}

bool GxRillVariableTable::Write(GxContentWriterBase& writer, int variableClass) const {
    GxS32 count = 0;
    for (const GxRillVariableSet& set : m_Sets)
        count += IsRillScopeInClass(set.m_Scope, variableClass) ? 1 : 0;
    writer.WriteValue("m_VariablesSize", count);
    for (const GxRillVariableSet& set : m_Sets) {
        if (IsRillScopeInClass(set.m_Scope, variableClass))
            set.Write(writer);
    }
    return writer.GetErrorCount() == 0;
}

bool GxRillVariableTable::Read(GxContentReaderBase& reader, int variableClass) {
    const GxS32 count = reader.ReadS32("m_VariablesSize");
    if (reader.GetErrorCount() != 0 || count < 0 || count > kMaxStoredSets)
        return false;
    for (GxS32 i = 0; i < count; ++i) {
        GxRillVariableSet stored;
        if (!stored.Read(reader))
            return false;
        if (!IsRillScopeInClass(stored.m_Scope, variableClass))
            continue;
        if (GxRillVariableSet* set = Find(stored.m_Name)) {
            set->m_Value = std::move(stored.m_Value);
        } else {
            m_Sets.push_back(std::move(stored));
        }
    }
    return reader.GetErrorCount() == 0;
}

void GxRillVariableTable::Dump(std::u16string& out, int indent) const {
    for (const GxRillVariableSet& set : m_Sets) {
        out += gx::Format(u"Scope:%s\n", GetRillScopeName(set.m_Scope));
        DumpRillValue(out, indent, set.m_Name, set.m_Value);
    }
}

void DumpRillValue(std::u16string& out, int indent, std::u16string_view name,
                   const GxRillVariable& value) {
    for (int i = 0; i < indent; ++i)
        out += u"  ";
    if (!name.empty()) {
        out += u'$';
        out += name;
    }
    const GxU32 type = value.GetType();
    switch (type) {
        case GxRillVariable::TYPE_INT:
        case GxRillVariable::TYPE_FLOAT:
            out += gx::Format(u"=%s(%s)\n", value.GetString(), GetRillVariableTypeName(type));
            break;
        case GxRillVariable::TYPE_STR:
            out += gx::Format(u"=\"%s\"(%s)\n", value.GetStr(), GetRillVariableTypeName(type));
            break;
        case GxRillVariable::TYPE_OPCODE:
            out += gx::Format(u"=%s(%s)\n", GetRillOpcodeName(value.GetRawInt()),
                              GetRillVariableTypeName(type));
            break;
        case GxRillVariable::TYPE_NULL:
            out += u"=Null\n";
            break;
        case GxRillVariable::TYPE_ARRAY: {
            const auto& elements = value.GetArray();
            out += gx::Format(u"[%d]=(Array)\n", static_cast<GxS32>(elements.size()));
            for (size_t i = 0; i < elements.size(); ++i) {
                DumpRillValue(out, indent + 1, gx::Format(u"[%d]", static_cast<GxS32>(i)),
                              elements[i]);
            }
            break;
        }
        default:
            out += u"=Unknown\n";
            break;
    }
}
