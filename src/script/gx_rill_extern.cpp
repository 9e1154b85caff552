// The engine's EXTERN variables: creation from the definitions, reset, saving
// and the dump.
#include "script/gx_rill.h"

namespace {
bool IsExternScope(GxS32 scope) {
    return scope >= RILLSCOPE_EXTERN_PERMAN && scope <= RILLSCOPE_EXTERN_NOSAVE;
}
}  // namespace

void GxRill::InitializeExtern() {
    m_ExternTable.Clear();
    AddMissingExtern();
}

void GxRill::AddMissingExtern() {
    for (const GxRillVariableDefinition& definition : m_VariableDefine) {
        if (IsExternScope(definition.m_Scope))
            m_ExternTable.AddFromDefinition(definition);
    }
}

void GxRill::ResetExtern(int variableClass) {
    for (GxRillVariableSet& set : m_ExternTable.GetSets()) {
        if (IsExternScope(set.m_Scope) && IsRillScopeInClass(set.m_Scope, variableClass))
            ResetRillVariableFromDefinition(set, FindVariableDefinition(set.m_Name));
    }
}

void GxRill::ResetExternInGame() {
    ResetExtern(RILLCLASS_INGAME);
    ResetExtern(RILLCLASS_NOSAVE);
}

bool GxRill::WriteExtern(GxContentWriterBase& writer, int variableClass) const {
    return m_ExternTable.Write(writer, variableClass);
}

bool GxRill::ReadExtern(GxContentReaderBase& reader, int variableClass) {
    return m_ExternTable.Read(reader, variableClass);
}

bool GxRill::ResetAndReadExtern(GxContentReaderBase& reader, int variableClass) {
    ResetExtern(variableClass);
    const bool ok = ReadExtern(reader, variableClass);
    AddMissingExtern();
    return ok;
}

void GxRill::Dump(std::u16string& out, int indent) const {
    out += u"--RillInstance:\n";
    m_ExternTable.Dump(out, indent);
}
