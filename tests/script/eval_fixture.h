#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "rill_builtin_table.h"
#include "rill_lexer.h"
#include "script/gx_rill_eval.h"

namespace gxtest {

// An engine that keeps its diagnostics for inspection.
class RecordingRill : public GxRill {
public:
    std::vector<std::u16string> errors;
    std::vector<std::u16string> warnings;

protected:
    void WarningText(std::u16string_view, GxS32, std::u16string_view text) override {
        warnings.emplace_back(text);
    }
    void ErrorText(std::u16string_view, GxS32, std::u16string_view text) override {
        errors.emplace_back(text);
    }
};

// A worker with one frame and one flat table of LOCAL variables.
class FakeWorker : public GxRillEvalWorker {
public:
    GxRillEvalFrame frame;
    const GxRillScript* script = nullptr;
    std::map<std::u16string, GxRillVariable, std::less<>> globals;
    std::map<std::u16string, GxRillVariable, std::less<>> locals;
    std::vector<GxRillVariable> stack;
    GxU64 removed = 0;
    bool running = true;

    GxRillEvalFrame* GetTopFrame() override { return running ? &frame : nullptr; }
    const GxRillScript* GetFrameScript(const GxRillEvalFrame&) override { return script; }
    std::u16string GetFrameScriptName(const GxRillEvalFrame&) override { return u"test.txt"; }
    GxS32 GetFrameLine(const GxRillEvalFrame&) override { return 0; }
    std::vector<GxRillVariable>& GetValueStack() override { return stack; }
    GxRillVariable* FindVariable(GxRillEvalFrame&, std::u16string_view name) override {
        if (auto it = locals.find(name); it != locals.end())
            return &it->second;
        if (auto it = globals.find(name); it != globals.end())
            return &it->second;
        return nullptr;
    }
    GxRillVariable* CreateLocalVariable(GxRillEvalFrame&, std::u16string_view name) override {
        return &locals[std::u16string(name)];
    }
    GxU64 GetRemovedElementCount() const override { return removed; }
};

// Built-ins for tests: strlen (11) and "args" (returns its argument Array);
// "jump" (64) counts as removing the current element.
class FakeBuiltins : public GxRillBuiltinBase {
public:
    std::vector<std::u16string> called;
    bool Call(std::u16string_view name, GxS32 index, GxRillVariable& arguments,
              GxRillEvalWorker* worker, GxRillEvalFrame*, GxRillVariable& result) override {
        called.emplace_back(name);
        if (index == 11) {
            if (arguments.GetArray().empty())
                arguments.GetArray().resize(1);
            result = GxRillVariable::MakeInt(
                static_cast<GxS64>(arguments.GetArray()[0].GetString().size()));
            return true;
        }
        if (index == 64) {
            static_cast<FakeWorker*>(worker)->removed++;
            return true;
        }
        if (name == u"args") {
            result = arguments;
            return true;
        }
        return false;
    }
};

// Lexes one line of code into a one-line script and evaluates it.
struct EvalHarness {
    RecordingRill engine;
    GxRillScript script{&engine};
    FakeWorker worker;
    FakeBuiltins builtins;
    RillNames names;
    GxRillRunPos end;

    EvalHarness() {
        for (const RillBuiltinName& entry : GetRillBuiltinNames())
            names.builtins.emplace(entry.name, entry.index);
        names.builtins.emplace(u"args", 5000);
        script.m_ScriptName = u"test.txt";
        worker.script = &script;
    }

    bool Load(std::u16string_view code) {
        std::u16string error;
        script.m_Lines.assign(1, GxRillScriptStep());
        return LexRillCode(code, names, nullptr, script.m_Lines[0].m_Tokens, error);
    }

    // Evaluates `code`; the result is the statement's value (Null on failure).
    GxRillVariable Eval(std::u16string_view code, int flag = 1, bool* ok = nullptr) {
        GxRillVariable result;
        bool success = Load(code) && Eval_Token(&engine, &result, &builtins, &worker,
                                                GxRillRunPos(0, 0), &end, flag);
        if (ok)
            *ok = success;
        return success ? result : GxRillVariable();
    }
};

}  // namespace gxtest
