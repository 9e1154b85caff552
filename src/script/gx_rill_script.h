#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "script/gx_rill_token.h"
#include "script/gx_rill_variable.h"

class GxRill;

// One line of a script: its tokens (empty for empty and comment lines).
class GxRillScriptStep {
public:
    virtual ~GxRillScriptStep() = default;
    GxRillScriptStep() = default;
    GxRillScriptStep(const GxRillScriptStep&) = default;
    GxRillScriptStep& operator=(const GxRillScriptStep&) = default;
    GxRillScriptStep(GxRillScriptStep&&) = default;
    GxRillScriptStep& operator=(GxRillScriptStep&&) = default;

    virtual bool Write(GxContentWriterBase& writer) const;
    virtual bool Read(GxContentReaderBase& reader);

    std::vector<GxRillToken> m_Tokens;
};

class GxRillLabelDefinition {
public:
    virtual ~GxRillLabelDefinition() = default;
    GxRillLabelDefinition() = default;
    GxRillLabelDefinition(const GxRillLabelDefinition&) = default;
    GxRillLabelDefinition& operator=(const GxRillLabelDefinition&) = default;

    virtual bool Write(GxContentWriterBase& writer) const;
    virtual bool Read(GxContentReaderBase& reader);
    bool IsLocal() const { return !m_Name.empty() && m_Name[0] == u'@'; }

    std::u16string m_Name;
    GxRillScriptPos m_Pos;
    GxS32 m_Scope = 0;
};

class GxRillVariableDefinition {
public:
    virtual ~GxRillVariableDefinition() = default;
    GxRillVariableDefinition() = default;
    GxRillVariableDefinition(const GxRillVariableDefinition&) = default;
    GxRillVariableDefinition& operator=(const GxRillVariableDefinition&) = default;

    virtual bool Write(GxContentWriterBase& writer) const;
    virtual bool Read(GxContentReaderBase& reader);

    std::u16string m_Name;
    GxS32 m_ArraySize = -1;
    GxS32 m_Scope = 0;
    GxRillVariable m_Value;
    std::u16string m_ScriptName;
    GxS32 m_Line = 0;
};

class GxRillBuiltinDefinition {
public:
    virtual ~GxRillBuiltinDefinition() = default;
    GxRillBuiltinDefinition() = default;
    GxRillBuiltinDefinition(std::u16string name, GxS32 index)
        : m_Name(std::move(name)), m_BuiltinIndex(index) {}
    GxRillBuiltinDefinition(const GxRillBuiltinDefinition&) = default;
    GxRillBuiltinDefinition& operator=(const GxRillBuiltinDefinition&) = default;

    virtual bool Write(GxContentWriterBase& writer) const;
    virtual bool Read(GxContentReaderBase& reader);

    std::u16string m_Name;
    GxS32 m_BuiltinIndex = 0;
    GxS32 m_RelatedIndex = 0;
    GxS32 m_BuiltinType = 0;
};

using GxRillLabelMap =
    std::map<std::u16string, std::unique_ptr<GxRillLabelDefinition>, std::less<>>;

// One compiled script: its local labels, STATIC definitions and steps, and the
// token navigation that the expression parser and the worker use.
class GxRillScript {
public:
    explicit GxRillScript(GxRill* engine = nullptr) : m_pEngine(engine) {}
    virtual ~GxRillScript() = default;
    GxRillScript(const GxRillScript&) = delete;
    GxRillScript& operator=(const GxRillScript&) = delete;

    virtual bool Write(GxContentWriterBase& writer) const;
    virtual bool Read(GxContentReaderBase& reader);

    // Inserts a copy; a name already present keeps the old entry (result false).
    bool AddLabel(const GxRillLabelDefinition& label);
    const GxRillLabelDefinition* FindLabel(std::u16string_view name) const;

    // 1 token exists; -1 line exists, token past its end; -2 line past the end;
    // 0 a negative index.
    int CheckPos(GxS32 line, GxS32 token) const;
    int CheckPos(const GxRillRunPos& pos) const { return CheckPos(pos.m_Line, pos.m_Pos); }
    // The token, or the shared script-end token where CheckPos is not 1.
    const GxRillToken& GetToken(GxS32 line, GxS32 token) const;
    const GxRillToken& GetToken(const GxRillRunPos& pos) const {
        return GetToken(pos.m_Line, pos.m_Pos);
    }
    bool NextToken(GxRillRunPos& pos) const;
    bool NextTokenInLine(GxRillRunPos& pos) const;
    bool PrevTokenInLine(GxRillRunPos& pos) const;
    void NextLine(GxRillRunPos& pos) const;
    // Stops on the `{` it stands on or the next one reached by NextToken.
    bool SeekBlockStart(GxRillRunPos& pos) const;
    GxS32 GetLineCount() const { return static_cast<GxS32>(m_Lines.size()); }

    GxRill* m_pEngine;
    std::u16string m_ScriptName;
    GxRillLabelMap m_Labels;
    std::vector<GxRillVariableDefinition> m_VariableDefine;
    std::vector<GxRillScriptStep> m_Lines;
};

// The shared token that stands for every position off the script.
const GxRillToken& GetRillScriptEndToken();
