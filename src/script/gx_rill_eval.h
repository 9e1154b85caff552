#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "script/gx_rill.h"
#include "script/gx_rill_opcode.h"

// The statement state that an execution-stack element holds for the evaluator:
// the compiled opcode list of its current statement and the program counter.
struct GxRillEvalFrame {
    std::vector<GxRillVariable> m_OpcodeList;
    GxS32 m_OpcodePos = 0;
};

// What the evaluator needs of a worker. The worker implements it over its
// execution stack and variable tables.
// A frame must keep its address while it is on the stack: a built-in that calls
// pushes a new element in the middle of the caller's statement, which goes on.
class GxRillEvalWorker {
public:
    virtual ~GxRillEvalWorker() = default;
    // The top execution-stack element's frame; null when the worker is not running.
    virtual GxRillEvalFrame* GetTopFrame() = 0;
    // The script, script name ("*" when none) and line (-1 when none) of a frame.
    virtual const GxRillScript* GetFrameScript(const GxRillEvalFrame& frame) = 0;
    virtual std::u16string GetFrameScriptName(const GxRillEvalFrame& frame) = 0;
    virtual GxS32 GetFrameLine(const GxRillEvalFrame& frame) = 0;
    virtual std::vector<GxRillVariable>& GetValueStack() = 0;
    // Look-up in scope order: LOCAL of the nearest normal block, STATIC of the
    // frame's script entity, the worker's GLOBAL, the engine's EXTERN.
    virtual GxRillVariable* FindVariable(GxRillEvalFrame& frame, std::u16string_view name) = 0;
    // Creates a LOCAL variable (Null) in the nearest normal block.
    virtual GxRillVariable* CreateLocalVariable(GxRillEvalFrame& frame,
                                                std::u16string_view name) = 0;
    // Counts the execution-stack elements removed so far. A built-in that jumps,
    // returns or stops removes the current element, and the rest of its
    // statement is then not executed.
    virtual GxU64 GetRemovedElementCount() const = 0;
};

// The built-in dispatcher interface.
class GxRillBuiltinBase {
public:
    virtual ~GxRillBuiltinBase() = default;
    // `arguments` is an Array (element 0 the first argument); `result` is Null on entry.
    virtual bool Call(std::u16string_view name, GxS32 index, GxRillVariable& arguments,
                      GxRillEvalWorker* worker, GxRillEvalFrame* frame, GxRillVariable& result) = 0;
};

// Parses the tokens from `pos` into `opcodes` (Phase_Expr), reporting errors
// through the engine. `pos` ends on the token after the expression.
bool ParseRillExpression(GxRill& engine, const GxRillScript& script, GxRillRunPos& pos,
                         std::vector<GxRillVariable>& opcodes);
// The layer shorthand's list: the layer name, the word's argument list and a
// call of `builtinIndex`/`commandName`; `pos` stands on the word.
bool ParseRillLayerCommand(GxRill& engine, const GxRillScript& script, GxRillRunPos& pos,
                           std::u16string_view layerName, GxS32 builtinIndex,
                           std::u16string_view commandName, std::vector<GxRillVariable>& opcodes);

// Runs the top frame's opcode list: 1 when it has run to its end, 0 on failure.
int Exec_Opcode(GxRillBuiltinBase* dispatcher, GxRill* engine, GxRillEvalWorker* worker,
                int statementFlag);

// Parses and runs one expression statement from `start`. `result` (may be null)
// receives the single value left on the stack, else Null; `end` the position
// where parsing stopped.
bool Eval_Token(GxRill* engine, GxRillVariable* result, GxRillBuiltinBase* dispatcher,
                GxRillEvalWorker* worker, const GxRillRunPos& start, GxRillRunPos* end,
                int statementFlag);
