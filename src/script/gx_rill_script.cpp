#include "script/gx_rill_script.h"

#include "script/gx_rill_list_io.h"

bool GxRillScriptStep::Write(GxContentWriterBase& writer) const {
    return WriteRillList(writer, "m_Tokens", "GxRillToken", m_Tokens);
}

bool GxRillScriptStep::Read(GxContentReaderBase& reader) {
    return ReadRillList(reader, "m_Tokens", m_Tokens);
}

bool GxRillLabelDefinition::Write(GxContentWriterBase& writer) const {
    writer.WriteValue("m_Name", m_Name);
    m_Pos.Write(writer);
    writer.WriteValue("m_Scope", m_Scope);
    return writer.GetErrorCount() == 0;
}

bool GxRillLabelDefinition::Read(GxContentReaderBase& reader) {
    m_Name = reader.ReadWString("m_Name");
    m_Pos.Read(reader);
    m_Scope = reader.ReadS32("m_Scope");
    return reader.GetErrorCount() == 0;
}

bool GxRillVariableDefinition::Write(GxContentWriterBase& writer) const {
    writer.WriteValue("m_Name", m_Name);
    writer.WriteValue("m_ArraySize", m_ArraySize);
    writer.WriteValue("m_Scope", m_Scope);
    m_Value.Write(writer);
    writer.WriteValue("m_ScriptName", m_ScriptName);
    writer.WriteValue("m_Line", m_Line);
    return writer.GetErrorCount() == 0;
}

bool GxRillVariableDefinition::Read(GxContentReaderBase& reader) {
    m_Name = reader.ReadWString("m_Name");
    m_ArraySize = reader.ReadS32("m_ArraySize");
    m_Scope = reader.ReadS32("m_Scope");
    m_Value.Read(reader);
    m_ScriptName = reader.ReadWString("m_ScriptName");
    m_Line = reader.ReadS32("m_Line");
    return reader.GetErrorCount() == 0;
}

bool GxRillBuiltinDefinition::Write(GxContentWriterBase& writer) const {
    writer.WriteValue("m_Name", m_Name);
    writer.WriteValue("m_BuiltinIndex", m_BuiltinIndex);
    writer.WriteValue("m_RelatedIndex", m_RelatedIndex);
    writer.WriteValue("m_BuiltinType", m_BuiltinType);
    return writer.GetErrorCount() == 0;
}

bool GxRillBuiltinDefinition::Read(GxContentReaderBase& reader) {
    m_Name = reader.ReadWString("m_Name");
    m_BuiltinIndex = reader.ReadS32("m_BuiltinIndex");
    m_RelatedIndex = reader.ReadS32("m_RelatedIndex");
    m_BuiltinType = reader.ReadS32("m_BuiltinType");
    return reader.GetErrorCount() == 0;
}

bool GxRillScript::Write(GxContentWriterBase& writer) const {
    writer.WriteValue("m_ScriptName", m_ScriptName);
    WriteRillLabelList(writer, m_Labels);
    WriteRillList(writer, "m_VariableDefine", "GxRillVariableDefinition", m_VariableDefine);
    WriteRillList(writer, "m_Lines", "GxRillScriptStep", m_Lines);
    return writer.GetErrorCount() == 0;
}

bool GxRillScript::Read(GxContentReaderBase& reader) {
    m_ScriptName = reader.ReadWString("m_ScriptName");
    m_Labels.clear();
    m_VariableDefine.clear();
    m_Lines.clear();
    return ReadRillLabelList(reader, m_Labels) &&
           ReadRillList(reader, "m_VariableDefine", m_VariableDefine) &&
           ReadRillList(reader, "m_Lines", m_Lines);
}

bool GxRillScript::AddLabel(const GxRillLabelDefinition& label) {
    return m_Labels.try_emplace(label.m_Name, std::make_unique<GxRillLabelDefinition>(label))
        .second;
}

const GxRillLabelDefinition* GxRillScript::FindLabel(std::u16string_view name) const {
    auto it = m_Labels.find(name);
    return it == m_Labels.end() ? nullptr : it->second.get();
}

const GxRillToken& GetRillScriptEndToken() {
    static const GxRillToken end(RILLTOKEN_SCRIPT_END);
    return end;
}

int GxRillScript::CheckPos(GxS32 line, GxS32 token) const {
    if (line < 0 || token < 0)
        return 0;
    if (line >= GetLineCount())
        return -2;
    if (static_cast<size_t>(token) >= m_Lines[line].m_Tokens.size())
        return -1;
    return 1;
}

const GxRillToken& GxRillScript::GetToken(GxS32 line, GxS32 token) const {
    if (CheckPos(line, token) != 1)
        return GetRillScriptEndToken();
    return m_Lines[line].m_Tokens[token];
}

bool GxRillScript::NextToken(GxRillRunPos& pos) const {
    const GxS32 lineCount = GetLineCount();
    if (pos.m_Line >= 0 && pos.m_Line < lineCount) {
        GxS32 next = pos.m_Pos < -1 ? 0 : pos.m_Pos + 1;
        if (static_cast<size_t>(next) < m_Lines[pos.m_Line].m_Tokens.size()) {
            pos.m_Pos = next;
            return true;
        }
    }
    GxS32 line = pos.m_Line < 0 ? 0 : pos.m_Line + 1;
    while (line < lineCount && m_Lines[line].m_Tokens.empty())
        ++line;
    if (line >= lineCount) {
        pos = GxRillRunPos(lineCount, 0);
        return false;
    }
    pos = GxRillRunPos(line, 0);
    return true;
}

bool GxRillScript::NextTokenInLine(GxRillRunPos& pos) const {
    if (pos.m_Line < 0 || pos.m_Line >= GetLineCount())
        return false;
    const GxS32 count = static_cast<GxS32>(m_Lines[pos.m_Line].m_Tokens.size());
    if (pos.m_Pos + 1 >= count) {
        pos.m_Pos = count;
        return false;
    }
    pos.m_Pos = pos.m_Pos < -1 ? 0 : pos.m_Pos + 1;
    return true;
}

bool GxRillScript::PrevTokenInLine(GxRillRunPos& pos) const {
    if (pos.m_Pos > -1)
        --pos.m_Pos;
    return CheckPos(pos) == 1;
}

void GxRillScript::NextLine(GxRillRunPos& pos) const {
    if (pos.m_Line >= GetLineCount())
        return;
    pos = GxRillRunPos(pos.m_Line + 1, 0);
}

bool GxRillScript::SeekBlockStart(GxRillRunPos& pos) const {
    for (;;) {
        if (CheckPos(pos) == 1 && GetToken(pos).m_Type == RILLTOKEN_BLOCK_BEGIN)
            return true;
        if (!NextToken(pos))
            return false;
    }
}
