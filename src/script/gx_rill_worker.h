#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "script/gx_rill.h"
#include "script/gx_rill_eval.h"
#include "script/gx_rill_variable_table.h"

// Block types of execution-stack elements; only normal blocks are ever pushed.
enum GxRillBlockType : GxS32 {
    RILLBLOCK_UNKNOWN = 0,
    RILLBLOCK_NORMAL = 1,
    RILLBLOCK_FUNCTION = 2,
    RILLBLOCK_IF = 3,
    RILLBLOCK_ELSE = 4,
    RILLBLOCK_WHILE = 5,
    RILLBLOCK_FOR = 6,
    RILLBLOCK_DO = 7,
    RILLBLOCK_NORMAL_SUB = 8,
};

// The name that the debug status line prints for a block type.
std::u16string_view GetRillBlockTypeName(GxS32 type);

class GxRillWorker;

// The variables of one script for one worker.
class GxRillScriptEntity {
public:
    GxRillScriptEntity(GxRill* engine, GxRillWorker* worker, const GxRillScript* script)
        : m_pEngine(engine), m_pWorker(worker), m_pScript(script) {}
    virtual ~GxRillScriptEntity() = default;
    GxRillScriptEntity(const GxRillScriptEntity&) = delete;
    GxRillScriptEntity& operator=(const GxRillScriptEntity&) = delete;

    virtual bool WriteVariables(GxContentWriterBase& writer, int variableClass) const;
    virtual bool ReadVariables(GxContentReaderBase& reader, int variableClass);
    virtual bool ResetAndReadVariables(GxContentReaderBase& reader, int variableClass);
    // Adds the STATIC variables (scopes 2 to 4) whose definitions have none yet.
    void AddMissingVariables();
    void ResetVariables(int variableClass);
    const GxRillVariableDefinition* FindDefinition(std::u16string_view name) const;

    const GxRillScript* GetScript() const { return m_pScript; }
    GxRillVariableTable& GetStaticTable() { return m_StaticTable; }
    const GxRillVariableTable& GetStaticTable() const { return m_StaticTable; }

private:
    GxRill* m_pEngine;
    GxRillWorker* m_pWorker;
    const GxRillScript* m_pScript;
    GxRillVariableTable m_StaticTable{RILLTABLE_STATIC};
};

// One element of the execution stack: a block with its position, its LOCAL
// variables and the compiled current statement.
class GxRillExecStackElement : public GxRillEvalFrame {
public:
    // Stored opcode lists longer than this are refused as damaged.
    static constexpr GxU32 kMaxStoredOpcodes = 1 << 20;

    GxRillExecStackElement() { m_OpcodeList.reserve(16); }
    virtual ~GxRillExecStackElement() = default;
    GxRillExecStackElement(const GxRillExecStackElement&) = delete;
    GxRillExecStackElement& operator=(const GxRillExecStackElement&) = delete;

    virtual bool Write(GxContentWriterBase& writer) const;
    virtual bool Read(GxContentReaderBase& reader);

    GxS32 m_BlockType = RILLBLOCK_UNKNOWN;
    GxRillScriptPos m_Pos;
    GxRillVariableTable m_LocalTable{RILLTABLE_LOCAL};
};

// The argument of a jump or call: a LOCAL variable of the new block.
struct GxRillArgument {
    std::u16string_view name;
    const GxRillVariable& value;
};

using GxRillExecStack = std::vector<std::unique_ptr<GxRillExecStackElement>>;

// Executes scripts: the execution stack, the value stack, the GLOBAL variables
// and one script entity per script.
class GxRillWorker : public GxRillEvalWorker {
public:
    // Stored execution or value stacks larger than this are refused as damaged.
    static constexpr GxU32 kMaxStoredStack = 1 << 16;

    explicit GxRillWorker(GxRill* engine);
    ~GxRillWorker() override;
    GxRillWorker(const GxRillWorker&) = delete;
    GxRillWorker& operator=(const GxRillWorker&) = delete;

    // The GLOBAL table, then the engine's EXTERN table.
    virtual GxRillVariableSet* FindVariableSet(std::u16string_view name);
    virtual bool WriteState(GxContentWriterBase& writer) const;
    virtual bool ReadState(GxContentReaderBase& reader);
    virtual bool WriteVariables(GxContentWriterBase& writer, int variableClass) const;
    virtual bool ReadVariables(GxContentReaderBase& reader, int variableClass);
    virtual bool ResetAndReadVariables(GxContentReaderBase& reader, int variableClass);
    virtual void Initialize();
    virtual void AddMissingVariables();
    virtual void ResetVariables(int variableClass);
    virtual void Dump(std::u16string& out, int indent) const;
    virtual void NewGame();
    virtual bool Jump(std::u16string_view label, const GxRillArgument* argument = nullptr);
    virtual bool ClearAndJump(std::u16string_view label, const GxRillArgument* argument = nullptr);
    virtual bool Call(std::u16string_view label, const GxRillArgument* argument = nullptr);
    // Leaves the current normal block; false when no element remains.
    virtual bool Return(const GxRillVariable* value = nullptr);
    virtual void Stop(const GxRillVariable* value = nullptr);
    virtual void Clear();
    virtual bool StartInScript(std::u16string_view label, std::u16string_view scriptName,
                               const GxRillArgument* argument = nullptr);
    virtual bool JumpInScript(std::u16string_view label, std::u16string_view scriptName,
                              const GxRillArgument* argument = nullptr);
    virtual bool ClearAndJumpInScript(std::u16string_view label, std::u16string_view scriptName,
                                      const GxRillArgument* argument = nullptr);
    virtual bool CallInScript(std::u16string_view label, std::u16string_view scriptName,
                              const GxRillArgument* argument = nullptr);
    bool IsRunning() const { return !m_ExecStack.empty(); }
    // The element's script name (the top element's without one), or empty.
    std::u16string GetScriptName(const GxRillExecStackElement* element = nullptr) const;
    // The 1-based number of the last non-empty line before the element's line.
    GxS32 GetDisplayLine(const GxRillExecStackElement* element = nullptr) const;
    GxS32 GetLine(const GxRillExecStackElement* element = nullptr) const;
    GxRillExecStack& GetExecStack() { return m_ExecStack; }
    const GxRillExecStack& GetExecStack() const { return m_ExecStack; }
    GxRillExecStackElement* GetTopElement() {
        return m_ExecStack.empty() ? nullptr : m_ExecStack.back().get();
    }

    // Reports a built-in's error through the engine's Error with the entity's
    // script name and the top element's line, as "name:message".
    template <class... Args>
    void ReportError(std::u16string_view commandName, const GxRillScriptEntity* entity,
                     std::u16string_view format, const Args&... args) {
        ReportErrorText(commandName, entity, gx::Format(format, args...));
    }
    void ReportErrorText(std::u16string_view commandName, const GxRillScriptEntity* entity,
                         std::u16string_view message);

    // Executes one statement; true while the worker runs on.
    virtual bool Step(GxRillBuiltinBase* dispatcher);

    GxRill* GetEngine() const { return m_pEngine; }
    const std::u16string& GetName() const { return m_Name; }
    GxRillVariableTable& GetGlobalTable() { return m_GlobalTable; }
    GxRillScriptEntity* FindEntity(std::u16string_view scriptName) const;
    // The entity of an element, resolved from its script name when needed.
    GxRillScriptEntity* ResolveEntity(GxRillExecStackElement& element);
    const GxRillVariable& GetResult() const { return m_Result; }
    std::vector<GxRillVariable>& GetValueStackRef() { return m_ValueStack; }

    // The evaluator's view of this worker.
    GxRillEvalFrame* GetTopFrame() override { return GetTopElement(); }
    const GxRillScript* GetFrameScript(const GxRillEvalFrame& frame) override;
    std::u16string GetFrameScriptName(const GxRillEvalFrame& frame) override;
    GxS32 GetFrameLine(const GxRillEvalFrame& frame) override;
    std::vector<GxRillVariable>& GetValueStack() override { return m_ValueStack; }
    GxRillVariable* FindVariable(GxRillEvalFrame& frame, std::u16string_view name) override;
    GxRillVariable* CreateLocalVariable(GxRillEvalFrame& frame, std::u16string_view name) override;
    GxU64 GetRemovedElementCount() const override { return m_RemovedCount; }

protected:
    // A text line: the base worker prints it to the debug log and moves on.
    virtual void StepText(GxRillExecStackElement& element, const GxRillToken& token);
    // The layer shorthand: the base worker warns and skips the line. False
    // when the step has to end without a statement having run.
    virtual bool StepWord(GxRillExecStackElement& element, const GxRillToken& token,
                          GxRillBuiltinBase* dispatcher);
    // Reports a step error for the element and sets the error stop.
    void StepError(const GxRillExecStackElement& element, std::u16string_view message);

private:
    GxRillExecStackElement* NearestNormalBlock(const GxRillEvalFrame* from);
    bool PushAtLabel(const GxRillLabelDefinition& label, const GxRillArgument* argument);
    bool ReplaceTopWith(const GxRillLabelDefinition& label, const GxRillArgument* argument);
    void RemoveTop();
    void RemoveSubBlocks();
    bool StepIf(GxRillExecStackElement& element, const GxRillScript& script,
                GxRillBuiltinBase* dispatcher);
    bool EvalCondition(GxRillExecStackElement& element, const GxRillRunPos& start,
                       GxRillBuiltinBase* dispatcher, bool& value, GxRillRunPos& end, bool& gone);
    void SkipElseChain(GxRillExecStackElement& element, const GxRillScript& script);

    GxRill* m_pEngine;
    std::u16string m_Name = u"MAIN_WORKER";
    GxRillVariableTable m_GlobalTable{RILLTABLE_GLOBAL};
    std::map<std::u16string, std::unique_ptr<GxRillScriptEntity>, std::less<>> m_Entities;
    GxRillExecStack m_ExecStack;
    std::vector<GxRillVariable> m_ValueStack;
    GxRillVariable m_Result;
    GxU64 m_RemovedCount = 0;
};
