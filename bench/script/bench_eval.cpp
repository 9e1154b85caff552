// Eval_Token on a typical statement: parse its tokens into opcodes and run them.
#include <benchmark/benchmark.h>

#include <map>

#include "rill_builtin_table.h"
#include "rill_lexer.h"
#include "script/gx_rill_eval.h"

namespace {

class BenchWorker : public GxRillEvalWorker {
public:
    GxRillEvalFrame frame;
    const GxRillScript* script = nullptr;
    std::map<std::u16string, GxRillVariable, std::less<>> variables;
    std::vector<GxRillVariable> stack;

    GxRillEvalFrame* GetTopFrame() override { return &frame; }
    const GxRillScript* GetFrameScript(const GxRillEvalFrame&) override { return script; }
    std::u16string GetFrameScriptName(const GxRillEvalFrame&) override { return u"bench.txt"; }
    GxS32 GetFrameLine(const GxRillEvalFrame&) override { return 0; }
    std::vector<GxRillVariable>& GetValueStack() override { return stack; }
    GxRillVariable* FindVariable(GxRillEvalFrame&, std::u16string_view name) override {
        auto it = variables.find(name);
        return it == variables.end() ? nullptr : &it->second;
    }
    GxRillVariable* CreateLocalVariable(GxRillEvalFrame&, std::u16string_view name) override {
        return &variables[std::u16string(name)];
    }
    GxU64 GetRemovedElementCount() const override { return 0; }
};

class BenchBuiltins : public GxRillBuiltinBase {
public:
    bool Call(std::u16string_view, GxS32 index, GxRillVariable& arguments, GxRillEvalWorker*,
              GxRillEvalFrame*, GxRillVariable& result) override {
        if (index != 11 || arguments.GetArray().empty())
            return false;
        result =
            GxRillVariable::MakeInt(static_cast<GxS64>(arguments.GetArray()[0].GetString().size()));
        return true;
    }
};

void BM_EvalTokenStatement(benchmark::State& state) {
    GxRill engine;
    GxRillScript script(&engine);
    RillNames names;
    for (const RillBuiltinName& entry : GetRillBuiltinNames()) {
        names.builtins.emplace(entry.name, entry.index);
    }
    std::u16string error;
    script.m_Lines.resize(1);
    LexRillCode(u"$a = $b * 3 + strlen($s)", names, nullptr, script.m_Lines[0].m_Tokens, error);
    BenchWorker worker;
    worker.script = &script;
    worker.variables[u"a"] = GxRillVariable();
    worker.variables[u"b"] = GxRillVariable::MakeInt(7);
    worker.variables[u"s"] = GxRillVariable::MakeStr(u"こんにちは");
    BenchBuiltins builtins;
    for (auto _ : state) {
        bool ok = Eval_Token(&engine, nullptr, &builtins, &worker, GxRillRunPos(0, 0), nullptr, 1);
        benchmark::DoNotOptimize(ok);
    }
    if (worker.variables[u"a"].GetInt64() != 26)
        state.SkipWithError("wrong result");
    state.SetItemsProcessed(state.iterations());
    state.counters["statements_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EvalTokenStatement);

}  // namespace

BENCHMARK_MAIN();
